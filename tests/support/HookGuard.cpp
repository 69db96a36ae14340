#include "support/HookGuard.h"

#include "app/Messages.h"
#include "app/model/Clock.h"
#include "app/model/ProgramDir.h"
#include "app/model/ProgramExit.h"
#include "print/PrintSequence.h"
#include "print/PrinterDialog.h"
#include "print/model/PrinterSystem.h"

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
}
