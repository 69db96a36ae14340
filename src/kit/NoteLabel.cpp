#include "kit/NoteLabel.h"

#include "kit/Accessibility.h"
#include "kit/Styles.h"

#include <QLabel>

QLabel* noteLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    nameControl(l, name, text);
    l->setWordWrap(true);
    l->setStyleSheet(styles::note());
    return l;
}
