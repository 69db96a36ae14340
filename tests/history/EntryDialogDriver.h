#pragma once
// Drives a modal entry dialog from a test: the dialog runs its own event loop, so the test's
// body runs from a timer inside it.
#include "history/HistoryEntryDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <functional>

// Clicks `opener` and runs `body` on the modal entry dialog it opens; a dialog still open
// afterwards is cancelled. False when no dialog was opened.
inline bool runEntryDialog(QAbstractButton* opener, const std::function<void(HistoryEntryDialog&)>& body)
{
    bool opened = false;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        auto* d = qobject_cast<HistoryEntryDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        opened = true;
        body(*d);
        if (d->isVisible()) d->reject();
    });
    opener->click();
    QCoreApplication::processEvents();
    return opened;
}
