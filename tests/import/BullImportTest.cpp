// The bull catalogue as an import target: each row judged by the catalogue's own checks, the
// refused rows with their Korean reason in the refused-rows file, unknown values stored as null,
// and a stored bull kept or updated by the policy, keeping its values where the file is silent.
#include "data/Clock.h"
#include "import/ImportAssistant.h"
#include "import/ImportFixture.h"
#include "mating/model/BullCatalogue.h"
#include "support/ExportReaders.h"
#include "support/TestFarm.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRadioButton>

namespace {
const QDate kBullDay(2026, 9, 1);
const QDateTime kBullNow(kBullDay, QTime(10, 0));

class BullImportTest : public FarmTest {
protected:
    void SetUp() override
    {
        setTodayOverride(kBullDay);
        ASSERT_TRUE(farm.open());
    }
    void TearDown() override { setTodayOverride(QDate()); }

    // Each row's verdict, by its first cell.
    QHash<QString, RowVerdict> judged(const ImportPlan& plan) { return verdictsByFirstCell(plan, kBullDay); }

    ImportFiles files;
};

TEST_F(BullImportTest, EachBadValueIsRefusedWithTheCataloguesReason)
{
    const struct {
        const char* row;     // the first cell names the case; KPN is the second column
        const char* reason;  // part of the reason
    } cases[] = {
        {"no kpn,,보증,,,,", "KPN 번호가 없습니다"},
        {"kpn letters,KPN11A,보증,,,,", "KPN 번호로 읽을 수 없습니다 ('KPN11A')"},
        {"kind,2002,우수,,,,", "구분은 보증, 후보, 기타"},
        {"sire,2003,보증,황소,,,", "아비의 KPN 번호를 바르게"},
        {"own sire,2004,보증,KPN2004,,,", "아비는 씨수소 자신(KPN2004)일 수 없습니다"},
        {"carcass,2005,보증,,200,,", "도체중(kg) 육종가는 -100에서 150 사이"},
        {"marbling,2006,보증,,,+5.5,", "근내지방도(점) 육종가는 -5에서 5 사이"},
        {"evaluation,2007,보증,,,,2026-13", "평가 시기는 2026-08처럼"},
        {"twice,2001,보증,,,,", "같은 KPN 번호가 파일의 2행에 먼저 있습니다"},
    };
    QString csv = QStringLiteral("사례,KPN,구분,아비,도체중 EBV,근내지방 육종가,평가시기\nfirst,2001,보증,,,,\n");
    for (const auto& c : cases) csv += QString::fromUtf8(c.row) + u'\n';
    const QHash<QString, RowVerdict> v =
        judged(planFor(files.utf8(QStringLiteral("bulls.csv"), csv), ImportTarget::Bulls));
    EXPECT_EQ(v[QStringLiteral("first")].verdict, Verdict::New);
    for (const auto& c : cases) {
        const QString key = QString::fromUtf8(c.row).section(u',', 0, 0);
        SCOPED_TRACE(c.row);
        ASSERT_TRUE(v.contains(key));
        EXPECT_EQ(v[key].verdict, Verdict::Refused);
        EXPECT_TRUE(v[key].detail.contains(QString::fromUtf8(c.reason))) << v[key].detail.toStdString();
    }
}

TEST_F(BullImportTest, ARunStoresGoodRowsAndWritesTheRefusedOnesWithTheirReason)
{
    const QString path = files.utf8(QStringLiteral("씨수소.csv"),
                                    QStringLiteral("KPN,구분,부KPN,외조부,도체중 EBV,근내지방도 EBV,평가,단가\n"
                                                   "KPN1105,보증,KPN950,,31.2,1.5,2026.08,\"25,000\"\n"
                                                   "KPN-1200,후보씨수소,1105,950,,,,\n"
                                                   "KPN1300,보증,,,12,9,,\n"));
    const ImportOutcome out = runImport(planFor(path, ImportTarget::Bulls), kBullDay, kBullNow);
    ASSERT_EQ(out.status, ImportOutcome::Status::Done) << out.error.toStdString();
    EXPECT_EQ(out.totals.of(Verdict::New), 2);
    EXPECT_EQ(out.totals.of(Verdict::Refused), 1);
    const std::optional<Bull> b = findBull(QStringLiteral("1105"));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->sire, QStringLiteral("950"));
    EXPECT_EQ(b->value(Trait::Carcass), 31.2);
    EXPECT_EQ(b->evaluation, QStringLiteral("2026-08"));
    EXPECT_EQ(b->price, 25000);
    const std::optional<Bull> young = findBull(QStringLiteral("1200"));
    ASSERT_TRUE(young);
    EXPECT_EQ(young->kind, QStringLiteral("후보"));
    EXPECT_EQ(young->mgs, QStringLiteral("950"));
    EXPECT_EQ(farm.scalar(QStringLiteral("select typeof(도체중) || typeof(단가) from 씨수소 where KPN = '1200'")),
              QStringLiteral("nullnull"))
        << "what the file does not say stays unknown";

