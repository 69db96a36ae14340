#include "calendar/MonthView.h"

#include "data/Clock.h"

#include <QEvent>
#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QTableView>
#include <QTextCharFormat>

using namespace calendar;

namespace {
constexpr int kHeaderRowPx = 28;
const QColor kSaturday(30, 80, 200);
}  // namespace

MonthView::MonthView(QWidget* parent) : QCalendarWidget(parent)
{
    setLocale(QLocale(QLocale::Korean));
    setFirstDayOfWeek(Qt::Sunday);
    setGridVisible(true);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    // Saturday blue and Sunday red, as Korean calendars print them.
    QTextCharFormat saturday;
    saturday.setForeground(kSaturday);
    setWeekdayTextFormat(Qt::Saturday, saturday);
    // The weekday names keep one line's height; the six weeks share the rest.
    if ((m_days = findChild<QTableView*>())) {
        m_days->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        m_days->setMinimumHeight(kHeaderRowPx + 6 * 60);
        m_days->viewport()->installEventFilter(this);
    }
}

bool MonthView::eventFilter(QObject* watched, QEvent* event)
{
    if (m_days && watched == m_days->viewport() && event->type() == QEvent::Resize) {
        const int rows = m_days->model() ? m_days->model()->rowCount() : 0;
        if (rows > 1) {
            const int week = std::max(20, (m_days->viewport()->height() - kHeaderRowPx) / (rows - 1));
            m_days->setRowHeight(0, kHeaderRowPx);
            for (int r = 1; r < rows; ++r) m_days->setRowHeight(r, week);
        }
    }
    return QCalendarWidget::eventFilter(watched, event);
}

QDate MonthView::firstShownDay() const
{
    const QDate first(yearShown(), monthShown(), 1);
    int back = (first.dayOfWeek() - int(firstDayOfWeek()) + 7) % 7;
    // QCalendarWidget always shows some days of the month before, a whole week when the month
    // starts on the week's first day.
    if (back == 0) back = 7;
    return first.addDays(-back);
}

QDate MonthView::lastShownDay() const
{
    return firstShownDay().addDays(6 * 7 - 1);
}

void MonthView::showItems(const QList<CalendarItem>& items)
{
    m_counts.clear();
    // A new day's counts start as zeros (value-initialised).
    for (const CalendarItem& i : items) ++m_counts[i.date][size_t(i.kind)];
    updateCells();
}

int MonthView::count(const QDate& day, ItemKind kind) const
{
    const auto it = m_counts.constFind(day);
    return it == m_counts.cend() ? 0 : (*it)[size_t(kind)];
}

QString MonthView::dayText(const QDate& day) const
{
    QStringList parts;
    for (ItemKind k : kItemKinds)
        if (const int n = count(day, k)) parts << QStringLiteral("%1 %2건").arg(kindText(k)).arg(n);
    return QStringLiteral("%1월 %2일: %3")
        .arg(day.month())
        .arg(day.day())
        .arg(parts.isEmpty() ? QStringLiteral("일정 없음") : parts.join(QStringLiteral(", ")));
}

QString MonthView::shortKind(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Reestrus: return QStringLiteral("재발정");
    case ItemKind::Calving: return QStringLiteral("분만");
    case ItemKind::Vaccination: return QStringLiteral("접종");
    case ItemKind::WithdrawalEnd: return QStringLiteral("휴약끝");
    case ItemKind::Shipment: return QStringLiteral("출하");
    }
    return {};
}

QColor MonthView::kindColor(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Reestrus: return QColor(192, 38, 45);
    case ItemKind::Calving: return QColor(150, 60, 170);
    case ItemKind::Vaccination: return QColor(20, 100, 190);
    case ItemKind::WithdrawalEnd: return QColor(160, 100, 0);
    case ItemKind::Shipment: return QColor(27, 122, 46);
    }
    return Qt::black;
}

void MonthView::paintCell(QPainter* painter, const QRect& rect, QDate date) const
{
    painter->save();
    const bool inMonth = date.month() == monthShown();
    const bool selected = date == selectedDate();
    painter->fillRect(rect, selected ? palette().highlight().color().lighter(170)
                                     : (inMonth ? palette().base().color() : palette().window().color()));
    if (date == today()) {
        painter->setPen(QPen(palette().highlight().color(), 2));
        painter->drawRect(rect.adjusted(1, 1, -2, -2));
    }
    QFont f = font();
    f.setBold(selected);
    painter->setFont(f);
    const QColor weekend = date.dayOfWeek() == Qt::Sunday     ? QColor(192, 38, 45)
                           : date.dayOfWeek() == Qt::Saturday ? kSaturday
                                                              : palette().text().color();
    painter->setPen(inMonth ? weekend : palette().placeholderText().color());
    const QRect inner = rect.adjusted(4, 2, -4, -2);
    painter->drawText(inner, Qt::AlignTop | Qt::AlignRight, QString::number(date.day()));

    QFont small = font();
    small.setPointSizeF(std::max(7.0, font().pointSizeF() - 1));
    painter->setFont(small);
    const int line = QFontMetrics(small).height();
    int y = inner.top() + line;
    for (ItemKind k : kItemKinds) {
        const int n = count(date, k);
        if (n == 0) continue;
        if (y + line > inner.bottom() + 2) break;
        painter->setPen(inMonth ? kindColor(k) : kindColor(k).lighter(150));
        painter->drawText(QRect(inner.left(), y, inner.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                          QStringLiteral("%1 %2").arg(shortKind(k)).arg(n));
        y += line;
    }
    painter->restore();
}
