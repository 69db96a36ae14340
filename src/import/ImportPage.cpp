#include "import/ImportPage.h"

#include "kit/Accessibility.h"
#include "kit/NoteLabel.h"

#include <QLabel>
#include <QRadioButton>

ImportPage::ImportPage(ImportDraft& draft, QWidget* parent) : QWidget(parent), m_draft(draft) {}

QLabel* importNote(const QString& text, const QString& name, QWidget* parent)
{
    return noteLabel(name, text, parent);
}

void showInLabel(QLabel* label, const QString& name, const QString& text)
{
    label->setText(text);
    label->setAccessibleName(text.isEmpty() ? name : name + QStringLiteral(": ") + text);
}

QRadioButton* importOption(const QString& name, const QString& caption, QWidget* parent)
{
    auto* o = new QRadioButton(caption, parent);
    nameControl(o, name, caption);
    return o;
}

ImportStepProgress::ImportStepProgress(QWidget* page, const QString& name, const QString& title, const QString& text)
    : m_progress(page, {.name = name, .title = title, .text = text, .cancelName = QStringLiteral("cmdCancelProgress")},
                 1000)
{
}

ImportProgress ImportStepProgress::report()
{
    return [this](double done) { return m_progress.advanceShare(done); };
}