    const QJsonObject csv = readCsv(out.refusedFile);
    const QJsonArray rows = csv["rows"].toArray();
    ASSERT_EQ(rows.size(), 2);
    const QStringList refused = rows[1].toVariant().toStringList();
    EXPECT_EQ(refused.value(0), QStringLiteral("KPN1300"));
    EXPECT_TRUE(refused.value(8).contains(QStringLiteral("근내지방도(점) 육종가는 -5에서 5 사이")))
        << refused.join(u'|').toStdString();
    EXPECT_EQ(farm.count(QStringLiteral("씨수소")), 2);
}

TEST_F(BullImportTest, AStoredBullIsKeptOrUpdatedByThePolicyAndKeepsWhatTheFileLeavesOut)
{
    BullEntry e;
    e.kpn = QStringLiteral("1105");
    e.kind = QStringLiteral("보증");
    e.sire = QStringLiteral("950");
    e.ebv[size_t(Trait::Carcass)] = QStringLiteral("30");
    e.price = QStringLiteral("20000");
    ASSERT_FALSE(addBull(e));
    const QString path = files.utf8(QStringLiteral("update.csv"), QStringLiteral("KPN,도체중,단가\n"
                                                                                 "1105,32.5,20000\n"
                                                                                 "950,,\n"));
    QHash<QString, RowVerdict> v = judged(planFor(path, ImportTarget::Bulls));
    EXPECT_EQ(v[QStringLiteral("1105")].verdict, Verdict::Kept);
    EXPECT_EQ(v[QStringLiteral("1105")].detail, QStringLiteral("도체중 육종가: 30 → 32.5"));
    EXPECT_EQ(v[QStringLiteral("950")].verdict, Verdict::New);

    ASSERT_EQ(runImport(planFor(path, ImportTarget::Bulls, ImportPolicy::AddAndUpdate), kBullDay, kBullNow).status,
              ImportOutcome::Status::Done);
    const std::optional<Bull> b = findBull(QStringLiteral("1105"));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->value(Trait::Carcass), 32.5);
    EXPECT_EQ(b->sire, QStringLiteral("950")) << "a column the file lacks keeps the stored value";
    EXPECT_EQ(b->kind, QStringLiteral("보증"));
    EXPECT_EQ(farm.count(QStringLiteral("씨수소")), 2);
    v = judged(planFor(path, ImportTarget::Bulls));
    EXPECT_EQ(v[QStringLiteral("1105")].verdict, Verdict::Same);
}

TEST_F(BullImportTest, TheAssistantTakesACatalogueFileForTheCatalogue)
{
    const QString path = files.utf8(QStringLiteral("catalogue.csv"),
                                    QStringLiteral("씨수소,구분,아비,외조부,도체중 육종가,근내지방도 EBV\n"
                                                   "KPN1105,보증,KPN950,KPN812,31.2,1.5\n"));
    ImportAssistant d;
    ASSERT_TRUE(d.chooseFile(path));
    d.goNext();
    auto* bulls = d.findChild<QRadioButton*>(QStringLiteral("optBulls"));
    ASSERT_TRUE(bulls);
    EXPECT_TRUE(bulls->isChecked()) << "the headers name the catalogue's fields";
    EXPECT_FALSE(bulls->accessibleName().isEmpty());
    d.goNext();
    d.goNext();
    ASSERT_EQ(d.step(), ImportAssistant::Step::Preview);
    EXPECT_EQ(d.previewTotals().of(Verdict::New), 1);
    farm.messages().answer(MsgButton::Yes);
    ASSERT_TRUE(d.startImport());
    const std::optional<Bull> b = findBull(QStringLiteral("1105"));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->mgs, QStringLiteral("812"));
    EXPECT_EQ(b->value(Trait::Marbling), 1.5);
}

}  // namespace
