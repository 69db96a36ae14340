// What the farmer reads when the database fails: a Korean sentence first for every error he
// can meet, also in the reconnect prompt of the print fill.
#include "data/Db.h"
#include "data/ErrorLog.h"
#include "data/ProgramDir.h"
#include "kit/DbMessages.h"
#include "print/PrintSequence.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>

namespace {
const QString kDuplicate = QStringLiteral("같은 번호(또는 날짜)의 기록이 이미 있어 저장할 수 없습니다.");
const QString kDatatype = QStringLiteral("숫자를 입력해야 하는 곳에 숫자가 아닌 값이 있어 저장할 수 없습니다.");
const QString kNotNull = QStringLiteral("반드시 입력해야 하는 값이 비어 있어 저장할 수 없습니다.");
const QString kLocked =
    QStringLiteral("데이터베이스 파일을 다른 프로그램이 사용하고 있습니다. 잠시 후 다시 해 주세요.");
const QString kReadOnly = QStringLiteral("데이터베이스 파일이 읽기 전용이어서 저장할 수 없습니다.");
const QString kFull =
    QStringLiteral("디스크 공간이 부족하여 저장할 수 없습니다. 디스크의 빈 공간을 늘린 뒤 다시 해 주세요.");
const QString kMalformed =
    QStringLiteral("데이터베이스 파일이 손상되었습니다. 작업을 멈추고 프로그램을 끝낸 뒤 백업에서 되살려 주세요.");
const QString kCannotOpen = QStringLiteral("데이터베이스 파일을 찾을 수 없거나 열 수 없습니다.");
const QString kNoTable = QStringLiteral("데이터베이스에 필요한 표가 없습니다. 데이터베이스 파일을 확인해 주세요.");
const QString kNoColumn =
    QStringLiteral("데이터베이스의 표에 필요한 항목이 없습니다. 데이터베이스 파일을 확인해 주세요.");
const QString kIo = QStringLiteral(
    "저장 장치를 읽거나 쓰는 중에 오류가 났습니다. 디스크나 USB 메모리가 제대로 연결되어 있는지 확인해 주세요.");
using DbErrorsOnAFarm = FarmTest;
}  // namespace

TEST(KoreanErrorSentence, OneSentencePerKindOfError)
{
    // SQLite's own descriptions with their extended result codes, as DbError carries them.
    const struct {
        const char* description;
        int code;
        const QString& sentence;
    } cases[] = {
        {"UNIQUE constraint failed: 개체관리.개체번호", 2067, kDuplicate},
        {"cannot store TEXT value in INTEGER column 개체관리.구분", 3091, kDatatype},
        {"datatype mismatch", 20, kDatatype},
        {"NOT NULL constraint failed: 개체관리.구분", 1299, kNotNull},
        {"database is locked", 5, kLocked},
        {"database table is locked", 6, kLocked},
        {"attempt to write a readonly database", 8, kReadOnly},
        {"database or disk is full", 13, kFull},
        {"database disk image is malformed", 11, kMalformed},
        {"disk I/O error", 10, kIo},
        {"disk I/O error", 266, kIo},  // SQLITE_IOERR_READ
        {"unable to open database file", 14, kCannotOpen},
        {"file is not a database", 26, kCannotOpen},
        {"no such table: 개체관리워크", 1, kNoTable},
        {"table 개체관리 has no column named 주소", 1, kNoColumn},
        {"no such column: 주소", 1, kNoColumn},
    };
    for (const auto& c : cases)
        EXPECT_EQ(koreanErrorSentence(DbError(QString::fromUtf8(c.description), c.code)), c.sentence) << c.description;

    // A failed commit keeps SQLite's words in the database text but loses the number.
    const QSqlError commit(QStringLiteral("Unable to commit transaction"), QStringLiteral("database or disk is full"),
                           QSqlError::TransactionError);
    EXPECT_EQ(DbError(commit).number, 0);
    EXPECT_EQ(koreanErrorSentence(DbError(commit)), kFull);
    // The codes alone are enough (a description in another language).
    EXPECT_EQ(koreanErrorSentence(DbError(QStringLiteral("?"), 13)), kFull);
    EXPECT_EQ(koreanErrorSentence(DbError(QStringLiteral("?"), 779)), kMalformed);  // SQLITE_CORRUPT_VTAB
    // Errors a farmer cannot cause keep their description alone.
    EXPECT_EQ(koreanErrorSentence(DbError(QStringLiteral("something odd"))), QString());
}

