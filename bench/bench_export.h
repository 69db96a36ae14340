#pragma once
// Saving the 100,000-animal search list as an Excel workbook and as a CSV file: time from the
// command to the finished file, and the memory the export takes beyond the list itself.
void benchExport();
