#include "history/FieldNames.h"

#include "kit/Accessibility.h"

#include <QLabel>

namespace {
// The caption as heard: a note mark in front of it is not read.
QString captionWords(const QLabel* caption)
{
    QString text = caption->text();
    if (text.startsWith(u'※')) text.remove(0, 1);
    return heardText(text);
}
}  // namespace

void nameField(QWidget* input, const QString& controlName, QLabel* caption)
{
    nameControl(input, controlName, captionWords(caption));
    caption->setBuddy(input);
}

void nameDateBox(QWidget* box, const QString& controlName, QLabel* caption)
{
    nameControl(box, controlName, captionWords(caption) + QStringLiteral(" 입력"));
}