TEST_F(DbErrorsOnAFarm, RealStatementErrorsGetTheirSentence)
{
    ASSERT_TRUE(farm.open());
    farm.addAnimal(QStringLiteral("A1"), 0);
    const struct {
        const char* sql;
        const QString& sentence;
    } cases[] = {
        {"insert into 개체관리(개체번호) values('A1')", kDuplicate},
        {"insert into 개체관리(개체번호, 구분) values('A2', '암소')", kDatatype},
        {"insert into 개체관리(개체번호, 구분) values('A3', null)", kNotNull},
        {"select * from 없는표", kNoTable},
        {"insert into 개체관리(개체번호, 주소) values('A4', '')", kNoColumn},
        {"select 주소 from 개체관리", kNoColumn},
    };
    for (const auto& c : cases) {
        try {
            execStatement(QString::fromUtf8(c.sql));
            ADD_FAILURE() << "accepted: " << c.sql;
        } catch (const DbError& e) {
            EXPECT_EQ(koreanErrorSentence(e), c.sentence) << c.sql << ": " << e.description.toStdString();
        }
    }
}

TEST_F(DbErrorsOnAFarm, ReconnectPromptSaysTheDiskIsFullAndShowsNoZero)
{
    ASSERT_TRUE(farm.open());
    setWorkTablePauseMs(0);
    // A database that cannot grow fails like a full disk.
    const QString pages = farm.scalar(QStringLiteral("PRAGMA page_count"));
    farm.exec(QStringLiteral("PRAGMA max_page_count = ") + pages);
    QList<QVariantList> rows;
    for (int i = 0; i < 2000; ++i)
        rows << QVariantList{QStringLiteral("KR%1").arg(i, 10, 10, QChar(u'0')),
                             QStringLiteral("1"),
                             QStringLiteral("한빛농장"),
                             QString(),
                             QStringLiteral("재발정"),
                             QString(),
                             QString()};
    farm.messages().answer(MsgButton::Cancel);
    EXPECT_FALSE(fillWorkTable(nullptr, QStringLiteral("일일관리"), rows));
    ASSERT_EQ(farm.messages().count(), 1);
    const QString text = farm.messages().last().text;
    EXPECT_TRUE(text.startsWith(kFull + QStringLiteral("\r\n오류 번호: 13\r\n현재 진행중인 작업이")))
        << text.toStdString();
    EXPECT_TRUE(farm.messages().last().details.contains(QStringLiteral("database or disk is full")));
    EXPECT_EQ(farm.count(QStringLiteral("일일관리")), 0);  // nothing half-written

    // A failed commit: the sentence, then straight the description.
    farm.messages().answer(MsgButton::Cancel);
    reconnectPrompt(nullptr,
                    DbError(QSqlError(QStringLiteral("Unable to commit transaction"),
                                      QStringLiteral("database or disk is full"), QSqlError::TransactionError)));
    EXPECT_TRUE(farm.messages().last().text.startsWith(kFull + QStringLiteral("\r\n현재 진행중인 작업이")))
        << farm.messages().last().text.toStdString();
    EXPECT_FALSE(farm.messages().last().text.contains(QStringLiteral("오류 번호")));
    EXPECT_TRUE(farm.messages().last().details.contains(QStringLiteral("database or disk is full")));
}

