#pragma once
// Appending rows to the grid one at a time, the way every loader fills it.
void benchGrid();
