#pragma once
// The vaccinations due and the phone calendar's 60 days over a farm of 10,000 animals and
// 100,000 treatment records: time to the list against the bare reads of the same rows.
void benchVaccination();
