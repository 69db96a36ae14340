#pragma once
// 성적분석: how the herd does over a period, on the list window frame. The period (the last 12
// months up to today when the window opens) and the 목표 button above the bar; 조회(F11) reads
// the records (analysis/model/HerdAnalysis.h) and fills three tabs: 번식성적 (the figures against
// the farmer's targets, the conception tables, the services waiting for their outcome, the
// abortions and the records to check), 출하성적 (the shipment results by sire and by sex,
// sortable by any column, and what their averages left out) and 차트. 인쇄 prints every table
// through rpt/성적분석.rpt; 엑셀저장 writes one sheet per table, each naming the period.
#include "analysis/model/AnalysisTables.h"
#include "kit/ListWindow.h"
#include "kit/PeriodFrame.h"
#include "print/PrintSequence.h"
#include "sheets/model/TableExport.h"

#include <QMap>
#include <optional>

class AnalysisCharts;
class QDateEdit;
class QGroupBox;
class QLabel;
class QTabWidget;

class AnalysisWindow : public ListWindow {
    Q_OBJECT
public:
    // Builds the window and loads it: the connection, the default period, the farm header and
    // the stored targets. No query runs until the user asks.
    explicit AnalysisWindow(QWidget* parent = nullptr);

    QDateEdit* startDate() const { return m_period.start(); }       // "시작날짜"
    QDateEdit* endDate() const { return m_period.end(); }           // "끝날짜"
    QPushButton* targetsButton() const { return m_targetsButton; }  // "cmdTargets" (목표)
    QTabWidget* tabs() const { return m_tabs; }                     // "tab성적분석"
    AnalysisCharts* charts() const { return m_charts; }
    // The grid showing table `id`.
    Grid* table(analysis::TableId id) const { return m_grids.value(id); }
    // The label under the conception tables about embryo transfers ("lbl수정란이식").
    QLabel* embryoNote() const { return m_embryoNote; }
    // The note under the figures: how verdicts show and any stored target read as its default.
    QLabel* targetsNote() const { return m_targetsNote; }  // "lbl목표안내"
    // The note under the records to check ("lbl확인할기록"), hidden when there are none.
    QLabel* checkNote() const { return m_checkNote; }

    books::Period period() const;
    // The period of the tables shown ("2009-01-01~2009-12-31"; the pickers' before a query).
    QString periodText() const;
    void setPeriod(const QDate& start, const QDate& end);
    const analysis::Targets& targets() const { return m_targets; }
    // Whether a query has filled the tabs.
    bool hasResult() const { return m_result.has_value(); }

    void query() override;  // reads the period (also F11)
    void print() override;
    // 엑셀저장: every table as a sheet of one workbook.
    void saveWorkbook();
    // 목표: the targets dialog; the verdicts follow what it stored.
    void editTargets();

    // The print command's request (tests run it).
    PrintRequest printRequest();
    // The tables as shown, in tab order, for the workbook.
    QList<ExportTable> exportTables() const;

private:
    struct Sort {
        int column = 0;  // 1-based; 0: as computed
        Qt::SortOrder order = Qt::AscendingOrder;
    };
    void buildConditions();
    void buildTabs();
    QWidget* buildFertilityPage();
    QWidget* buildShipmentPage();
    QGroupBox* tableBox(analysis::TableId id, const QString& name, const QString& heard, QWidget* parent);
    void showTables();
    void showTargetNotes();
    void showTable(const analysis::ShownTable& t);
    void sortBy(analysis::TableId id, int column);
    std::vector<analysis::ShownTable> shownTables() const;

    // Its listed period is that of the tables shown.
    PeriodFrame m_period;
    QPushButton* m_targetsButton = nullptr;
    QTabWidget* m_tabs = nullptr;
    AnalysisCharts* m_charts = nullptr;
    QLabel* m_embryoNote = nullptr;
    QLabel* m_targetsNote = nullptr;
    QLabel* m_checkNote = nullptr;
    QLabel* m_leftOutNote = nullptr;
    QMap<analysis::TableId, Grid*> m_grids;
    QMap<analysis::TableId, QGroupBox*> m_boxes;
    QMap<analysis::TableId, QString> m_names;
    QMap<analysis::TableId, analysis::ShownTable> m_shown;  // as computed, before any sort
    QMap<analysis::TableId, Sort> m_sorts;
    analysis::Targets m_targets;
    QStringList m_targetNotes;  // stored targets out of range, read as their defaults
    std::optional<analysis::HerdAnalysis> m_result;
};
