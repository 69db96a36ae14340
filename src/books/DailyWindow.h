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

    QRadioButton* reestrusOption() const { return m_reestrus; }  // "Option1", selected at open
    QRadioButton* calvingOption() const { return m_calving; }    // "Option2"

    // The days the column headers show: those of the moment the window loaded.
    const std::array<QDate, 4>& headerDays() const { return m_headerDays; }

    // The two lists (the query button runs the one of the selected option).
    void queryReestrus();
    void queryCalving();

    // The print command's texts, work table and formulas for the option now selected.
    ListPrint printSpec() const;

    // The list of the selected option; printing it.
    void query() override;
    void print() override;

private:
    // One due list: its query, its due date and the texts of its four day cells.
    struct DueList {
        QString title;  // also what a screen reader calls the list
        QString waitText;
        QString sql;
        daily::DateNumberRange (*range)(const QDate& today) = nullptr;
        QDate (*dueDate)(const QDate& inseminated) = nullptr;
        bool (*listed)(const QDate& due, const QDate& today) = nullptr;
        daily::DayCell (*cell)(const QDate& due, const QDate& day) = nullptr;
        bool takeBackEmptyRows = false;
    };
    void runDueList(const DueList& list);

    QRadioButton* m_reestrus = nullptr;
    QRadioButton* m_calving = nullptr;
    bool m_reclick = false;  // the option pressed last was selected already
    std::array<QDate, 4> m_headerDays;
};
