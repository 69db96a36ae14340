#pragma once
// 교배 순위: every catalogue bull ranked for one cow, with her calf's inbreeding and its tie to
// her, the expected calf values, the index and the straws left; a click on a column header
// sorts by it (again: the other way). Calves of 6.25 % or more are marked amber in their
// inbreeding cell; bulls never recommended for her (12.5 % or more, or at the farm's limit)
// are listed in red. 인 쇄 prints the page of the cow, 엑셀저장 saves the list.
#include "mating/model/MatingPlan.h"
#include "print/PrintSequence.h"
#include "sheets/model/CellKind.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class Grid;
class QLabel;
class QPushButton;

class CowRankingDialog : public QDialog {
    Q_OBJECT
public:
    CowRankingDialog(const mating::MatingData& data, const mating::StrawsLeft& straws, const mating::CowPlan& plan,
                     QWidget* parent = nullptr);

    Grid* grid() const { return m_grid; }                 // "grdRanking"
    QLabel* summary() const { return m_summary; }         // "lblCow"
    QPushButton* printButton() const { return m_print; }  // "cmdPrint"
    QPushButton* saveButton() const { return m_save; }    // "cmdSave"

    // Orders the list by column `column` (1-based); the same column again turns the order round.
    void sortBy(int column);
    PrintRequest printRequest() const;

private:
    void show(const std::vector<qsizetype>& order);

    QString m_cow;
    QString m_summaryText;
    Grid* m_grid = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_save = nullptr;
    QList<QStringList> m_rows;  // in rank order
    std::vector<mating::InbreedingBand> m_bands;
    std::vector<bool> m_excluded;  // never recommended for her
    QList<CellKind> m_kinds;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
