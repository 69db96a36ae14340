#pragma once
// A progress dialog over a window for work that runs in the window's own thread (saving a
// list, reading or importing a file): behind a busy cursor, shown only once the work takes a
// while, modal to the window, with a Korean 취소 button. The work reports how far it is with
// advance(), which also keeps the window painted and says whether the user cancelled.
#include <QProgressDialog>
#include <QString>

struct WorkProgressTexts {
    QString name;        // the dialog's control name ("frmSaveProgress")
    QString title;       // its title, also how it is heard
    QString text;        // what it says is going on
    QString cancelName;  // the control name of its 취소 button
};

class WorkProgress {
public:
    // A short piece of work finishes before its dialog would flash up.
    static constexpr int kShownAfterMs = 400;

    // `steps`: how many steps the work counts up to.
    WorkProgress(QWidget* parent, const WorkProgressTexts& texts, int steps);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // `done` of the steps are done (more than all counts as all). False once the user cancelled.
    bool advance(qsizetype done);
    // The share `done` (0..1) of the work is done; for work that counts no steps of its own.
    bool advanceShare(double done);

    QProgressDialog* dialog() { return &m_dialog; }

private:
    QProgressDialog m_dialog;
};
