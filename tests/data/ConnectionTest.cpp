#include "backup/model/Backup.h"
#include "data/Db.h"
#include "data/FarmInfo.h"
#include "data/Globals.h"
#include "data/ProgramDir.h"
#include "data/Schema.h"
#include "kit/DbMessages.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlRecord>

namespace {
// Opening and losing the connection, on a farm of its own.
class DbConnectionTest : public FarmTest {};
// Statements and readers, on an open farm.
class DbStatementTest : public FarmTest {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }
};
}  // namespace

TEST_F(DbConnectionTest, OpensTheProgramFoldersDatabase)
{
    ASSERT_TRUE(farm.open());
    EXPECT_TRUE(gConn.isOpen());
    EXPECT_EQ(farm.count(QStringLiteral("농장정보")), 1);
    EXPECT_EQ(farm.messages().count(), 0);
    DBClose();
    EXPECT_FALSE(gConn.isOpen());
    DBClose();  // closing twice does nothing
    // Reopening gives a fresh connection.
    ASSERT_TRUE(farm.open());
    EXPECT_EQ(farm.count(QStringLiteral("농장정보")), 1);
}

TEST_F(DbConnectionTest, MissingFileShowsConnectionErrorThenEnds)
{
    QFile::remove(databaseFilePath());
    EXPECT_FALSE(openConnectionOrEnd(nullptr));
    ASSERT_EQ(farm.messages().count(), 1);
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.title, QStringLiteral("데이터베이스 연결 오류"));
    EXPECT_EQ(m.icon, MsgIcon::Question);
    EXPECT_EQ(m.buttons, MsgButton::Ok);
    // No contact set and nothing to read it from: where the records are, and the recovery window.
    EXPECT_EQ(m.text, QStringLiteral("데이터베이스 연결 오류가 발생했습니다.\r\n\r\n\r\n"
                                     "기록 파일이 있는 폴더: ") +
                          farm.dir() + QStringLiteral("/db\r\n백업이 있는 폴더: ") + backupDirOf(databaseFilePath()) +
                          QStringLiteral("\r\n\r\n메인 메뉴의 [백업 및 복원] 창에서 백업을 확인해 주십시오."));
    EXPECT_EQ(farm.exitCalls(), 1);
    // No empty database was created behind the user's back.
    EXPECT_FALSE(QFile::exists(databaseFilePath()));
}

TEST_F(DbConnectionTest, AMissingFileNamesTheContactKeptInItsNewestBackup)
{
    ASSERT_TRUE(farm.open());
    storeSupportContact({QStringLiteral("김지원"), QStringLiteral("010-1111-2222")});
    farm.close();
    ASSERT_TRUE(writeBackup(databaseFilePath(), QDateTime(QDate(2026, 3, 1), QTime(8, 0))).ok);
    QFile::remove(databaseFilePath());
    EXPECT_FALSE(openConnectionOrEnd(nullptr));
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("데이터베이스 연결 오류가 발생했습니다.\r\n\r\n\r\n"
                                                          "아래의 연락처로 연락해 주십시오.\r\n\r\n"
                                                          "연락처: 김지원  TEL : 010-1111-2222"));
    EXPECT_FALSE(QFile::exists(databaseFilePath()));
}

TEST_F(DbConnectionTest, UnreachableProgramFolderFails)
{
    setProgramDir(farm.dir() + QStringLiteral("/없는 폴더"));
    EXPECT_FALSE(openConnectionOrEnd(nullptr));
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("데이터베이스 연결 오류"));
    EXPECT_EQ(farm.exitCalls(), 1);
    EXPECT_FALSE(gConn.isOpen());
}

TEST_F(DbConnectionTest, FileThatIsNoDatabaseFails)
{
    QFile f(databaseFilePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(4096, 'x'));
    f.close();
    EXPECT_FALSE(openConnectionOrEnd(nullptr));
    EXPECT_EQ(farm.exitCalls(), 1);
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("데이터베이스 연결 오류"));
}

