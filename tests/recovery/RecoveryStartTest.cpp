// The start's look at the database: each unusable file ends in the recovery window with nothing
// backed up; a missing one is restored or becomes a new farm; and the database messages lead to
// the window.
#include "backup/model/Restore.h"
#include "data/Db.h"
#include "data/Schema.h"
#include "kit/DbMessages.h"
#include "recovery/RecoveryStart.h"
#include "recovery/RecoveryWindow.h"
#include "recovery/model/RecoveryText.h"
#include "support/ModalDriver.h"

#include "RecoveryFixture.h"

#include <QLabel>
#include <QSqlDatabase>

namespace {
const QDateTime kStartedAt(QDate(2026, 12, 10), QTime(8, 0));

// A database with a table of its own and none of the farm's.
QByteArray schemaLessDatabase(const QString& dir)
{
    const QString path = dir + QStringLiteral("/other.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("CREATE TABLE notes (text TEXT)"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}
}  // namespace

TEST_F(RecoveryTest, AnUnusableLiveFileEndsInTheRecoveryWindowAndIsNeverBackedUp)
{
    QByteArray garbage("SQLite format 3");  // a header that breaks off, then noise
    garbage.append(QByteArray(8192, '\x5a'));
    const struct {
        const char* what;
        QByteArray bytes;
        const char* says;
    } cases[] = {
        {"empty", QByteArray(), "비어 있습니다"},
        {"schema-less", schemaLessDatabase(farm.dir()), "데이터베이스 파일"},
        {"garbage header", garbage, "데이터베이스 파일"},
    };
    const QString good = writeGoodBackup();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        replaceDatabase(c.bytes);
        const int before = backupFileCount();
        bool dayBackup = true;
        QString explanation;
        int listed = 0;
        driveModal<RecoveryWindow>([&] { dayBackup = checkDatabaseAtStart(nullptr, kStartedAt); },
                                   [&](RecoveryWindow& w) {
                                       auto* why = w.findChild<QLabel*>(QStringLiteral("lblExplanation"));
                                       explanation = why ? why->text() : QString();
                                       listed = int(w.backups().size());
                                   });
        EXPECT_FALSE(dayBackup);
        EXPECT_TRUE(explanation.contains(QString::fromUtf8(c.says))) << explanation.toStdString();
        EXPECT_EQ(listed, 1);
        EXPECT_EQ(backupFileCount(), before);
        EXPECT_TRUE(QFile::exists(good));
        QFile live(databaseFilePath());
        ASSERT_TRUE(live.open(QIODevice::ReadOnly));
        EXPECT_EQ(live.readAll(), c.bytes);  // the start never writes into it
    }
}

TEST_F(RecoveryTest, AMissingFileIsRestoredFromTheNewestGoodBackupOrBecomesANewFarm)
{
    writeGoodBackup();
    const struct {
        MsgButton answer;
        int animals;
    } cases[] = {{MsgButton::Yes, 2}, {MsgButton::No, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.animals);
        ASSERT_TRUE(QFile::remove(databaseFilePath()));
        farm.messages().clear();
        farm.messages().answer(c.answer);
        expectNoModal<RecoveryWindow>([&] { EXPECT_TRUE(checkDatabaseAtStart(nullptr, kStartedAt)); });
        ASSERT_GE(farm.messages().count(), 1);
        // The restore question about the newest good backup (its words: RecoveryTextTest).
        EXPECT_EQ(farm.messages().shown()[0].box.text,
                  recovery::offerRestoreQuestion(QDateTime(QDate(2026, 12, 1), QTime(10, 0))));
        EXPECT_EQ(assessDatabase(databaseFilePath()).state, DatabaseState::Good);
        ASSERT_TRUE(farm.open());
        EXPECT_EQ(farm.count(QStringLiteral("개체관리")), c.animals);
        farm.close();
        EXPECT_EQ(backupFileCount(), 1);  // the backup stays, whatever the answer
    }
}

TEST_F(RecoveryTest, AMissingFileWithoutBackupsBecomesANewFarmWithoutAQuestion)
{
    ASSERT_TRUE(QFile::remove(databaseFilePath()));
    expectNoModal<RecoveryWindow>([&] { EXPECT_TRUE(checkDatabaseAtStart(nullptr, kStartedAt)); });
    EXPECT_EQ(farm.messages().count(), 0);
    EXPECT_EQ(assessDatabase(databaseFilePath()).state, DatabaseState::Good);
}

TEST_F(RecoveryTest, AMissingFileBesideOnlyFailedCopiesShowsTheWindowInsteadOfANewFarm)
{
    writeCheckFailedCopy();
    ASSERT_TRUE(QFile::remove(databaseFilePath()));
    bool dayBackup = true;
    driveModal<RecoveryWindow>([&] { dayBackup = checkDatabaseAtStart(nullptr, kStartedAt); },
                               [](RecoveryWindow& w) { EXPECT_EQ(w.backups().size(), 1); });
    EXPECT_FALSE(dayBackup);
    EXPECT_FALSE(QFile::exists(databaseFilePath()));
}

TEST_F(RecoveryTest, AClockBehindTheNewestBackupWarnsOnceAndBackupsGoOn)
{
    writeGoodBackup();  // 2026-12-01
    EXPECT_TRUE(checkDatabaseAtStart(nullptr, QDateTime(QDate(2026, 11, 1), QTime(8, 0))));
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_TRUE(farm.messages().last().text.startsWith(QStringLiteral("컴퓨터의 날짜가 가장 최근 백업보다 이릅니다.")));
    farm.messages().clear();
    EXPECT_TRUE(checkDatabaseAtStart(nullptr, kStartedAt));
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(RecoveryTest, TheDatabaseMessagesOfferTheRecoveryWindowWhenItIsThere)
{
    // Without an opener the message is as it always was.
    showConnectionError(nullptr);
    ASSERT_EQ(farm.messages().count(), 1);
    const QString plain = farm.messages().last().text;
    EXPECT_EQ(farm.messages().last().buttons, MsgButtons(MsgButton::Ok));

    QList<QWidget*> opened;
    setRecoveryOpener([&](QWidget* parent) { opened.append(parent); });
    QWidget parent;
    const struct {
        MsgButton answer;
        int opens;
    } cases[] = {{MsgButton::No, 0}, {MsgButton::Yes, 1}};
    for (const auto& c : cases) {
        opened.clear();
        farm.messages().answer(c.answer);
        showConnectionError(&parent);
        const MessageSpec& box = farm.messages().last();
        EXPECT_TRUE(box.text.startsWith(plain));
        EXPECT_TRUE(box.text.endsWith(QStringLiteral("백업 및 복원 창을 여시겠습니까?")));
        EXPECT_EQ(box.buttons, MsgButton::Yes | MsgButton::No);
        EXPECT_EQ(opened.size(), c.opens);
        if (c.opens) {
            EXPECT_EQ(opened[0], &parent);
        }
    }

    // A damaged file: the same offer after its own text, then the program ends as before.
    writeGoodBackup();
    QByteArray garbage("SQLite format 3");
    garbage.append(QByteArray(8192, '\x5a'));
    replaceDatabase(garbage);
    opened.clear();
    farm.messages().clear();
    farm.messages().answer(MsgButton::Yes);
    EXPECT_FALSE(openConnectionOrEnd(&parent));
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_TRUE(farm.messages().last().text.endsWith(QStringLiteral("백업 및 복원 창을 여시겠습니까?")));
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(farm.exitCalls(), 1);
}

TEST_F(RecoveryTest, ARestoreMadeFromAnErrorBoxsWindowCarriesOnWithTheRestoredFarm)
{
    const QString backup = writeGoodBackup();
    QByteArray garbage("SQLite format 3");
    garbage.append(QByteArray(8192, '\x5a'));
    replaceDatabase(garbage);
    // The farmer opens the window from the box and restores the newest copy there.
    setRecoveryOpener([&](QWidget*) { EXPECT_TRUE(restoreBackup(databaseFilePath(), backup, kStartedAt).ok); });
    farm.messages().answer(MsgButton::Yes);
    QWidget parent;
    EXPECT_TRUE(openConnectionOrEnd(&parent));
    EXPECT_EQ(farm.exitCalls(), 0);
    EXPECT_TRUE(gConn.isOpen());
    EXPECT_EQ(farm.count(QStringLiteral("개체관리")), 2);
}
