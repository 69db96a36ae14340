// The herd analysis rules on hand-computed cases: fertility figures of small herds with the
// awkward records real farms have, grade reading, the shipment table and targets.
#include "analysis/model/HerdAnalysis.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <ostream>

namespace analysis {
// Readable failures.
void PrintTo(const Figure& f, std::ostream* os)
{
    *os << "{value " << f.value << ", n " << f.n << ", left out " << f.leftOut << ", pending " << f.pending << '}';
}
void PrintTo(const RecordToCheck& c, std::ostream* os)
{
    *os << '{' << checkKindText(c.kind).toStdString() << ' ' << c.animal.toStdString() << ' ' << c.from << ".." << c.to
        << ": " << c.days << '}';
}
void PrintTo(const ConceptionRow& r, std::ostream* os)
{
    *os << '{' << r.label.toStdString() << ": services " << r.services << ", conceptions " << r.conceptions
        << ", pending " << r.pending << '}';
}
}  // namespace analysis

using namespace analysis;

namespace {
const books::Period k2009{20090101, 20091231};
const QDate kToday(2009, 12, 8);

// A breeding row of a cow: first service, semen S1 by 김수정, born 2005-01-01, unless told.
struct Row {
    BreedingRow r;
    Row(const char* animal, qint64 inseminated, double service = 1)
    {
        r.animal = QString::fromUtf8(animal);
        r.inseminated = inseminated;
        r.service = service;
        r.birth = 20050101;
        r.semen = QStringLiteral("S1");
        r.inseminator = QStringLiteral("김수정");
    }
    Row& checked(qint64 on, int verdict)
    {
        r.checked = on;
        r.verdict = verdict;
        return *this;
    }
    Row& verdict(int v)
    {
        r.verdict = v;
        return *this;
    }
    Row& calved(qint64 on)
    {
        r.calved = on;
        return *this;
    }
    Row& note(const char* text)
    {
        r.note = QString::fromUtf8(text);
        return *this;
    }
    Row& donor(const char* cow)
    {
        r.donor = QString::fromUtf8(cow);
        return *this;
    }
    Row& born(qint64 on)
    {
        r.birth = on;
        return *this;
    }
    Row& bull()
    {
        r.cow = false;
        return *this;
    }
    Row& sold(qint64 on)
    {
        r.sold = on;
        return *this;
    }
    Row& pen(const char* p)
    {
        r.pen = QString::fromUtf8(p);
        return *this;
    }
    Row& semen(const char* s)
    {
        r.semen = QString::fromUtf8(s);
        return *this;
    }
    Row& by(const char* who)
    {
        r.inseminator = QString::fromUtf8(who);
        return *this;
    }
};

std::vector<BreedingRow> rowsOf(std::initializer_list<Row> rows)
{
    std::vector<BreedingRow> out;
    for (const Row& r : rows) out.push_back(r.r);
    return out;
}

ConceptionRow all(int services, int conceptions, int pending = 0)
{
    return {QStringLiteral("전체"), services, conceptions, pending};
}
ConceptionRow transfers(int services, int conceptions, int pending = 0)
{
    return {QStringLiteral("수정란 이식"), services, conceptions, pending};
}

QStringList pendingOf(const FertilityResult& r)
{
    QStringList out;
    for (const PendingService& p : r.pending)
        out << QStringLiteral("%1 %2 %3 %4").arg(p.animal).arg(p.inseminated).arg(p.daysSince).arg(p.pen).trimmed();
    return out;
}

QStringList abortionsOf(const FertilityResult& r)
{
    QStringList out;
    for (const Abortion& a : r.abortions)
        out << QStringLiteral("%1 %2 %3 %4").arg(a.animal).arg(a.inseminated).arg(a.date).arg(a.note).trimmed();
    return out;
}
}  // namespace

