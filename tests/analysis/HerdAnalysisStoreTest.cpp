// The herd analysis on a farm's database: the loaders read what the rules expect, and the
// targets live in 성적목표, which an older farm file gets when it is opened, its data untouched.
#include "analysis/model/ChartLayout.h"
#include "analysis/model/HerdAnalysis.h"
#include "books/BookFixture.h"
#include "data/Db.h"
#include "data/ProgramDir.h"
#include "data/SampleFarm.h"
#include "data/Schema.h"
#include "data/ScopedConnection.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QFile>
#include <QSqlRecord>
#include <algorithm>

using namespace analysis;

namespace {
class HerdAnalysisStore : public BookTest {
protected:
    const books::Period k2009{20090101, 20091231};
};

// Every row of every table but 성적목표, "table: a | b | c", in stored order.
QStringList everyRow()
{
    QStringList tables;
    {
        QSqlQuery q = runQuery(QStringLiteral("select name from sqlite_master where type = 'table' order by name"));
        while (q.next()) tables << q.value(0).toString();
    }
    QStringList rows;
    for (const QString& t : tables) {
        if (t == QStringLiteral("성적목표")) continue;
        QSqlQuery q = runQuery(QStringLiteral("select * from \"%1\" order by rowid").arg(t));
        while (q.next()) {
            QStringList cells;
            for (int c = 0; c < q.record().count(); ++c) cells << q.value(c).toString();
            rows << t + QStringLiteral(": ") + cells.join(QStringLiteral(" | "));
        }
    }
    return rows;
}
}  // namespace

TEST_F(HerdAnalysisStore, TheLoadersReadCowsRecordsWithTheirAnimalAndTheGradingsOfThePeriod)
{
    cow(QStringLiteral("KR1"), {{"우방번호", "3-1"}});
    cow(QStringLiteral("KR2"), {{"판매일", 20090601}});
    bull(QStringLiteral("KR3"), {{"정액번호", "KPN7"}});
    // Stored out of date order; KR1's last service is pending, 98 days old on 2009-12-08.
    farm.addBreeding(QStringLiteral("KR1"), 20090901, {{"회수", 2}, {"정액번호", "1050"}, {"인공수정자", "이인공"}});
    farm.addBreeding(QStringLiteral("KR1"), 20080224,
                     {{"회수", 1}, {"분만일", 20081201}, {"판정일", 20080501}, {"가부", 0}});
    farm.addBreeding(QStringLiteral("KR1"), 20090710,
                     {{"회수", 1}, {"판정일", 20090901}, {"가부", 1}, {"정액번호", "1050"}, {"인공수정자", "이인공"}});
    farm.addBreeding(QStringLiteral("KR2"), 20090301, {{"회수", 1}, {"정액번호", "0987"}});  // sold: not on the list
    farm.addBreeding(QStringLiteral("KR3"), 20090301, {{"회수", 1}, {"판정일", 20090501}, {"가부", 0}});  // a bull's
    farm.addBreeding(QStringLiteral("KR9"), 20090301, {{"회수", 1}, {"판정일", 20090501}, {"가부", 0}});  // no animal
    // An abortion told in the 특이사항 box, and a note that tells of none.
    cow(QStringLiteral("KR4"), {{"우방번호", "5-5"}});
    farm.addBreeding(QStringLiteral("KR4"), 20090201,
                     {{"회수", 1},
                      {"판정일", 20090401},
                      {"가부", 0},
                      {"분만일", 20090701},
                      {"분만난이도", "유산"},
                      {"비고", "송아지 허약"},
                      {"정액번호", "0987"}});

    const FertilityResult f = loadFertility(k2009, kToday);
    EXPECT_EQ(f.overall, (ConceptionRow{QStringLiteral("전체"), 2, 1, 2}));
    EXPECT_EQ(f.firstServiceInterval, (Figure{221, 1}));  // 2008-12-01 to 2009-07-10
    ASSERT_EQ(f.pending.size(), 1u);
    EXPECT_EQ(f.pending[0], (PendingService{QStringLiteral("KR1"), QStringLiteral("3-1"), 20090901, 98, false}));
    ASSERT_EQ(f.abortions.size(), 1u);
    EXPECT_EQ(f.abortions[0],
              (Abortion{QStringLiteral("KR4"), QStringLiteral("5-5"), 20090201, 20090701, QStringLiteral("유산")}));
    EXPECT_EQ(f.bySemen,
              (std::vector<ConceptionRow>{{QStringLiteral("0987"), 1, 1, 1}, {QStringLiteral("1050"), 1, 0, 1}}));
    EXPECT_EQ(f.byInseminator,
              (std::vector<ConceptionRow>{{QStringLiteral("미입력"), 1, 1, 1}, {QStringLiteral("이인공"), 1, 0, 1}}));

    grading(QStringLiteral("KR3"), 20090101, {{"최종등급", "1++A"}, {"도체중", 450.0}, {"경락가", 21000}});
    grading(QStringLiteral("KR2"), 20091231, {{"최종등급", "1+B"}, {"도체중", 350.0}});
    grading(QStringLiteral("KR1"), 20100101, {{"최종등급", "1"}});  // after the period
    const ShipmentResult s = loadShipments(k2009);
    EXPECT_EQ(s.total.head, 2);
    EXPECT_EQ(s.total.carcassWeight, (Figure{400, 2}));
    ASSERT_EQ(s.bySire.size(), 2u);
    EXPECT_EQ(s.bySire[0].label, QStringLiteral("KPN7"));
    EXPECT_EQ(s.bySire[1].label, QStringLiteral("미입력"));
    ASSERT_EQ(s.bySex.size(), 2u);
    EXPECT_EQ(s.bySex[0].label, QStringLiteral("수"));
    EXPECT_EQ(s.bySex[1].label, QStringLiteral("암"));

    const HerdAnalysis both = loadHerdAnalysis(k2009, kToday);
    EXPECT_EQ(both.fertility.overall, f.overall);
    EXPECT_EQ(both.shipment.total.head, 2);
}

