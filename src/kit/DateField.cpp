#include "kit/DateField.h"

#include "data/Clock.h"
#include "kit/DateEdit.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QLocale>

QDateEdit* dateField(DateLook look, int minWidth, QWidget* parent)
{
    const bool korean = look == DateLook::Korean;
    const QLocale koreanLocale(QLocale::Korean, QLocale::SouthKorea);
    auto* d = new DateEdit(today(), parent);
    if (korean) d->setLocale(koreanLocale);
    d->setDisplayFormat(korean ? QStringLiteral("yyyy년 MM월 dd일") : QStringLiteral("yyyy-MM-dd"));
    d->setCalendarPopup(true);
    // The month and day names of the calendar too, whatever the program's own language.
    if (korean) d->calendarWidget()->setLocale(koreanLocale);
    if (minWidth > 0) d->setMinimumWidth(minWidth);
    return d;
}
