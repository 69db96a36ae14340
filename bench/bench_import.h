#pragma once
// Importing animals and breeding records from CSV files through the program's import (backup,
// reading, checks, one transaction), against a bare bound insert of the same rows in one
// transaction. 100,000 animals and 1,000,000 breeding records unless smaller counts are given.
void benchImport(int animals = 100000, int breedingRecords = 1000000);
