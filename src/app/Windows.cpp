#include "app/Windows.h"

#include "app/MainWindow.h"
#include "books/DailyWindow.h"
#include "registry/SearchWindow.h"

void registerWindows(MainWindow& main)
{
    main.setOpener(0, [] { return static_cast<QWidget*>(new SearchWindow); });
    main.setOpener(6, [] { return static_cast<QWidget*>(new DailyWindow); });
}
