#include "analysis/model/AnalysisTables.h"

#include "analysis/model/ChartLayout.h"
#include "data/Values.h"
#include "sheets/model/RowOrder.h"
#include "sheets/model/TableExport.h"

#include <QLocale>
#include <algorithm>

namespace analysis {

namespace {
constexpr CellKind T = CellKind::Text;
constexpr CellKind N = CellKind::Number;
constexpr CellKind D = CellKind::Date;

QString number(double v, int decimals)
{
    // Thousands separators as every list of the program shows them, whatever the system says.
    static const QLocale c(QLocale::English);
    return c.toString(v, 'f', decimals);
}

QString count(int n)
{
    return number(n, 0);
}

ShownTable conceptionTable(TableId id, const QString& name, const QString& first,
                           const std::vector<ConceptionRow>& rows)
{
    ShownTable t;
    t.id = id;
    t.name = name;
    t.headers = {first,
                 QStringLiteral("수정(n)"),
                 QStringLiteral("수태"),
                 QStringLiteral("미확인"),
                 QStringLiteral("수태율 (%)"),
                 QStringLiteral("수태당 수정횟수")};
    t.kinds = {T, N, N, N, N, N};
    for (const ConceptionRow& r : rows)
        t.rows << QStringList{r.label,
                              count(r.services),
                              count(r.conceptions),
                              count(r.pending),
                              r.services > 0 ? number(r.rate(), 1) : QString(),
                              r.conceptions > 0 ? number(r.servicesPerConception(), 2) : QString()};
    return t;
}

ShownTable figuresTable(const FertilityResult& r, const Targets& targets)
{
    ShownTable t;
    t.id = TableId::Figures;
    t.name = QStringLiteral("번식성적");
    // The verdict beside the value and its target; how the value was made after them.
    t.headers = {QStringLiteral("항목"),   QStringLiteral("성적"),       QStringLiteral("목표"),
                 QStringLiteral("판정"),   QStringLiteral("n"),          QStringLiteral("미입력"),
                 QStringLiteral("미확인"), QStringLiteral("확인할 기록")};
    t.kinds = {T, N, N, T, N, N, N, N};
    for (const FigureLine& line : figureLines(r, targets)) {
        const TargetFigureInfo& info = figureInfo(line.figure);
        t.rows << QStringList{QStringLiteral("%1 (%2)").arg(info.name, info.unit),
                              figureText(line.value, info.decimals),
                              targetText(line.target),
                              verdictWord(line.verdict),
                              count(line.value.n),
                              count(line.value.leftOut),
                              count(line.value.pending),
                              count(line.value.setAside)};
        t.colors << verdictColor(line.verdict);
    }
    return t;
}

QStringList shipmentCells(const ShipmentRow& r)
{
    QStringList cells{r.label,
                      count(r.head),
                      figureText(r.age, 1),
                      figureText(r.liveWeight, 1),
                      figureText(r.carcassWeight, 1),
                      figureText(r.loinEye, 1),
                      figureText(r.backfat, 1),
                      figureText(r.marbling, 1)};
    for (int i = 0; i < kQualityGrades; ++i) cells << (r.qualityHead > 0 ? number(r.qualityShare(i), 1) : QString());
    for (int i = 0; i < kYieldGrades; ++i) cells << (r.yieldHead > 0 ? number(r.yieldShare(i), 1) : QString());
    cells << count(r.other) << count(r.ungraded) << figureText(r.price, 0);
    return cells;
}

ShownTable shipmentTable(TableId id, const QString& name, const QString& first, const std::vector<ShipmentRow>& rows,
                         const ShipmentRow& total)
{
    ShownTable t;
    t.id = id;
    t.name = name;
    t.headers = {first,
                 QStringLiteral("두수"),
                 QStringLiteral("출하월령"),
                 QStringLiteral("생체중 (kg)"),
                 QStringLiteral("도체중 (kg)"),
                 QStringLiteral("등심단면적 (㎠)"),
                 QStringLiteral("등지방두께 (mm)"),
                 QStringLiteral("근내지방")};
    for (int i = 0; i < kQualityGrades; ++i) t.headers << qualityGradeName(i) + QStringLiteral("등급 (%)");
    for (int i = 0; i < kYieldGrades; ++i) t.headers << yieldGradeName(i) + QStringLiteral(" (%)");
    t.headers << QStringLiteral("기타 (두)") << QStringLiteral("등급없음 (두)") << QStringLiteral("경락가 (원/kg)");
    t.kinds = {T};
    while (t.kinds.size() < t.headers.size()) t.kinds << N;
    for (const ShipmentRow& r : rows) t.rows << shipmentCells(r);
    if (total.head > 0) {
        t.rows << shipmentCells(total);
        t.totalRows = 1;
    }
    return t;
}
// The averages of a shipment line and what each is called in the left-out table.
struct ShipmentAverage {
    const char* name;
    Figure ShipmentRow::*figure;
};
constexpr ShipmentAverage kShipmentAverages[] = {{"출하월령(생일 없음)", &ShipmentRow::age},
                                                 {"생체중", &ShipmentRow::liveWeight},
                                                 {"도체중", &ShipmentRow::carcassWeight},
                                                 {"등심단면적", &ShipmentRow::loinEye},
                                                 {"등지방두께", &ShipmentRow::backfat},
                                                 {"근내지방", &ShipmentRow::marbling},
                                                 {"경락가", &ShipmentRow::price}};

int leftOutOf(const ShipmentRow& r)
{
    int n = 0;
    for (const ShipmentAverage& a : kShipmentAverages) n += (r.*a.figure).leftOut;
    return n;
}

ShownTable shipmentLeftOutTable(const ShipmentResult& r)
{
    ShownTable t;
    t.id = TableId::ShipmentLeftOut;
    t.name = QStringLiteral("출하 미입력 두수");
    t.headers = {QStringLiteral("구분")};
    for (const ShipmentAverage& a : kShipmentAverages) t.headers << QString::fromUtf8(a.name);
    t.kinds = {T};
    while (t.kinds.size() < t.headers.size()) t.kinds << N;
    auto add = [&t](const QString& label, const ShipmentRow& row) {
        QStringList cells{label};
        for (const ShipmentAverage& a : kShipmentAverages) cells << count((row.*a.figure).leftOut);
        t.rows << cells;
    };
    // Only the lines that left a value out, and the total once any did.
    for (const ShipmentRow& row : r.bySire)
        if (leftOutOf(row) > 0) add(QStringLiteral("아비 ") + row.label, row);
    for (const ShipmentRow& row : r.bySex)
        if (leftOutOf(row) > 0) add(QStringLiteral("성별 ") + row.label, row);
    if (leftOutOf(r.total) > 0) {
        add(r.total.label, r.total);
        t.totalRows = 1;
    }
    return t;
}
}  // namespace

QRgb verdictColor(Verdict v)
{
    switch (v) {
    case Verdict::Meets: return kMeetsColor;
    case Verdict::Misses: return kMissesColor;
    case Verdict::NoData: return kNoDataColor;
    }
    return 0;
}

QString figureText(const Figure& f, int decimals)
{
    return f.hasValue() ? number(f.value, decimals) : QString();
}

QString targetText(double target)
{
    return QString::number(target, 'g', 10);
}

QString dateText(qint64 dateNumber)
{
    return dateNumber > 0 ? datenum::digits(dateNumber, QStringLiteral("0000-00-00")) : QString();
}

std::vector<ShownTable> fertilityTables(const FertilityResult& r, const Targets& targets)
{
    std::vector<ShownTable> tables;
    tables.push_back(figuresTable(r, targets));

    std::vector<ConceptionRow> summary{r.overall, r.firstService};
    summary.front().label = QStringLiteral("전체");
    summary.back().label = QStringLiteral("첫 수정(1회)");
    for (ConceptionRow row : r.byServiceNumber) {
        row.label = QStringLiteral("수정 ") + row.label;
        summary.push_back(row);
    }
    summary.push_back(r.embryoTransfer);
    summary.back().label = QStringLiteral("수정란 이식(별도)");
    tables.push_back(conceptionTable(TableId::Conception, QStringLiteral("수태율"), QStringLiteral("구분"), summary));
    tables.push_back(
        conceptionTable(TableId::BySemen, QStringLiteral("정액별 수태율"), QStringLiteral("정액번호"), r.bySemen));
    tables.push_back(conceptionTable(TableId::ByInseminator, QStringLiteral("인공수정자별 수태율"),
                                     QStringLiteral("인공수정자"), r.byInseminator));
    tables.push_back(
        conceptionTable(TableId::ByMonth, QStringLiteral("월별 수태율"), QStringLiteral("수정월"), r.byMonth));

    ShownTable pending;
    pending.id = TableId::Pending;
    pending.name = QStringLiteral("결과 미확인 수정");
    // The kind before the days, in a column wide enough on paper.
    pending.headers = {QStringLiteral("개체번호"), QStringLiteral("우방번호"), QStringLiteral("수정일"),
                       QStringLiteral("구분"), QStringLiteral("경과일수")};
    pending.kinds = {T, T, D, T, N};
    for (const PendingService& p : r.pending)
        pending.rows << QStringList{p.animal, p.pen, dateText(p.inseminated),
                                    p.embryoTransfer ? QStringLiteral("수정란 이식") : QStringLiteral("인공수정"),
                                    count(p.daysSince)};
    tables.push_back(pending);

    ShownTable abortions;
    abortions.id = TableId::Abortions;
    abortions.name = QStringLiteral("유산");
    abortions.headers = {QStringLiteral("개체번호"), QStringLiteral("우방번호"), QStringLiteral("수정일"),
                         QStringLiteral("유산일"), QStringLiteral("비고")};
    abortions.kinds = {T, T, D, D, T};
    for (const Abortion& a : r.abortions)
        abortions.rows << QStringList{a.animal, a.pen, dateText(a.inseminated), dateText(a.date), a.note};
    tables.push_back(abortions);

    ShownTable check;
    check.id = TableId::ToCheck;
    check.name = QStringLiteral("확인할 기록");
    check.headers = {QStringLiteral("내용"),    QStringLiteral("개체번호"), QStringLiteral("앞 날짜"),
                     QStringLiteral("뒤 날짜"), QStringLiteral("일수"),     QStringLiteral("우방번호")};
    check.kinds = {T, T, D, D, N, T};
    for (const RecordToCheck& c : r.toCheck)
        check.rows << QStringList{checkKindText(c.kind), c.animal,      dateText(c.from),
                                  dateText(c.to),        count(c.days), c.pen};
    tables.push_back(check);

    ShownTable classes;
    classes.id = TableId::IntervalClasses;
    classes.name = QStringLiteral("분만간격 분포");
    classes.headers = {QStringLiteral("분만간격 (일)"), QStringLiteral("분만 수")};
    classes.kinds = {T, N};
    // The chart's bars, from the first that holds an interval to the last.
    const IntervalBars bars = intervalBars(r.calvingIntervals, 0);
    const auto held = [](int n) { return n > 0; };
    const auto first = std::find_if(bars.counts.begin(), bars.counts.end(), held);
    const auto last = std::find_if(bars.counts.rbegin(), bars.counts.rend(), held).base();
    for (auto it = first; it < last; ++it) {
        const int from = kChartFirstDay + int(it - bars.counts.begin()) * kChartClassDays;
        classes.rows << QStringList{from < kChartLastDay
                                        ? QStringLiteral("%1~%2").arg(from).arg(from + kChartClassDays - 1)
                                        : QStringLiteral("%1 이상").arg(from),
                                    count(*it)};
    }
    tables.push_back(classes);
    return tables;
}

std::vector<ShownTable> shipmentTables(const ShipmentResult& r)
{
    std::vector<ShownTable> tables;
    tables.push_back(shipmentTable(TableId::BySire, QStringLiteral("아비별 출하성적"), QStringLiteral("아비(정액번호)"),
                                   r.bySire, r.total));
    tables.push_back(
        shipmentTable(TableId::BySex, QStringLiteral("성별 출하성적"), QStringLiteral("성별"), r.bySex, r.total));
    tables.push_back(shipmentLeftOutTable(r));

    ShownTable other;
    other.id = TableId::OtherGrades;
    other.name = QStringLiteral("기타 등급");
    other.headers = {QStringLiteral("개체번호"), QStringLiteral("판정일"), QStringLiteral("최종등급")};
    other.kinds = {T, D, T};
    for (const OtherGrade& g : r.otherGrades) other.rows << QStringList{g.animal, dateText(g.graded), g.grade};
    tables.push_back(other);
    return tables;
}

QString embryoTransferNote(const FertilityResult& r)
{
    const ConceptionRow& e = r.embryoTransfer;
    if (e.services + e.pending == 0) return QStringLiteral("수정란 이식: 없음");
    QString text = QStringLiteral("수정란 이식: %1건 중 수태 %2건").arg(e.services).arg(e.conceptions);
    if (e.services > 0) text += QStringLiteral(" (수태율 %1%)").arg(number(e.rate(), 1));
    if (e.pending > 0) text += QStringLiteral(", 미확인 %1건").arg(e.pending);
    return text + QStringLiteral(" — 인공수정 성적에는 넣지 않았습니다.");
}

QString toCheckNote(const FertilityResult& r)
{
    if (r.toCheck.empty()) return QString();
    return QStringLiteral(
               "확인할 기록 %1건 — 평균에서 뺀 값: 분만간격 %2건(분포에서도 뺌), 첫 수정일수 %3건, 공태일수 %4건. "
               "같은 분만을 두 번 넣었거나 날짜가 틀린 기록이니 확인해 주세요.")
        .arg(r.toCheck.size())
        .arg(r.calvingInterval.setAside)
        .arg(r.firstServiceInterval.setAside)
        .arg(r.daysOpen.setAside);
}

QString shipmentLeftOutNote(const ShipmentRow& total)
{
    QStringList parts;
    for (const ShipmentAverage& a : kShipmentAverages)
        if ((total.*a.figure).leftOut > 0)
            parts << QStringLiteral("%1 %2두").arg(QString::fromUtf8(a.name)).arg((total.*a.figure).leftOut);
    if (parts.isEmpty()) return QString();
    return QStringLiteral("미입력(0)이라 평균에서 뺀 값(합계): ") + parts.join(QStringLiteral(", ")) +
           QStringLiteral(". 아비별·성별은 아래 표에 있습니다.");
}

QList<QVariantList> printRows(const std::vector<ShownTable>& tables)
{
    QList<QVariantList> out;
    auto row = [&out](const QString& mark, const QStringList& cells) {
        QVariantList r{mark};
        for (int i = 0; i < kPrintCells; ++i) r << cells.value(i);
        out << r;
    };
    for (const ShownTable& t : tables) {
        row(QStringLiteral("제목"), {QStringLiteral("■ ") + t.name});
        row(QStringLiteral("머리"), t.headers);
        if (t.rows.isEmpty()) row(QString(), {QStringLiteral("해당 없음")});
        for (qsizetype i = 0; i < t.rows.size(); ++i)
            row(i >= t.rows.size() - t.totalRows ? QStringLiteral("합계") : QString(), t.rows[i]);
    }
    return out;
}

// The rows of `t` ordered by `column` (1-based); figures by their value, texts in the
// language's order, empty cells last either way. The total lines stay at the end.
ShownTable sortedTable(const ShownTable& t, int column, Qt::SortOrder order)
{
    if (column < 1 || column > t.headers.size()) return t;
    const qsizetype body = t.rows.size() - t.totalRows;
    const std::vector<qsizetype> index =
        sortedRowOrder(t.rows, body, column, t.kinds.value(column - 1, CellKind::Text), order);
    ShownTable out = t;
    out.rows.clear();
    out.colors.clear();
    for (qsizetype i : index) {
        out.rows << t.rows[i];
        out.colors << t.colors.value(i);
    }
    for (qsizetype i = body; i < t.rows.size(); ++i) {
        out.rows << t.rows[i];
        out.colors << t.colors.value(i);
    }
    return out;
}

}  // namespace analysis
