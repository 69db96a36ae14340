#include "app/Windows.h"

#include "analysis/AnalysisWindow.h"
#include "app/MainWindow.h"
#include "books/DailyWindow.h"
#include "books/FarmInfoWindow.h"
#include "books/ManureLedgerWindow.h"
#include "books/PeriodBookWindow.h"
#include "books/model/RecordBooks.h"
#include "calendar/CalendarWindow.h"
#include "import/ImportAssistant.h"
#include "mating/MatingPlanWindow.h"
#include "recovery/RecoveryWindow.h"
#include "registry/SearchWindow.h"

void registerWindows(MainWindow& main)
{
    main.setOpener(MenuEntry::Animals, [] { return static_cast<QWidget*>(new SearchWindow); });
    main.setOpener(MenuEntry::MatingBook,
                   [] { return static_cast<QWidget*>(new PeriodBookWindow(books::matingBook())); });
    main.setOpener(MenuEntry::CalvingBook,
                   [] { return static_cast<QWidget*>(new PeriodBookWindow(books::calvingBook())); });
    main.setOpener(MenuEntry::ShipmentBook,
                   [] { return static_cast<QWidget*>(new PeriodBookWindow(books::shipmentBook())); });
    main.setOpener(MenuEntry::ManureLedger, [] { return static_cast<QWidget*>(new ManureLedgerWindow); });
    main.setOpener(MenuEntry::FarmInfo, [] { return static_cast<QWidget*>(new FarmInfoWindow); });
    main.setOpener(MenuEntry::DailyList, [] { return static_cast<QWidget*>(new DailyWindow); });
    main.setOpener(MenuEntry::Recovery, [] { return static_cast<QWidget*>(new RecoveryWindow); });
    main.setOpener(MenuEntry::Analysis, [] { return static_cast<QWidget*>(new AnalysisWindow); });
    main.setOpener(MenuEntry::MatingPlan, [] { return static_cast<QWidget*>(new MatingPlanWindow); });
    main.setOpener(MenuEntry::Calendar, [] { return static_cast<QWidget*>(new CalendarWindow); });
    // The search list's 가져오기: the import sits above the registry.
    SearchWindow::setImportOpener(runImportAssistant);
}