TEST_F(HerdAnalysisStore, TargetsAreStoredAndReadBackWithDefaultsForWhatIsMissing)
{
    EXPECT_EQ(readTargets(), defaultTargets());
    Targets t = defaultTargets();
    t[TargetFigure::CalvingInterval] = 380;
    t[TargetFigure::ConceptionRate] = 65.5;
    t[TargetFigure::ServicesPerConception] = 1.6;
    storeTargets(t);
    EXPECT_EQ(readTargets(), t);
    EXPECT_EQ(farm.count(QStringLiteral("성적목표")), 6);
    storeTargets(t);  // replaced, not added
    EXPECT_EQ(farm.count(QStringLiteral("성적목표")), 6);

    // A row another program wrote wrong, or one this version does not know, leaves its default.
    farm.exec(QStringLiteral("update 성적목표 set 목표값 = -3 where 항목 = '분만간격'"));
    farm.exec(QStringLiteral("insert into 성적목표 values('다른항목', 5)"));
    Targets expected = t;
    expected[TargetFigure::CalvingInterval] = 365;
    EXPECT_EQ(readTargets(), expected);

    // A file without the table (one that could not take it, opened read only) has the defaults.
    farm.exec(QStringLiteral("drop table 성적목표"));
    EXPECT_EQ(readTargets(), defaultTargets());
}

TEST_F(HerdAnalysisStore, AStoredTargetOutsideItsRangeIsReadAsTheDefaultWithANote)
{
    Targets t = defaultTargets();
    t[TargetFigure::DaysOpen] = 90;
    storeTargets(t);
    // What an older version let through, or a hand edit.
    farm.exec(QStringLiteral("update 성적목표 set 목표값 = 99999999999 where 항목 = '분만간격'"));
    farm.exec(QStringLiteral("update 성적목표 set 목표값 = 5000 where 항목 = '수태당수정횟수'"));
    farm.exec(QStringLiteral("update 성적목표 set 목표값 = 100000.5 where 항목 = '초산월령'"));
    farm.exec(QStringLiteral("update 성적목표 set 목표값 = -72 where 항목 = '수태율'"));
    QStringList notes;
    EXPECT_EQ(readTargets(&notes), t);
    EXPECT_EQ(notes, (QStringList{
                         "저장된 분만간격 목표(99999999999)는 300~500일 밖이라 기본값 365일로 판정합니다.",
                         "저장된 수태당 수정횟수 목표(5000)는 1~5회 밖이라 기본값 1.45회로 판정합니다.",
                         "저장된 수태율 목표(-72)는 10~100% 밖이라 기본값 72%로 판정합니다.",
                         "저장된 초산월령 목표(100000.5)는 18~48개월 밖이라 기본값 28.7개월로 판정합니다.",
                     }));
    notes.clear();
    storeTargets(t);
    EXPECT_EQ(readTargets(&notes), t);
    EXPECT_TRUE(notes.isEmpty());
}

TEST_F(HerdAnalysisStore, ATargetThatCannotBeStoredChangesNothing)
{
    Targets t = defaultTargets();
    t[TargetFigure::DaysOpen] = 90;
    storeTargets(t);

    Targets bad = t;
    bad[TargetFigure::ConceptionRate] = 120;
    try {
        storeTargets(bad);
        ADD_FAILURE() << "stored a rate of 120%";
    } catch (const DbError& e) {
        EXPECT_EQ(e.description, QStringLiteral("수태율 목표는 10~100% 사이의 수로 입력해 주세요."));
    }
    EXPECT_EQ(readTargets(), t);

    // The database refuses the fourth row: the three before it go back too.
    farm.exec(
        QStringLiteral("create trigger 막기 before insert on 성적목표 when new.항목 = '수태당수정횟수' "
                       "begin select raise(abort, '막힘'); end"));
    Targets other = t;
    other[TargetFigure::CalvingInterval] = 370;
    EXPECT_THROW(storeTargets(other), DbError);
    EXPECT_EQ(readTargets(), t);
}

