#include "app/Windows.h"

#include "app/MainWindow.h"
#include "books/DailyWindow.h"
#include "books/FarmInfoWindow.h"
#include "books/ManureLedgerWindow.h"
#include "books/PeriodBookWindow.h"
#include "books/model/RecordBooks.h"
#include "registry/SearchWindow.h"

void registerWindows(MainWindow& main)
{
    main.setOpener(0, [] { return static_cast<QWidget*>(new SearchWindow); });
    main.setOpener(1, [] { return static_cast<QWidget*>(new PeriodBookWindow(books::matingBook())); });
    main.setOpener(2, [] { return static_cast<QWidget*>(new PeriodBookWindow(books::calvingBook())); });
    main.setOpener(3, [] { return static_cast<QWidget*>(new PeriodBookWindow(books::shipmentBook())); });
    main.setOpener(4, [] { return static_cast<QWidget*>(new ManureLedgerWindow); });
    main.setOpener(5, [] { return static_cast<QWidget*>(new FarmInfoWindow); });
    main.setOpener(6, [] { return static_cast<QWidget*>(new DailyWindow); });
}
