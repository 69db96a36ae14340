#pragma once
// The mating plan of a farm of `cows` cows (and twice as many ancestors, sold) against a catalogue
// of `bulls` bulls related among themselves: reading the farm and planning every cow.
void benchMating(int cows = 1000, int bulls = 150);
