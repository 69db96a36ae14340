#pragma once
// 일일관리: the cows due around today for re-estrus or for calving, one row per breeding
// record, with what yesterday, today, tomorrow and the day after tomorrow mean for it.
#include "books/ListWindow.h"
#include "books/model/DailyRules.h"

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
    // One due list: its query, its due date and the texts of its four day cells.
    struct DueList {
        QString waitText;
        QString sql;
        daily::DateNumberRange (*range)(const QDate& today) = nullptr;
        QDate (*dueDate)(const QDate& inseminated) = nullptr;
        bool (*listed)(const QDate& due, const QDate& today) = nullptr;
        daily::DayCell (*cell)(const QDate& due, const QDate& day) = nullptr;
        bool takeBackEmptyRows = false;
    };
    void runDueList(const DueList& list);

    std::array<QDate, 4> m_headerDays;
};
