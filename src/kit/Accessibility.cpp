#include "kit/Accessibility.h"

#include <QLabel>
#include <QRegularExpression>
#include <QWidget>

QString heardText(const QString& caption)
{
    QString s = caption;
    s.remove(QLatin1Char('&'));
    s = s.simplified();
    // "저 장", "삭 제", "종     료": one word spelled out with blanks reads as that word.
    static const QRegularExpression spelled(QStringLiteral("^(\\S)(\\s+\\S)+$"));
    if (spelled.match(s).hasMatch() && s.size() <= 9 && !s.contains(QLatin1Char('('))) s.remove(QLatin1Char(' '));
    return s;
}

void nameControl(QWidget* control, const QString& controlName, const QString& heard)
{
    control->setObjectName(controlName);
    control->setAccessibleDescription(controlName);
    control->setAccessibleName(heardText(heard));
}

void nameInput(QWidget* input, const QString& controlName, QLabel* caption)
{
    nameControl(input, controlName, caption ? caption->text() : controlName);
    if (caption) caption->setBuddy(input);
}
