#pragma once
// The herd analysis over a farm of 1,000,000 breeding records and 100,000 gradings (or
// `records` and a tenth as many gradings): loading and computing every figure against the bare
// SQL aggregation of the same rows, in one run.
void benchAnalysis(int records = 1000000);
