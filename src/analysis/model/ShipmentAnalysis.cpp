#include "analysis/model/ShipmentAnalysis.h"

#include "data/Db.h"
#include "data/Values.h"

#include <algorithm>

namespace analysis {

namespace {
const char16_t* const kQualityNames[kQualityGrades] = {u"1++", u"1+", u"1", u"2", u"3"};
const char16_t* const kYieldNames[kYieldGrades] = {u"A", u"B", u"C"};

// Days from birth to the grading; 0 when either is no date or the order is impossible.
double daysOld(qint64 birth, qint64 graded)
{
    const QDate b = datenum::toDate(birth), g = datenum::toDate(graded);
    if (!b.isValid() || !g.isValid() || b >= g) return 0;
    return double(b.daysTo(g));
}
}  // namespace

QString qualityGradeName(int index)
{
    return index >= 0 && index < kQualityGrades ? QString::fromUtf16(kQualityNames[index]) : QString();
}

QString yieldGradeName(int index)
{
    return index >= 0 && index < kYieldGrades ? QString::fromUtf16(kYieldNames[index]) : QString();
}

GradeReading readGrade(const QString& finalGrade)
{
    GradeReading g;
    // Full-width signs and digits as the plain ones, blanks and the word 등급 dropped.
    QString s = finalGrade.normalized(QString::NormalizationForm_KC).toUpper();
    s.remove(QStringLiteral("등급"));
    s.removeIf([](QChar c) { return c.isSpace(); });
    g.entered = !s.isEmpty();
    if (!g.entered) return g;
    int quality = -1;
    qsizetype used = 0;
    // The longest quality name the text starts with: 1++ before 1+ before 1.
    for (int i = 0; i < kQualityGrades; ++i) {
        const QStringView name(kQualityNames[i]);
        if (s.startsWith(name) && name.size() > used) {
            quality = i;
            used = name.size();
        }
    }
    if (quality < 0) return g;
    const QStringView rest = QStringView(s).mid(used);
    int yield = -1;
    if (!rest.isEmpty()) {
        for (int i = 0; i < kYieldGrades; ++i)
            if (rest == QStringView(kYieldNames[i])) yield = i;
        if (yield < 0) return g;  // "1+D", "2등외": 기타
    }
    g.quality = quality;
    g.yield = yield;
    return g;
}

void ShipmentAnalysis::Sums::add(const GradingRow& r, const GradeReading& g)
{
    ++head;
    const double days = daysOld(r.birth, r.graded);
    if (days > 0)
        age.add(days);
    else
        age.leaveOut();
    liveWeight.add(r.liveWeight);
    carcassWeight.add(r.carcassWeight);
    loinEye.add(r.loinEye);
    backfat.add(r.backfat);
    marbling.add(r.marbling);
    price.add(r.price);
    if (!g.entered)
        ++ungraded;
    else if (g.other())
        ++other;
    else {
        ++quality[size_t(g.quality)];
        if (g.yield >= 0) ++yield[size_t(g.yield)];
    }
}

ShipmentRow ShipmentAnalysis::Sums::row(const QString& label) const
{
    ShipmentRow r;
    r.label = label;
    r.head = head;
    r.age = age.months();
    r.liveWeight = liveWeight.figure(1);
    r.carcassWeight = carcassWeight.figure(1);
    r.loinEye = loinEye.figure(1);
    r.backfat = backfat.figure(1);
    r.marbling = marbling.figure(1);
    r.price = price.figure(0);
    r.quality = quality;
    r.yield = yield;
    for (int n : quality) r.qualityHead += n;
    for (int n : yield) r.yieldHead += n;
    r.other = other;
    r.ungraded = ungraded;
    return r;
}

void ShipmentAnalysis::add(const GradingRow& row)
{
    if (row.graded < m_period.from || row.graded > m_period.to) return;
    auto known = m_grades.constFind(row.grade);
    if (known == m_grades.cend()) known = m_grades.insert(row.grade, readGrade(row.grade));
    const GradeReading g = *known;
    const QString sire = row.sire.trimmed();
    m_bySire[sire.isEmpty() ? QStringLiteral("미입력") : sire].add(row, g);
    m_bySex[row.cow ? QStringLiteral("암") : QStringLiteral("수")].add(row, g);
    m_total.add(row, g);
    if (g.other()) m_other.push_back({row.animal, row.graded, row.grade.trimmed()});
}

std::vector<ShipmentRow> ShipmentAnalysis::sortedRows(const QHash<QString, Sums>& groups)
{
    std::vector<ShipmentRow> rows;
    rows.reserve(size_t(groups.size()));
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) rows.push_back(it.value().row(it.key()));
    std::sort(rows.begin(), rows.end(), [](const ShipmentRow& a, const ShipmentRow& b) {
        return a.head != b.head ? a.head > b.head : a.label < b.label;
    });
    return rows;
}

ShipmentResult ShipmentAnalysis::finish()
{
    ShipmentResult r;
    r.bySire = sortedRows(m_bySire);
    r.bySex = sortedRows(m_bySex);
    r.total = m_total.row(QStringLiteral("합계"));
    r.otherGrades = std::move(m_other);
    std::sort(r.otherGrades.begin(), r.otherGrades.end(), [](const OtherGrade& a, const OtherGrade& b) {
        return a.graded != b.graded ? a.graded < b.graded : a.animal < b.animal;
    });
    return r;
}

ShipmentResult analyseShipments(const std::vector<GradingRow>& rows, const books::Period& period)
{
    ShipmentAnalysis a(period);
    for (const GradingRow& r : rows) a.add(r);
    return a.finish();
}

namespace {
enum GradingColumn {
    G개체번호,
    G구분,
    G개체생일,
    G정액번호,
    G판정일,
    G생체중,
    G도체중,
    G등심단면적,
    G등지방두께,
    G근내지방,
    G최종등급,
    G경락가
};
}  // namespace

void readGradingRows(const books::Period& period, const std::function<void(const GradingRow&)>& each)
{
    QSqlQuery q =
        runQuery(QStringLiteral("select 등급판정.개체번호, 개체관리.구분, 개체관리.개체생일, 개체관리.정액번호, "
                                "등급판정.판정일, 등급판정.생체중, 등급판정.도체중, 등급판정.등심단면적, "
                                "등급판정.등지방두께, 등급판정.근내지방, 등급판정.최종등급, 등급판정.경락가 "
                                "from 등급판정 join 개체관리 on 개체관리.개체번호 = 등급판정.개체번호 "
                                "where 등급판정.판정일 >= ? and 등급판정.판정일 <= ?"),
                 {period.from, period.to});
    GradingRow r;
    while (q.next()) {
        r.animal = q.value(G개체번호).toString();
        r.cow = q.value(G구분).toLongLong() == 0;
        r.birth = q.value(G개체생일).toLongLong();
        r.sire = q.value(G정액번호).toString();
        r.graded = q.value(G판정일).toLongLong();
        r.liveWeight = q.value(G생체중).toDouble();
        r.carcassWeight = q.value(G도체중).toDouble();
        r.loinEye = q.value(G등심단면적).toDouble();
        r.backfat = q.value(G등지방두께).toDouble();
        r.marbling = q.value(G근내지방).toDouble();
        r.grade = q.value(G최종등급).toString();
        r.price = q.value(G경락가).toDouble();
        each(r);
    }
    if (q.lastError().isValid()) throw DbError(q.lastError());
}

ShipmentResult loadShipments(const books::Period& period)
{
    ShipmentAnalysis a(period);
    readGradingRows(period, [&a](const GradingRow& r) { a.add(r); });
    return a.finish();
}

}  // namespace analysis
