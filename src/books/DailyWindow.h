#pragma once
// 일일관리: the cows due around today for re-estrus or for calving, one row per breeding
// record, with what yesterday, today, tomorrow and the day after tomorrow mean for it; the
// animals still within a withdrawal period, one row per animal; and the vaccinations due, with
// a tick per row for recording one dose for a whole pen at once.
#include "books/model/DailyRules.h"
#include "data/Db.h"
#include "kit/ListWindow.h"
#include "print/ListPrint.h"
#include "vaccination/model/DueList.h"

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <array>
#include <optional>

class DailyWindow : public ListWindow {
    Q_OBJECT
public:
    explicit DailyWindow(QWidget* parent = nullptr);

    QRadioButton* reestrusOption() const { return m_reestrus; }        // "Option1", selected at open
    QRadioButton* calvingOption() const { return m_calving; }          // "Option2"
    QRadioButton* withdrawalOption() const { return m_withdrawal; }    // "Option3"
    QRadioButton* vaccinationOption() const { return m_vaccination; }  // "Option4"
    // The controls of the vaccination option, shown only while it is selected: "txtDueDays"
    // (the days ahead, 14 at first), "cmdRecordDose" (접종 기록) and "cmdPrograms" (접종 계획).
    QSpinBox* dueDaysBox() const { return m_dueDays; }
    QPushButton* recordDoseButton() const { return m_recordDose; }
    QPushButton* programsButton() const { return m_programs; }
    // "lblSkipped": how many breeding records the due list left out for want of a date;
    // hidden when none was.
    QLabel* skippedNote() const { return m_skipped; }

    // The days the column headers show: those of the moment the window loaded.
    const std::array<QDate, 4>& headerDays() const { return m_headerDays; }

    // The two lists (the query button runs the one of the selected option).
    void queryReestrus();
    void queryCalving();
    void queryWithdrawal();
    void queryVaccinations();
    // 접종 기록: one dose for the animals of the ticked rows, asked once; the list is read again
    // after a dose was stored.
    void recordDose();
    // 접종 계획: the programs window; the list is read again once it closes.
    void openPrograms();

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
        int (*dateless)() = nullptr;  // the records left out for want of a date
    };
    // The dateless count reads every record of the book, so it is kept until the file changes.
    struct DatelessCount {
        std::optional<ChangeStamp> stamp;
        int (*counter)() = nullptr;
        int count = 0;
    };
    int datelessCount(int (*counter)());
    DatelessCount m_dateless;
    void runDueList(const DueList& list);
    enum class Columns { Due, Withdrawal, Vaccination };
    // The grid's columns: the four days of the due lists, those of the withdrawal list or those
    // of the vaccinations due. A change empties the grid, so no row stands under another list's
    // headers.
    void showColumns(Columns columns);
    void showSkipped(int count);
    // The vaccination option's own controls, beside the options while it is selected.
    void showVaccinationControls(bool shown);
    ListPrint withdrawalPrintSpec() const;
    ListPrint vaccinationPrintSpec() const;

    QRadioButton* m_reestrus = nullptr;
    QRadioButton* m_calving = nullptr;
    QRadioButton* m_withdrawal = nullptr;
    QRadioButton* m_vaccination = nullptr;
    QSpinBox* m_dueDays = nullptr;
    QPushButton* m_recordDose = nullptr;
    QPushButton* m_programs = nullptr;
    QLabel* m_skipped = nullptr;
    Columns m_columns = Columns::Due;
    QList<vaccination::DueRow> m_dueRows;           // the vaccination rows shown, by grid row - 1
    int m_dueRowsDays = vaccination::kDueListDays;  // the days ahead they were read for
    QDate m_withdrawalDay;                          // the day the withdrawal list was read
    QString m_listedTitle;                          // the list shown and the day it was read: what a saved list names
    QDate m_listedDay;
    bool m_reclick = false;  // the option pressed last was selected already
    std::array<QDate, 4> m_headerDays;
};