TEST(HerdAnalysisUpgrade, AFarmMadeBeforeTheTargetsTableGetsItAndKeepsItsData)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    // The previous version's file: every table but 성적목표 and the analysis print's work
    // table, with records in it.
    farm.exec(QStringLiteral("drop table 성적목표"));
    farm.exec(QStringLiteral("drop table 성적분석워크"));
    farm.addAnimalWithHistory(QStringLiteral("KR1"));
    farm.addAnimalWithHistory(QStringLiteral("KR2"), 1);
    farm.addBreeding(QStringLiteral("KR1"), 20090501, {{"판정일", 20090701}, {"가부", 0}, {"비고", "유산"}});
    farm.exec(QStringLiteral("insert into 지원연락처 values('김지원', '010-1111-2222')"));
    farm.exec(QStringLiteral("update 농장정보 set 사업장명칭 = '햇살한우농장'"));
    const QStringList before = everyRow();
    ASSERT_GT(before.size(), 10);
    farm.close();

    ASSERT_TRUE(farm.open());
    EXPECT_EQ(farm.messages().count(), 0);
    EXPECT_EQ(farm.scalar(QStringLiteral("select count(*) from sqlite_master where name = '성적목표'")),
              QStringLiteral("1"));
    EXPECT_EQ(farm.scalar(QStringLiteral("select count(*) from sqlite_master where name = '성적분석워크'")),
              QStringLiteral("1"));
    EXPECT_EQ(everyRow(), before);
    EXPECT_EQ(readTargets(), defaultTargets());
    Targets t = defaultTargets();
    t[TargetFigure::AgeAtFirstCalving] = 26;
    storeTargets(t);
    EXPECT_EQ(readTargets(), t);
    EXPECT_EQ(everyRow(), before);
}

TEST(HerdAnalysisUpgrade, AReadOnlyOlderFarmShowsTheDefaultTargets)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    bool written = true;
    const QByteArray seen = onReadOnlyOlderFarm(
        farm, QStringLiteral("성적목표"),
        [&] {
            if (!farm.open()) return QByteArray("not opened");
            QByteArray answer = "opened";
            try {
                answer += readTargets() == defaultTargets() ? " with the default targets" : " with other targets";
            } catch (const DbError& e) {
                answer += QByteArray(" but the targets threw: ") + e.what();
            }
            farm.close();
            return answer;
        },
        &written);
    EXPECT_EQ(seen, "opened with the default targets");
    EXPECT_FALSE(written) << "the read-only farm file was written";
}

TEST_F(HerdAnalysisStore, TheSampleFarmGivesEveryFigureData)
{
    SampleFarmOptions o;
    o.today = kToday;
    ASSERT_EQ(writeSampleFarm(gConn, o), QString());
    const HerdAnalysis a = loadHerdAnalysis(defaultPeriod(kToday), kToday);
    const FertilityResult& f = a.fertility;
    for (const FigureLine& line : figureLines(f, defaultTargets())) {
        SCOPED_TRACE(figureInfo(line.figure).name.toStdString());
        EXPECT_GT(line.value.n, 0);
        EXPECT_NE(line.verdict, Verdict::NoData);
    }
    EXPECT_GT(f.overall.pending, 0);
    EXPECT_GT(f.embryoTransfer.services, 0);
    for (const ConceptionRow& r : f.byServiceNumber) EXPECT_GT(r.services, 0) << r.label.toStdString();
    EXPECT_GT(f.bySemen.size(), 1u);
    EXPECT_GT(f.byInseminator.size(), 1u);
    EXPECT_FALSE(f.abortions.empty());
    EXPECT_FALSE(f.pending.empty());
    const IntervalBars bars = intervalBars(f.calvingIntervals, 365);
    EXPECT_GT(std::count_if(bars.counts.begin(), bars.counts.end(), [](int n) { return n > 0; }), 1);

    const ShipmentResult& s = a.shipment;
    EXPECT_GT(s.bySire.size(), 1u);
    EXPECT_EQ(s.bySex.size(), 2u);
    EXPECT_GT(s.total.yieldHead, 0);
    EXPECT_GT(s.total.qualityHead, s.total.yieldHead);  // some grades without a yield letter
    for (int q = 0; q < kQualityGrades; ++q) EXPECT_GT(s.total.quality[size_t(q)], 0) << q;
    for (const Figure& avg : {s.total.age, s.total.liveWeight, s.total.carcassWeight, s.total.loinEye, s.total.backfat,
                              s.total.marbling, s.total.price})
        EXPECT_GT(avg.n, 0);
}
