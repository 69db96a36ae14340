#include "app/Windows.h"

#include "app/MainWindow.h"

void registerWindows(MainWindow& main)
{
    (void)main;
}