TEST_F(DbConnectionTest, TheReconnectPromptsRetryReconnectsAndCancelDoesNot)
{
    ASSERT_TRUE(farm.open());
    const DbError err(QStringLiteral("disk I/O error"), 10);

    farm.messages().answer(MsgButton::Cancel);
    EXPECT_FALSE(reconnectPrompt(nullptr, err));
    const MessageSpec m = farm.messages().last();
    EXPECT_EQ(m.title, QStringLiteral("DB Access Error"));
    EXPECT_EQ(m.buttons, MsgButton::Retry | MsgButton::Cancel);
    EXPECT_EQ(m.icon, MsgIcon::Question);
    EXPECT_EQ(m.text,
              QStringLiteral(
                  "저장 장치를 읽거나 쓰는 중에 오류가 났습니다. 디스크나 USB 메모리가 제대로 연결되어 있는지 "
                  "확인해 주세요.\r\n오류 번호: 10\r\n현재 진행중인 작업이 제대로 안되어 있을 가능성이 있습니다.\r\n"
                  "확인 바랍니다.\r\n\r\nDB를 재접속하시겠습니까?"));
    // The database's words go behind the details button, never into the text.
    EXPECT_TRUE(m.details.contains(QStringLiteral("disk I/O error"))) << m.details.toStdString();
    const QString before = gConn.connectionName();

    farm.messages().answer(MsgButton::Retry);
    EXPECT_TRUE(reconnectPrompt(nullptr, err));
    EXPECT_TRUE(gConn.isOpen());
    EXPECT_NE(gConn.connectionName(), before);  // a new connection object
    EXPECT_EQ(farm.count(QStringLiteral("농장정보")), 1);
}

TEST_F(DbStatementTest, APlainErrorSaysTheKoreanSentenceWithTheDescriptionBehindIt)
{
    farm.addAnimal(QStringLiteral("A1"), 0);
    try {
        execStatement(QStringLiteral("insert into 개체관리(개체번호) values(?)"), {QStringLiteral("A1")});
        FAIL() << "duplicate accepted";
    } catch (const DbError& e) {
        showPlainError(nullptr, e);
    }
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.title, kAppTitle);
    EXPECT_EQ(m.buttons, MsgButton::Ok);
    EXPECT_EQ(m.text, QStringLiteral("같은 번호(또는 날짜)의 기록이 이미 있어 저장할 수 없습니다."));
    EXPECT_TRUE(m.details.contains(QStringLiteral("UNIQUE"), Qt::CaseInsensitive)) << m.details.toStdString();

    // An error a user cannot cause gets the general Korean sentence; its words go to the details.
    showPlainError(nullptr, DbError(QStringLiteral("something odd")));
    EXPECT_TRUE(farm.messages().last().text.startsWith(QStringLiteral("데이터베이스 작업을 마치지 못했습니다.")))
        << farm.messages().last().text.toStdString();
    EXPECT_EQ(farm.messages().last().details, QStringLiteral("something odd"));
    // The program's own Korean description is shown as it is, with nothing behind it.
    showPlainError(nullptr, DbError(QStringLiteral("데이터베이스가 연결되어 있지 않습니다.")));
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("데이터베이스가 연결되어 있지 않습니다."));
    EXPECT_TRUE(farm.messages().last().details.isEmpty());
}

TEST_F(DbStatementTest, QuotesAreStoredAsTyped)
{
    const QString tricky = QStringLiteral("O'Brien'); delete from 개체관리; --");
    farm.addAnimal(QStringLiteral("A1"), 0, 0, {{QStringLiteral("별명"), tricky}});
    EXPECT_EQ(farm.scalar(QStringLiteral("select 별명 from 개체관리 where 개체번호 = ?"), {QStringLiteral("A1")}),
              tricky);
    EXPECT_EQ(farm.count(QStringLiteral("개체관리")), 1);
}

TEST_F(DbStatementTest, ATransactionRollsBackUnlessCommitted)
{
    {
        Transaction t;
        execStatement(QStringLiteral("insert into 개체관리(개체번호) values('A1')"));
    }
    EXPECT_EQ(farm.count(QStringLiteral("개체관리")), 0);
    {
        Transaction t;
        execStatement(QStringLiteral("insert into 개체관리(개체번호) values('A1')"));
        t.commit();
    }
    EXPECT_EQ(farm.count(QStringLiteral("개체관리")), 1);
}

TEST_F(DbConnectionTest, ReportsFailureToItsCallerWithoutShowingAnything)
{
    QFile::remove(databaseFilePath());
    QString error;
    EXPECT_FALSE(DBOpen(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("데이터베이스 파일이 없습니다")));
    EXPECT_EQ(farm.messages().count(), 0);
    EXPECT_EQ(farm.exitCalls(), 0);
}

TEST_F(DbStatementTest, TheFarmInfoIsTheOneRowTrimmedAndNothingWhenEmpty)
{
    farm.exec(QStringLiteral("update 농장정보 set 등록번호 = ' 123 ', 사업장명칭 = '하늘 농장 '"));
    auto info = readFarmInfo();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->등록번호, QStringLiteral("123"));
    EXPECT_EQ(info->사업장명칭, QStringLiteral("하늘 농장"));
    EXPECT_EQ(info->축종, QStringLiteral("한우"));
    farm.exec(QStringLiteral("delete from 농장정보"));
    EXPECT_FALSE(readFarmInfo().has_value());
}
