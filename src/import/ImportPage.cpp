#include "import/ImportPage.h"

#include "kit/Accessibility.h"
#include "kit/Styles.h"

#include <QLabel>
#include <QRadioButton>

ImportPage::ImportPage(ImportDraft& draft, QWidget* parent) : QWidget(parent), m_draft(draft) {}

QLabel* importNote(const QString& text, const QString& name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    nameControl(l, name, text);
    l->setWordWrap(true);
    l->setStyleSheet(styles::note());
    return l;
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
