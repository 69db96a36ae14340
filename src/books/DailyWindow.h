#pragma once
// 일일관리: the cows due around today for re-estrus or for calving, one row per breeding
// record, with what yesterday, today, tomorrow and the day after tomorrow mean for it.
#include "books/ListWindow.h"

#include <QDate>
#include <QRadioButton>
#include <array>

class DailyWindow : public ListWindow {
    Q_OBJECT
public:
    explicit DailyWindow(QWidget* parent = nullptr);

    QRadioButton* Option1 = nullptr;  // "재발정예정개체", selected at open
    QRadioButton* Option2 = nullptr;  // "출산예정개체"

    // The days the column headers show: those of the moment the window loaded.
    const std::array<QDate, 4>& headerDays() const { return m_headerDays; }

    // The two lists (the query button runs the one of the selected option).
    void queryReestrus();
    void queryCalving();

    // The print command's texts, work table and formulas for the option now selected.
    ListPrint printSpec() const;

protected:
    void query() override;
    void print() override;

private:
    std::array<QDate, 4> m_headerDays;
};
