#pragma once
// What a column of a list holds. It decides how the screen aligns the column (numbers to the
// right, dates centred, text to the left) and which cell type a saved spreadsheet gives it:
// identifiers such as animal, registration and semen numbers are Text even when they look
// like numbers.
enum class CellKind { Text, Number, Date };
