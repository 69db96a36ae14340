// Storing the farm's registration data: the one row of 농장정보, values bound and trimmed, and
// the farm's support contact beside it.
#include "data/Db.h"
#include "data/FarmInfo.h"
#include "data/ProgramDir.h"
#include "data/ScopedConnection.h"
#include "support/TestFarm.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QFile>

namespace {
FarmInfo sample()
{
    FarmInfo f;
    f.등록번호 = QStringLiteral(" 35-123 ");
    f.고유번호 = QStringLiteral("A'1");
    f.성명 = QStringLiteral("  홍길동");
    f.주민번호 = QStringLiteral("700101-1234567 ");
    f.사업장명칭 = QStringLiteral(" O'Neil 한우 ");
    f.소재지 = QStringLiteral("전북 \"완주\"");
    f.축종 = QStringLiteral("한우 ");
    return f;
}

QString storedRows()
{
    QStringList rows;
    QSqlQuery q = runQuery(QStringLiteral("select * from 농장정보"));
    while (q.next()) {
        QStringList cells;
        for (int c = 0; c < 7; ++c) cells << q.value(c).toString();
        rows << cells.join(u'|');
    }
    return rows.join(u'\n');
}

const char* const kStored = "35-123|A'1|홍길동|700101-1234567|O'Neil 한우|전북 \"완주\"|한우";
}  // namespace

TEST(FarmInfoStore, EveryRowTakesTheTrimmedValuesAsTyped)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    // A database written by another program may hold more than one row: all show the same.
    farm.exec(QStringLiteral("insert into 농장정보 values('9', '', '', '', '옛 농장', '', '')"));
    storeFarmInfo(sample());
    EXPECT_EQ(storedRows().toStdString(), std::string(kStored) + "\n" + kStored);
    ASSERT_TRUE(readFarmInfo().has_value());
    EXPECT_EQ(readFarmInfo()->사업장명칭, QStringLiteral("O'Neil 한우"));
}

TEST(FarmInfoStore, AnEmptyTableGetsTheOneRow)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    farm.exec(QStringLiteral("delete from 농장정보"));
    storeFarmInfo(sample());
    EXPECT_EQ(storedRows().toStdString(), kStored);
    storeFarmInfo(sample());  // and keeps it the one row
    EXPECT_EQ(farm.count(QStringLiteral("농장정보")), 1);
}

TEST(FarmInfoStore, AFailedStoreChangesNothing)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    farm.exec(QStringLiteral("delete from 농장정보"));
    farm.exec(QStringLiteral("create trigger 막기 before insert on 농장정보 begin select raise(abort, '막힘'); end"));
    EXPECT_THROW(storeFarmInfo(sample()), DbError);
    EXPECT_EQ(farm.count(QStringLiteral("농장정보")), 0);
    // The connection is usable again: the failed store left no transaction open.
    farm.exec(QStringLiteral("drop trigger 막기"));
    storeFarmInfo(sample());
    EXPECT_EQ(farm.count(QStringLiteral("농장정보")), 1);
}

// The support contact: a table of its own, empty until the farm types one.
TEST(SupportContactStore, EmptyUntilStoredThenTrimmedAndTheOneRow)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    EXPECT_EQ(farm.count(QStringLiteral("지원연락처")), 0);
    EXPECT_TRUE(readSupportContact().isEmpty());

    const struct {
        const char* name;
        const char* tel;
        int rows;
    } cases[] = {
        {" 김지원 ", " 010-1111-2222", 1},
        {"", "031 555 0000", 1},  // either part alone is a contact
        {"O'Neil", "", 1},
        {"  ", " ", 0},  // blanks remove it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        storeSupportContact({QString::fromUtf8(c.name), QString::fromUtf8(c.tel)});
        EXPECT_EQ(farm.count(QStringLiteral("지원연락처")), c.rows);
        const SupportContact read = readSupportContact();
        EXPECT_EQ(read.이름, QString::fromUtf8(c.name).trimmed());
        EXPECT_EQ(read.전화번호, QString::fromUtf8(c.tel).trimmed());
        farm.close();  // and another connection reads the same from the file
        const SupportContact inFile = supportContactIn(databaseFilePath());
        EXPECT_EQ(inFile.이름, read.이름);
        EXPECT_EQ(inFile.전화번호, read.전화번호);
        ASSERT_TRUE(farm.open());
    }
    // The 농장정보 row is left as it was.
    EXPECT_EQ(farm.count(QStringLiteral("농장정보")), 1);
}

TEST(SupportContactStore, StoredWithTheFarmRowAllOrNothing)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    storeFarmInfo(sample(), {QStringLiteral("김지원"), QStringLiteral("010-1111-2222")});
    EXPECT_EQ(storedRows().toStdString(), kStored);
    EXPECT_EQ(readSupportContact().전화번호, QStringLiteral("010-1111-2222"));

    farm.exec(QStringLiteral("create trigger 막기 before insert on 지원연락처 begin select raise(abort, '막힘'); end"));
    FarmInfo changed = sample();
    changed.사업장명칭 = QStringLiteral("새 농장");
    EXPECT_THROW(storeFarmInfo(changed, {QStringLiteral("박"), QString()}), DbError);
    EXPECT_EQ(storedRows().toStdString(), kStored);
    EXPECT_EQ(readSupportContact().이름, QStringLiteral("김지원"));
}

TEST(SupportContactStore, AnOlderFarmWithoutTheTableOpensAndGetsIt)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    farm.exec(QStringLiteral("drop table 지원연락처"));
    farm.addAnimal(QStringLiteral("KR1"), 0);
    farm.close();
    EXPECT_TRUE(supportContactIn(databaseFilePath()).isEmpty());

    ASSERT_TRUE(farm.open());
    EXPECT_EQ(farm.messages().count(), 0);
    EXPECT_EQ(farm.count(QStringLiteral("지원연락처")), 0);
    EXPECT_EQ(farm.count(QStringLiteral("개체관리")), 1);
    EXPECT_TRUE(readSupportContact().isEmpty());
    storeSupportContact({QStringLiteral("김지원"), QString()});
    EXPECT_EQ(readSupportContact().이름, QStringLiteral("김지원"));
}

TEST(SupportContactStore, AFileThatIsNoFarmGetsNoTable)
{
    TestFarm farm;
    QFile::remove(databaseFilePath());
    {
        const ScopedConnection c(databaseFilePath());
        ASSERT_TRUE(c.isOpen());
        QSqlQuery(c.db()).exec(QStringLiteral("create table 메모(내용 text)"));
    }
    ASSERT_TRUE(farm.open());
    EXPECT_EQ(farm.scalar(QStringLiteral("select group_concat(name) from sqlite_master")), QStringLiteral("메모"));
}

TEST(SupportContactStore, AReadOnlyOlderFarmStillOpensAndHasNone)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    bool written = true;
    const QByteArray seen = onReadOnlyOlderFarm(
        farm, QStringLiteral("지원연락처"),
        [&] {
            if (!farm.open()) return QByteArray("not opened");
            const QByteArray answer = readSupportContact().isEmpty() ? "opened, no contact" : "opened with a contact";
            farm.close();
            return answer;
        },
        &written);
    EXPECT_EQ(seen, "opened, no contact");
    EXPECT_FALSE(written) << "the read-only farm file was written";
}
