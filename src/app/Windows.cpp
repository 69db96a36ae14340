#include "app/Windows.h"

#include "app/MainWindow.h"
#include "books/DailyWindow.h"

void registerWindows(MainWindow& main)
{
    (void)main;
    main.setOpener(6, [] { return static_cast<QWidget*>(new DailyWindow); });
}
