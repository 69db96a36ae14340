#pragma once
// A step of the import assistant, and the small pieces its pages share. Each page holds its
// step's controls and reads them into the plan the steps build together; the assistant only
// leads from page to page.
#include "import/model/ImportFileStep.h"
#include "import/model/ImportRun.h"
#include "kit/CaptionPanel.h"
#include "kit/WorkProgress.h"

#include <QWidget>

class QLabel;
class QRadioButton;

// What the steps build together: the plan, and the file's first rows the file step read.
struct ImportDraft {
    ImportPlan plan;
    FirstRows firstRows;
};

class ImportPage : public QWidget {
    Q_OBJECT
public:
    ImportPage(ImportDraft& draft, QWidget* parent);

    // The step before led here: the page takes up what was chosen so far. False (after a
    // message) stays on the step before.
    virtual bool enter() { return true; }
    // The page is left for the step after: its choices into the plan. False (after a message)
    // stays on it.
    virtual bool leave() { return true; }
    // The page now shows after enter: what is said over it.
    virtual void shown() {}
    // Whether the page has what 다음 needs.
    virtual bool mayGoOn() const { return true; }

signals:
    // What mayGoOn answers may have changed.
    void mayGoOnChanged();

protected:
    ImportDraft& draft() const { return m_draft; }
    ImportPlan& plan() const { return m_draft.plan; }

private:
    ImportDraft& m_draft;
};

inline constexpr CaptionLook kImportCaption{.width = 96, .minHeight = 26, .tinted = true};

// A wrapped note in the notes' look.
QLabel* importNote(const QString& text, const QString& name, QWidget* parent);
// A label whose text changes is heard by its name and what it shows now, not its name alone.
void showInLabel(QLabel* label, const QString& name, const QString& text);
QRadioButton* importOption(const QString& name, const QString& caption, QWidget* parent);

// A long step's progress dialog over `page` ("frmPreviewProgress", "미리보기", what it does),
// counting in thousandths, and what the reading or the run reports its share to.
struct ImportStepProgress {
    ImportStepProgress(QWidget* page, const QString& name, const QString& title, const QString& text);
    ImportProgress report();

private:
    WorkProgress m_progress;
};
