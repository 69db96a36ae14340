#pragma once
// Wires the menu of the main window to the program's top-level windows.
class MainWindow;
void registerWindows(MainWindow& main);
