#pragma once
// The month of the farm calendar: each day shows, under its number, how many animals each kind
// of item holds that day ("재발정 2", "접종 12"), in the kind's colour. The items themselves are
// the window's; the view only counts them.
#include "calendar/model/CalendarItems.h"

#include <QCalendarWidget>
#include <QHash>
#include <array>

class MonthView : public QCalendarWidget {
    Q_OBJECT
public:
    explicit MonthView(QWidget* parent = nullptr);

    // The days the month shows, the weeks before and after it included.
    QDate firstShownDay() const;
    QDate lastShownDay() const;
    // Counts `items` by day and kind and paints them.
    void showItems(const QList<calendar::CalendarItem>& items);
    // How many items of `kind` fall on `day`.
    int count(const QDate& day, calendar::ItemKind kind) const;
    // What a day says in words: "12월 11일: 재발정 확인 2두, 예방접종 12두"; "12월 11일: 일정 없음".
    QString dayText(const QDate& day) const;

    // The short caption and the colour of a kind in a day cell.
    static QString shortKind(calendar::ItemKind kind);
    static QColor kindColor(calendar::ItemKind kind);

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class QTableView* m_days = nullptr;  // the calendar's own table of days
    static constexpr int kKinds = 5;
    QHash<QDate, std::array<int, kKinds>> m_counts;
};
