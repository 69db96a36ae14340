#include "support/HookGuard.h"

#include "data/Clock.h"
#include "data/Globals.h"
#include "data/ProgramDir.h"
#include "data/ProgramExit.h"
#include "import/ImportAssistant.h"
#include "kit/DbMessages.h"
#include "kit/GridExport.h"
#include "kit/Messages.h"
#include "print/PrintSequence.h"
#include "print/PrinterDialog.h"
#include "print/ReportJob.h"
#include "print/model/PrinterSystem.h"
#include "recovery/RecoveryWindow.h"
#include "registry/SearchWindow.h"

#include <QDate>

HookGuard::~HookGuard()
{
    setMessenger(nullptr);
    setExitHook({});
    setTodayOverride(QDate());
    setProgramDir(QString());
    setPrinterSystem(nullptr);
    setPrinterDialogRunner({});
    setWorkTablePauseMs(500);
    setSaveFileChooser({});
    setFarmHeader({});
    PrinterDialog::setPdfFileAsker({});
    reportControl().setPreviewRunner({});
    setRecoveryOpener({});
    RecoveryWindow::setFolderChooser({});
    SearchWindow::setImportOpener({});
    setImportFileChooser({});
}