TEST(FertilityRules, HandComputedHerds)
{
    struct Case {
        const char* what;
        std::vector<BreedingRow> rows;
        Figure interval, firstService, daysOpen, firstCalving;
        ConceptionRow overall, embryo;
        QStringList pending, abortions;
    };
    const Case cases[] = {
        {"a cow with three calvings: two intervals end in the period (356 and 325 days)",
         rowsOf({Row("A", 20070415).checked(20070615, 0).calved(20080120), Row("A", 20080405).checked(20080530, 1),
                 Row("A", 20080426, 2).calved(20090110), Row("A", 20090301).checked(20090501, 0).calved(20091201)}),
         {340.5, 2},
         {50, 1},
         {50, 1},
         {},
         all(1, 1),
         transfers(0, 0),
         {},
         {}},
        {"a repeat breeder: 부, re-served without a check, 부, then 가 on the fourth service",
         rowsOf({Row("B", 20070901).checked(20071101, 0).calved(20080610), Row("B", 20090105).checked(20090301, 1),
                 Row("B", 20090310, 2), Row("B", 20090402, 3).checked(20090601, 1),
                 Row("B", 20090520, 4).checked(20090720, 0)}),
         {},
         {209, 1},
         {344, 1},
         {},
         all(4, 1),
         transfers(0, 0),
         {},
         {}},
        {"checked 가, then 비고 notes an abortion: still a conception, and the accident date is no calving",
         rowsOf({Row("C", 20070725).calved(20080501),
                 Row("C", 20090201).checked(20090401, 0).calved(20090701).note("유산 (5개월)").pen("1-2"),
                 Row("C", 20090801).checked(20091001, 0)}),
         {},
         {276, 1},
         {276, 1},
         {},
         all(2, 2),
         transfers(0, 0),
         {},
         {"C 20090201 20090701 유산 (5개월)"}},
        {"records out of date order, mixed with another cow's",
         rowsOf({Row("D", 20090615, 2).checked(20090814, 0), Row("D2", 20090301).checked(20090501, 1),
                 Row("D", 20080110).calved(20081018), Row("D", 20090510)}),
         {},
         {204, 1},
         {240, 1},
         {},
         all(3, 1),
         transfers(0, 0),
         {},
         {}},
        {"a calving without a recorded insemination closes the cycle before it",
         rowsOf({Row("E", 20070401).checked(20070601, 0).calved(20080110), Row("E", 20080301).checked(20080501, 1),
                 Row("E", 0).calved(20090201), Row("E", 20090401).checked(20090601, 0)}),
         {388, 1},
         {59, 1},
         {59, 1},
         {},
         all(1, 1),
         transfers(0, 0),
         {},
         {}},
        {"a bull's stray rows are ignored",
         rowsOf({Row("F", 20090301).checked(20090501, 0).calved(20091201).bull(),
                 Row("F", 20080301).calved(20081201).bull(), Row("F", 20090801).bull()}),
         {},
         {},
         {},
         {},
         all(0, 0),
         transfers(0, 0),
         {},
         {}},
        {"an embryo transfer is its own line, yet ends the wait for a service",
         rowsOf({Row("G", 20070825).calved(20080601), Row("G", 20090210).donor("KR0041000999").checked(20090410, 0)}),
         {},
         {254, 1},
         {254, 1},
         {},
         all(0, 0),
         transfers(1, 1),
         {},
         {}},
        {"pending services: counted beside the rates in the period, listed after 60 days on the farm",
         rowsOf({Row("H", 20080224).calved(20081201).pen("3-1"), Row("H", 20090901).pen("3-1"), Row("H2", 20091101),
                 Row("H3", 20080501).pen("2-7"), Row("H4", 20090301).sold(20090601), Row("H5", 20090701).verdict(1)}),
         {},
         {274, 1},
         {0, 0, 0, 1},
         {},
         all(1, 0, 3),
         transfers(0, 0),
         {"H3 20080501 586 2-7", "H 20090901 98 3-1"},
         {}},
        {"first calvings: a cow without 개체생일 is left out, two ages average in days (887, 762)",
         rowsOf({Row("I1", 20080525).calved(20090301).born(0), Row("I2", 20080720).calved(20090420).born(20061115),
                 Row("I3", 20080425).calved(20090201).born(20070101)}),
         {},
         {},
         {},
         {27.1, 2, 1},
         all(0, 0),
         transfers(0, 0),
         {},
         {}},
        {"a date that is no day is not entered: no service, no check, no calving",
         rowsOf({Row("K", 20090230).checked(20090401, 0), Row("K2", 20090105).checked(20090230, 0).calved(20091331)}),
         {},
         {},
         {},
         {},
         all(0, 0, 1),
         transfers(0, 0),
         {"K2 20090105 337"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FertilityResult r = analyseFertility(c.rows, k2009, kToday);
        EXPECT_EQ(r.calvingInterval, c.interval);
        EXPECT_EQ(r.firstServiceInterval, c.firstService);
        EXPECT_EQ(r.daysOpen, c.daysOpen);
        EXPECT_EQ(r.ageAtFirstCalving, c.firstCalving);
        EXPECT_EQ(r.overall, c.overall);
        EXPECT_EQ(r.embryoTransfer, c.embryo);
        EXPECT_EQ(pendingOf(r), c.pending);
        EXPECT_EQ(abortionsOf(r), c.abortions);
    }
}

TEST(FertilityRules, ConceptionTablesSplitTheSameServices)
{
    // Services in 2009: R1 1회 부 (S1, 김) / 2회 no check, later service (S1, 이) / 3회 가 (S2, 이);
    // R2 1회 가 (S2, 김), 1회 pending (S2, blank inseminator), no 회수 부 (blank semen);
    // an embryo transfer and a 2008 service stay out of every line below.
    const FertilityResult r = analyseFertility(
        rowsOf({Row("R1", 20090110).checked(20090301, 1).semen("S1").by("김"),
                Row("R1", 20090305, 2).semen("S1").by("이"),
                Row("R1", 20090402, 3).checked(20090601, 0).semen("S2").by("이"),
                Row("R2", 20081201).checked(20090201, 1), Row("R2", 20090210).checked(20090410, 0).semen("S2").by("김"),
                Row("R2", 20090301, 0).checked(20090501, 1).semen(""), Row("R2", 20091101).semen("S2").by(""),
                Row("R3", 20090115).donor("KR1").checked(20090315, 0)}),
        k2009, kToday);
    // Known outcomes: R1 ×3, R2 20090210 (가 though a later service exists), R2 20090301 (부).
    EXPECT_EQ(r.overall, all(5, 2, 1));
    EXPECT_DOUBLE_EQ(r.overall.rate(), 40.0);
    EXPECT_DOUBLE_EQ(r.overall.servicesPerConception(), 2.5);
    EXPECT_EQ(r.firstService, (ConceptionRow{QStringLiteral("첫 수정"), 2, 1, 1}));
    EXPECT_EQ(r.byServiceNumber, (std::vector<ConceptionRow>{{QStringLiteral("1회"), 2, 1, 1},
                                                             {QStringLiteral("2회"), 1, 0, 0},
                                                             {QStringLiteral("3회 이상"), 1, 1, 0}}));
    EXPECT_EQ(r.serviceNumberLeftOut, 1);
    EXPECT_EQ(r.bySemen, (std::vector<ConceptionRow>{{QStringLiteral("S2"), 2, 2, 1},
                                                     {QStringLiteral("S1"), 2, 0, 0},
                                                     {QStringLiteral("미입력"), 1, 0, 0}}));
    EXPECT_EQ(r.byInseminator, (std::vector<ConceptionRow>{{QStringLiteral("김"), 2, 1, 0},
                                                           {QStringLiteral("이"), 2, 1, 0},
                                                           {QStringLiteral("김수정"), 1, 0, 0},
                                                           {QStringLiteral("미입력"), 0, 0, 1}}));
    ASSERT_EQ(r.byMonth.size(), 12u);
    EXPECT_EQ(r.byMonth[0], (ConceptionRow{QStringLiteral("2009-01"), 1, 0, 0}));
    EXPECT_EQ(r.byMonth[1], (ConceptionRow{QStringLiteral("2009-02"), 1, 1, 0}));
    EXPECT_EQ(r.byMonth[2], (ConceptionRow{QStringLiteral("2009-03"), 2, 0, 0}));
    EXPECT_EQ(r.byMonth[3], (ConceptionRow{QStringLiteral("2009-04"), 1, 1, 0}));
    EXPECT_EQ(r.byMonth[10], (ConceptionRow{QStringLiteral("2009-11"), 0, 0, 1}));
    EXPECT_EQ(r.byMonth[11], (ConceptionRow{QStringLiteral("2009-12"), 0, 0, 0}));
    EXPECT_EQ(r.embryoTransfer, transfers(1, 1));
}

TEST(FertilityRules, AbortionIsReadFromTheNotes)
{
    const struct {
        const char* text;
        bool abortion;
    } cases[] = {
        {"유산", true},  {"유산 (5개월)", true}, {"7월 유산함", true},          {"유사산", true}, {"유/사산", true},
        {"사산", false}, {"유산균 급여", false}, {"유산균 급여 후 유산", true}, {"", false},      {"난산", false},
    };
    for (const auto& c : cases) EXPECT_EQ(notesAbortion(QString::fromUtf8(c.text)), c.abortion) << c.text;
    // The form's 특이사항 box (분만난이도) is read as well as 비고.
    BreedingRow r = Row("A", 20090201).checked(20090401, 0).r;
    r.calvingNote = QStringLiteral("3 유산");
    const FertilityResult result = analyseFertility({r}, k2009, kToday);
    EXPECT_EQ(abortionsOf(result), QStringList{"A 20090201 0 3 유산"});
    EXPECT_EQ(result.overall, all(1, 1));
}

TEST(FertilityRules, MonthsAreDaysOverAnAverageMonthToOneDecimal)
{
    const std::pair<double, double> cases[] = {{762, 25.0}, {913, 30.0}, {30, 1.0},     {45, 1.5},
                                               {871, 28.6}, {887, 29.1}, {824.5, 27.1}, {0, 0.0}};
    for (const auto& [days, months] : cases) EXPECT_DOUBLE_EQ(monthsOf(days), months) << days;
}

TEST(FertilityRules, IntervalsNoCowCanHaveAreSetAsideAndListed)
{
    // A: calvings 2008-03-01 and 2009-03-16 (380 days), the second entered again two days later
    //    on a record of its own: 2 days between them, no calving interval.
    // B: calved 2008-04-01 and 2009-04-11 (375 days); served 2009-03-20, while still carrying the
    //    calf of 2008-07-05, then 2009-06-01 (conceived): the first service after the calving is
    //    not known, so neither that cycle's first service nor its days open count.
    // C: a plain cow, calvings 2008-05-01 and 2009-05-21 (385 days); first service 2009-07-10.
    const FertilityResult r = analyseFertility(
        rowsOf({Row("A", 20070601).checked(20070801, 0).calved(20080301),
                Row("A", 20080610).checked(20080810, 0).calved(20090316), Row("A", 0).calved(20090318),
                Row("B", 20070625).checked(20070825, 0).calved(20080401),
                Row("B", 20080705).checked(20080905, 0).calved(20090411), Row("B", 20090320).pen("2-1"),
                Row("B", 20090601).checked(20090801, 0), Row("C", 20070720).checked(20070920, 0).calved(20080501),
                Row("C", 20080810).checked(20081010, 0).calved(20090521), Row("C", 20090710).checked(20090910, 0)}),
        k2009, kToday);
    EXPECT_EQ(r.calvingInterval, (Figure{380, 3, 0, 0, 1}));  // (380 + 375 + 385) ÷ 3, the 2 days set aside
    EXPECT_EQ(r.calvingIntervals, (std::vector<int>{380, 375, 385}));
    // First services: A 2009-03-18 → none; C 50 days; B set aside.
    EXPECT_EQ(r.firstServiceInterval, (Figure{50, 1, 0, 0, 1}));
    EXPECT_EQ(r.daysOpen, (Figure{50, 1, 0, 0, 1}));
    EXPECT_EQ(
        r.toCheck,
        (std::vector<RecordToCheck>{
            {RecordToCheck::ShortCalvingInterval, QStringLiteral("A"), QString(), 20090316, 20090318, 2},
            {RecordToCheck::ServiceBeforeCalving, QStringLiteral("B"), QStringLiteral("2-1"), 20090320, 20090411, 22},
        }));
    EXPECT_EQ(checkKindText(RecordToCheck::ShortCalvingInterval), QStringLiteral("분만간격 300일 미만"));

    // The shortest possible interval stays in; a record outside the period is not listed.
    const FertilityResult edge =
        analyseFertility(rowsOf({Row("D", 20070601).calved(20080310), Row("D", 20080401).calved(20090104),  // 300 days
                                 Row("E", 20070101).calved(20071001), Row("E", 0).calved(20071003)}),
                         k2009, kToday);
    EXPECT_EQ(edge.calvingInterval, (Figure{300, 1}));
    EXPECT_TRUE(edge.toCheck.empty());
}

TEST(ShipmentRules, FinalGradesAreReadAsFarmersWriteThem)
{
    const struct {
        const char* text;
        int quality;  // -1: not recognised
        int yield;    // -1: none
        bool other;
    } cases[] = {
        {"1++A", 0, 0, false},   {"1+B", 1, 1, false},     {"2C", 3, 2, false},   {"1+", 1, -1, false},
        {"1++", 0, -1, false},   {"1", 2, -1, false},      {"3", 4, -1, false},   {" 1 + + a ", 0, 0, false},
        {"１＋Ｂ", 1, 1, false}, {"1+등급", 1, -1, false}, {"1+D", -1, -1, true}, {"등외", -1, -1, true},
        {"4A", -1, -1, true},    {"12", -1, -1, true},     {"A", -1, -1, true},   {"", -1, -1, false},
        {"  ", -1, -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const GradeReading g = readGrade(QString::fromUtf8(c.text));
        EXPECT_EQ(g.quality, c.quality);
        EXPECT_EQ(g.yield, c.yield);
        EXPECT_EQ(g.other(), c.other);
    }
}

namespace {
GradingRow graded(const char* animal, const char* sire, bool cow, qint64 on, const char* grade, double carcass,
                  double marbling, double price, qint64 birth = 20070101)
{
    GradingRow g;
    g.animal = QString::fromUtf8(animal);
    g.sire = QString::fromUtf8(sire);
    g.cow = cow;
    g.graded = on;
    g.grade = QString::fromUtf8(grade);
    g.carcassWeight = carcass;
    g.liveWeight = carcass > 0 ? carcass + 300 : 0;
    g.marbling = marbling;
    g.price = price;
    g.birth = birth;
    return g;
}
}  // namespace

TEST(ShipmentRules, GradingsGroupBySireAndSexWithATotalLine)
{
    const ShipmentResult r = analyseShipments(
        {
            graded("S1", "KPN1", false, 20090310, "1++A", 450, 9, 21000),
            graded("S2", "KPN1", false, 20090410, "1+B", 430, 7, 19000),
            graded("S3", "KPN1", true, 20090510, "1+", 0, 6, 18000, 0),  // no carcass weight, no birth
            graded("S4", "KPN2", false, 20090610, "2C", 400, 3, 15000),
            graded("S5", "", true, 20090710, "등외", 380, 2, 0),
            graded("S6", "KPN2", false, 20090810, "", 410, 0, 16000),
            graded("S7", "KPN1", false, 20081231, "1++A", 500, 9, 22000),  // before the period
        },
        k2009);
    ASSERT_EQ(r.bySire.size(), 3u);
    const ShipmentRow& kpn1 = r.bySire[0];
    EXPECT_EQ(kpn1.label, QStringLiteral("KPN1"));
    EXPECT_EQ(kpn1.head, 3);
    EXPECT_EQ(kpn1.carcassWeight, (Figure{440, 2, 1}));
    EXPECT_EQ(kpn1.marbling, (Figure{7.3, 3}));
    EXPECT_EQ(kpn1.price, (Figure{19333, 3}));
    // S1 born 2007-01-01, graded 2009-03-10: 799 days; S2 830 days; S3 without 개체생일.
    EXPECT_EQ(kpn1.age, (Figure{26.8, 2, 1}));
    EXPECT_EQ(kpn1.quality, (std::array<int, 5>{1, 2, 0, 0, 0}));
    EXPECT_EQ(kpn1.qualityHead, 3);
    EXPECT_DOUBLE_EQ(kpn1.qualityShare(1), 66.7);
    EXPECT_EQ(kpn1.yield, (std::array<int, 3>{1, 1, 0}));
    EXPECT_EQ(kpn1.yieldHead, 2);
    EXPECT_DOUBLE_EQ(kpn1.yieldShare(0), 50.0);
    EXPECT_EQ(r.bySire[1].label, QStringLiteral("KPN2"));
    EXPECT_EQ(r.bySire[1].head, 2);
    EXPECT_EQ(r.bySire[1].ungraded, 1);
    EXPECT_EQ(r.bySire[1].marbling, (Figure{3, 1, 1}));
    EXPECT_EQ(r.bySire[2].label, QStringLiteral("미입력"));
    EXPECT_EQ(r.bySire[2].other, 1);
    EXPECT_EQ(r.bySire[2].qualityHead, 0);
    EXPECT_DOUBLE_EQ(r.bySire[2].qualityShare(0), 0.0);

    ASSERT_EQ(r.bySex.size(), 2u);
    EXPECT_EQ(r.bySex[0].label, QStringLiteral("수"));
    EXPECT_EQ(r.bySex[0].head, 4);
    EXPECT_EQ(r.bySex[1].label, QStringLiteral("암"));
    EXPECT_EQ(r.bySex[1].head, 2);

    const ShipmentRow& total = r.total;
    EXPECT_EQ(total.label, QStringLiteral("합계"));
    EXPECT_EQ(total.head, 6);
    EXPECT_EQ(total.carcassWeight, (Figure{414, 5, 1}));
    EXPECT_EQ(total.price, (Figure{17800, 5, 1}));
    EXPECT_EQ(total.quality, (std::array<int, 5>{1, 2, 0, 1, 0}));
    EXPECT_EQ(total.qualityHead, 4);
    EXPECT_DOUBLE_EQ(total.qualityShare(0), 25.0);
    EXPECT_EQ(total.yieldHead, 3);
    EXPECT_EQ(total.other, 1);
    EXPECT_EQ(total.ungraded, 1);
    ASSERT_EQ(r.otherGrades.size(), 1u);
    EXPECT_EQ(r.otherGrades[0], (OtherGrade{QStringLiteral("S5"), 20090710, QStringLiteral("등외")}));
}

TEST(AnalysisTargets, DefaultsAreThePublishedFigures)
{
    const Targets t = defaultTargets();
    EXPECT_EQ(t[TargetFigure::CalvingInterval], 365);
    EXPECT_EQ(t[TargetFigure::FirstServiceInterval], 120);
    EXPECT_EQ(t[TargetFigure::DaysOpen], 85);
    EXPECT_EQ(t[TargetFigure::ServicesPerConception], 1.45);
    EXPECT_EQ(t[TargetFigure::ConceptionRate], 72);
    EXPECT_EQ(t[TargetFigure::AgeAtFirstCalving], 28.7);
    const QString source = targetSourceText();
    for (const char* part : {"1996", "2016", "375일", "28.7개월", "1.45회", "72%", "120일", "280일"})
        EXPECT_TRUE(source.contains(QString::fromUtf8(part))) << part;
}

TEST(AnalysisTargets, VerdictsJudgeTheShownValueInTheFiguresDirection)
{
    const struct {
        TargetFigure figure;
        Figure value;
        double target;
        Verdict verdict;
    } cases[] = {
        {TargetFigure::CalvingInterval, {365, 4}, 365, Verdict::Meets},
        {TargetFigure::CalvingInterval, {365.1, 4}, 365, Verdict::Misses},
        {TargetFigure::DaysOpen, {85.04, 4}, 85, Verdict::Meets},  // shown as 85.0
        {TargetFigure::DaysOpen, {85.06, 4}, 85, Verdict::Misses},
        {TargetFigure::FirstServiceInterval, {60, 1}, 120, Verdict::Meets},
        {TargetFigure::ServicesPerConception, {1.454, 9}, 1.45, Verdict::Meets},
        {TargetFigure::ServicesPerConception, {1.456, 9}, 1.45, Verdict::Misses},
        {TargetFigure::ConceptionRate, {71.96, 9}, 72, Verdict::Meets},  // higher is better
        {TargetFigure::ConceptionRate, {71.9, 9}, 72, Verdict::Misses},
        {TargetFigure::ConceptionRate, {90, 9}, 72, Verdict::Meets},
        {TargetFigure::AgeAtFirstCalving, {30.2, 3}, 28.7, Verdict::Misses},
        {TargetFigure::AgeAtFirstCalving, {0, 0, 2}, 28.7, Verdict::NoData},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(figureInfo(c.figure).name.toStdString() + " " + std::to_string(c.value.value));
        EXPECT_EQ(verdictOf(c.figure, c.value, c.target), c.verdict);
    }
    EXPECT_EQ(verdictWord(Verdict::Meets), QStringLiteral("목표 달성"));
    EXPECT_EQ(verdictWord(Verdict::Misses), QStringLiteral("목표 미달"));
    EXPECT_EQ(verdictWord(Verdict::NoData), QStringLiteral("자료 없음"));
}

TEST(AnalysisTargets, EachTargetIsBoundedToWhatAFarmCanHaveAndTheRefusalNamesTheRange)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        TargetFigure figure;
        std::vector<double> taken, refused;
        const char* message;
    } cases[] = {
        {TargetFigure::CalvingInterval,
         {300, 365, 500},
         {299.9, 500.5, 36500, 1000000, 99999999999, 0, -365, inf, std::nan("")},
         "분만간격 목표는 300~500일 사이의 수로 입력해 주세요."},
        {TargetFigure::FirstServiceInterval,
         {20, 120, 200},
         {19, 201, 0},
         "분만 후 첫 수정일수 목표는 20~200일 사이의 수로 입력해 주세요."},
        {TargetFigure::DaysOpen, {20, 85, 220}, {19.9, 221, 0}, "공태일수 목표는 20~220일 사이의 수로 입력해 주세요."},
        {TargetFigure::ServicesPerConception,
         {1, 1.45, 5},
         {0.99, 5.01, 5000},
         "수태당 수정횟수 목표는 1~5회 사이의 수로 입력해 주세요."},
        {TargetFigure::ConceptionRate,
         {10, 72, 100},
         {9.9, 100.5, 0},
         "수태율 목표는 10~100% 사이의 수로 입력해 주세요."},
        {TargetFigure::AgeAtFirstCalving,
         {18, 28.7, 48},
         {17.9, 48.1, 100000},
         "초산월령 목표는 18~48개월 사이의 수로 입력해 주세요."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(figureInfo(c.figure).name.toStdString());
        EXPECT_TRUE(targetProblem(c.figure, figureInfo(c.figure).defaultTarget).isEmpty());
        for (double v : c.taken) EXPECT_TRUE(targetProblem(c.figure, v).isEmpty()) << v;
        for (double v : c.refused) EXPECT_EQ(targetProblem(c.figure, v), QString::fromUtf8(c.message)) << v;
    }
}

TEST(AnalysisTargets, FigureLinesTakeTheRatesFromTheOverallLine)
{
    FertilityResult r;
    r.calvingInterval = {372.4, 12};
    r.daysOpen = {80, 10, 0, 2};
    r.overall = all(20, 13, 4);
    Targets t = defaultTargets();
    t[TargetFigure::ConceptionRate] = 60;
    const std::vector<FigureLine> lines = figureLines(r, t);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].figure, TargetFigure::CalvingInterval);
    EXPECT_EQ(lines[0].verdict, Verdict::Misses);
    EXPECT_EQ(lines[1].verdict, Verdict::NoData);
    EXPECT_EQ(lines[2].value, (Figure{80, 10, 0, 2}));
    EXPECT_EQ(lines[2].verdict, Verdict::Meets);
    EXPECT_EQ(lines[3].value, (Figure{1.54, 20, 0, 4}));  // 20 ÷ 13
    EXPECT_EQ(lines[3].verdict, Verdict::Misses);
    EXPECT_EQ(lines[4].value, (Figure{65, 20, 0, 4}));
    EXPECT_EQ(lines[4].target, 60);
    EXPECT_EQ(lines[4].verdict, Verdict::Meets);
    EXPECT_EQ(lines[5].verdict, Verdict::NoData);
}

TEST(AnalysisTargets, TheOpeningPeriodIsTheLastTwelveMonths)
{
    const books::Period p = defaultPeriod(QDate(2009, 12, 8));
    EXPECT_EQ(p.from, 20081209);
    EXPECT_EQ(p.to, 20091208);
    EXPECT_EQ(defaultPeriod(QDate(2012, 2, 29)).from, 20110301);
}
