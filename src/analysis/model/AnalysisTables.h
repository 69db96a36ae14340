#pragma once
// The tables of the herd analysis as texts: what the window's grids show, what the print lays
// out and what the saved workbook holds, made once from the results so that a figure reads the
// same in all three. Nothing here computes a figure (HerdAnalysis.h does); it only words them.
#include "analysis/model/HerdAnalysis.h"
#include "sheets/model/CellKind.h"

#include <QList>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <Qt>
#include <vector>

namespace analysis {

enum class TableId {
    Figures,          // 번식성적: the six figures against their targets
    Conception,       // 수태율: overall, first service, by service number, embryo transfers
    BySemen,          // 정액별 수태율
    ByInseminator,    // 인공수정자별 수태율
    ByMonth,          // 월별 수태율
    Pending,          // 결과 미확인 수정: the work list
    Abortions,        // 유산
    ToCheck,          // 확인할 기록: intervals no cow can have, left out of the averages
    IntervalClasses,  // 분만간격 분포 (the chart's bars)
    BySire,           // 아비별 출하성적
    BySex,            // 성별 출하성적
    ShipmentLeftOut,  // 출하성적 미입력: values each line's averages left out, by sire and by sex
    OtherGrades,      // 기타 등급
};

struct ShownTable {
    TableId id = TableId::Figures;
    QString name;  // heads the table on screen, names its sheet and its section on paper
    QStringList headers;
    QList<CellKind> kinds;  // per column: identifiers Text, figures Number, dates Date
    QList<QStringList> rows;
    QList<QRgb> colors;  // text colour per row; 0: the default
    int totalRows = 0;   // rows at the end (the 합계 line) that stay last when the table is sorted
};

// The rows of `t` ordered by `column` (1-based), as a click on its header does: figures by their
// value, texts in the language's order, empty cells last either way; the total lines stay at the end.
ShownTable sortedTable(const ShownTable& t, int column, Qt::SortOrder order);

// The colours of the verdicts; the word beside them says the same.
inline constexpr QRgb kMeetsColor = 0xFF1B7A2E;
inline constexpr QRgb kMissesColor = 0xFFC0262D;
inline constexpr QRgb kNoDataColor = 0xFF707070;
QRgb verdictColor(Verdict v);

// A figure as shown: its value with `decimals` places, "" without a value.
QString figureText(const Figure& f, int decimals);
// A target as typed: no needless decimals ("365", "1.45", "28.7").
QString targetText(double target);
// A date number as "yyyy-mm-dd" ("" for 0).
QString dateText(qint64 dateNumber);

// The tables of the 번식성적 tab, in the order of TableId.
std::vector<ShownTable> fertilityTables(const FertilityResult& r, const Targets& targets);
// The tables of the 출하성적 tab.
std::vector<ShownTable> shipmentTables(const ShipmentResult& r);

// The embryo-transfer line under the conception tables.
QString embryoTransferNote(const FertilityResult& r);
// What the records to check are and what was left out for them ("" when there are none).
QString toCheckNote(const FertilityResult& r);
// The values a shipment line's averages left out as not entered, for the note under the table
// ("" when none).
QString shipmentLeftOutNote(const ShipmentRow& total);

// The print's work table (성적분석워크): every table one after the other, each as a title row,
// its header row and its rows ("해당 없음" for none), kPrintCells cells wide after a first
// column that marks the rows to print bold (titles, headers, totals).
inline constexpr int kPrintCells = 19;
QList<QVariantList> printRows(const std::vector<ShownTable>& tables);

}  // namespace analysis