namespace {
// Latin letters left once the words the boxes may use are taken out.
bool hasLatin(QString text)
{
    text.remove(QStringLiteral("USB")).remove(QStringLiteral("DB"));
    return text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")));
}
QByteArray logBytes()
{
    QFile f(errorLogPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST_F(DbErrorsOnAFarm, BoxesSpeakKoreanAndTheDatabaseWordsGoToDetailsAndTheLog)
{
    ASSERT_TRUE(farm.open());
    farm.addAnimal(QStringLiteral("A1"), 0);
    DbError unique(QStringLiteral("?"));
    try {
        execStatement(QStringLiteral("insert into 개체관리(개체번호) values('A1')"));
        FAIL() << "duplicate accepted";
    } catch (const DbError& e) {
        unique = e;
    }
    const struct {
        const char* name;
        DbError error;
        const char* english;  // what the database said, expected behind the button
        const QString& sentence;
    } cases[] = {
        {"unique", unique, "UNIQUE constraint failed: 개체관리.개체번호", kDuplicate},
        {"locked",
         DbError(QSqlError(QStringLiteral("열을 가져올 수 없음"), QStringLiteral("database is locked"),
                           QSqlError::StatementError, QStringLiteral("5"))),
         "database is locked", kLocked},
        {"disk i/o", DbError(QStringLiteral("disk I/O error"), 266), "disk I/O error", kIo},
        {"malformed",
         DbError(QSqlError(QStringLiteral("열을 가져올 수 없음"), QStringLiteral("database disk image is malformed"),
                           QSqlError::StatementError, QStringLiteral("11"))),
         "database disk image is malformed", kMalformed},
        // A file at mode 000: the driver's text alone, once as description and once as text.
        {"unreadable",
         DbError(QSqlError(QStringLiteral("Error opening database"), QString(), QSqlError::ConnectionError,
                           QStringLiteral("14"))),
         "Error opening database", kCannotOpen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(errorLogPath());
        showPlainError(nullptr, c.error);
        const MessageSpec plain = farm.messages().last();
        EXPECT_EQ(plain.text, c.sentence);
        EXPECT_FALSE(hasLatin(plain.text)) << plain.text.toStdString();
        EXPECT_TRUE(plain.details.contains(QString::fromUtf8(c.english))) << plain.details.toStdString();

        farm.messages().answer(MsgButton::Cancel);
        reconnectPrompt(nullptr, c.error);
        const MessageSpec prompt = farm.messages().last();
        EXPECT_TRUE(prompt.text.startsWith(c.sentence + QStringLiteral("\r\n"))) << prompt.text.toStdString();
        EXPECT_FALSE(hasLatin(prompt.text)) << prompt.text.toStdString();
        EXPECT_TRUE(prompt.details.contains(QString::fromUtf8(c.english))) << prompt.details.toStdString();
        // The number the farmer reads out on the phone stays, in Korean words.
        if (c.error.number != 0) {
            EXPECT_TRUE(prompt.text.contains(QStringLiteral("오류 번호: %1").arg(c.error.number)));
        }

        // Both went to the log beside the database, which only the owner can read.
        const QByteArray log = logBytes();
        EXPECT_EQ(log.count(c.english), 2) << log.toStdString();
        EXPECT_EQ(log.count('\n'), 2);
        EXPECT_EQ(QFile(errorLogPath()).permissions() & ~(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                          QFileDevice::ReadUser | QFileDevice::WriteUser),
                  QFileDevice::Permissions());
    }
    EXPECT_EQ(QFileInfo(errorLogPath()).absolutePath(), QFileInfo(databaseFilePath()).absolutePath());
}

TEST_F(DbErrorsOnAFarm, TheLogMovesAsideOnceItIsFull)
{
    {
        QFile full(errorLogPath());
        ASSERT_TRUE(full.open(QIODevice::WriteOnly));
        full.write(QByteArray(kErrorLogLimit, 'x'));
    }
    logError(QStringLiteral("시험"), QStringLiteral("first line\nsecond line"));
    EXPECT_EQ(QFileInfo(errorLogPath() + QStringLiteral(".1")).size(), kErrorLogLimit);
    const QByteArray log = logBytes();
    EXPECT_TRUE(log.endsWith("[시험] first line / second line\n")) << log.toStdString();
    EXPECT_EQ(log.count('\n'), 1);
    // Full again: the older copy is replaced, so at most two files ever.
    {
        QFile full(errorLogPath());
        ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Append));
        full.write(QByteArray(kErrorLogLimit, 'y'));
    }
    logError(QStringLiteral("시험"), QStringLiteral("third"));
    QFile older(errorLogPath() + QStringLiteral(".1"));
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_TRUE(older.readAll().contains("first line"));
    EXPECT_TRUE(logBytes().endsWith("[시험] third\n"));
}
