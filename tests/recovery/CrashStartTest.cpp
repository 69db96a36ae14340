// A kill or a power cut in the middle of a write, then the start: the journal the write left is
// rolled back, the farm opens as it was before that write, and no recovery window comes up. A
// restore cut off between its renames is finished or undone; a file another program holds is
// said to be in use, with a second try.
#include "backup/model/Backup.h"
#include "backup/model/InterruptedWrite.h"
#include "backup/model/Restore.h"
#include "data/Db.h"
#include "data/ErrorLog.h"
#include "data/ProgramDir.h"
#include "data/ScopedConnection.h"
#include "recovery/RecoveryStart.h"
#include "recovery/model/RecoveryText.h"
#include "support/KillWriter.h"
#include "support/TestFarm.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>

namespace {

const QDateTime kNow(QDate(2026, 12, 10), QTime(8, 0));

// Every row of every table, as one digest: equal digests, equal records.
QByteArray digestOf(const QString& file)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const ScopedConnection c(file, QStringLiteral("QSQLITE_OPEN_READONLY"));
    EXPECT_TRUE(c.isOpen());
    QSqlQuery tables(c.db());
    tables.exec(QStringLiteral("select name from sqlite_master where type = 'table' order by name"));
    QStringList names;
    while (tables.next()) names << tables.value(0).toString();
    for (const QString& t : names) {
        QSqlQuery q(c.db());
        EXPECT_TRUE(q.exec(QStringLiteral("select * from \"%1\" order by rowid").arg(t)));
        hash.addData(t.toUtf8());
        while (q.next())
            for (int i = 0; i < q.record().count(); ++i) hash.addData(q.value(i).toString().toUtf8() + '\x1f');
    }
    return hash.result();
}

QString integrityOf(const QString& file)
{
    const ScopedConnection c(file, QStringLiteral("QSQLITE_OPEN_READONLY"));
    QSqlQuery q(c.db());
    if (!q.exec(QStringLiteral("PRAGMA integrity_check")) || !q.next()) return QStringLiteral("unreadable");
    return q.value(0).toString();
}

// The test program again, as the writer the test kills (support/KillWriter.h).
class Writer {
public:
    Writer(const QString& kind, const QString& folder)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kKillWriterKind), kind);
        env.insert(QString::fromLatin1(kKillWriterFolder), folder);
        m_process.setProcessEnvironment(env);
        m_process.start(QCoreApplication::applicationFilePath(), {});
    }
    ~Writer()
    {
        m_process.kill();
        m_process.waitForFinished(30000);
    }
    // Waits until the writer says `line`; false when it never does.
    bool waitFor(const QByteArray& line)
    {
        const QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired()) {
            while (m_process.canReadLine())
                if (m_process.readLine().trimmed() == line) return true;
            if (m_process.state() == QProcess::NotRunning) return false;
            m_process.waitForReadyRead(int(std::min<qint64>(deadline.remainingTime(), 1000)));
        }
        return false;
    }
    void kill()
    {
        m_process.kill();  // SIGKILL: nothing of the writer runs after it
        m_process.waitForFinished(30000);
    }

private:
    QProcess m_process;
};

// The start as main() runs it, with any modal window that comes up closed and counted.
struct StartOutcome {
    bool dayBackup = false;
    int windowsUp = 0;
};
StartOutcome runStart()
{
    StartOutcome o;
    QTimer closer;
    closer.setInterval(50);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* up = QApplication::activeModalWidget()) {
            ++o.windowsUp;
            up->close();
        }
    });
    closer.start();
    o.dayBackup = checkDatabaseAtStart(nullptr, kNow);
    return o;
}

QString logText()
{
    QFile f(errorLogPath());
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

class CrashStart : public FarmTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(farm.open());
        const QString text(300, u'나');
        farm.exec(QStringLiteral("BEGIN"));
        for (int i = 0; i < 4000; ++i) {
            const QString number = QStringLiteral("0020%1").arg(i, 8, 10, QChar(u'0'));
            farm.addAnimal(number, 0, 20180101, {{QStringLiteral("개체특징"), text}});
            farm.addBreeding(number, 20200301);
        }
        farm.exec(QStringLiteral("COMMIT"));
        farm.close();
    }
};

}  // namespace

TEST_F(CrashStart, AWriteKilledAtAnyPointIsRolledBackAndTheFarmOpensAsBefore)
{
    const QString file = databaseFilePath();
    const QByteArray before = digestOf(file);
    for (const char* kind : {"import", "save", "delete", "fill", "dose"}) {
        for (const QByteArray& point : {QByteArray("step 1"), QByteArray("step 7"), QByteArray("done")}) {
            SCOPED_TRACE(std::string(kind) + " killed at " + point.toStdString());
            {
                Writer writer(QString::fromLatin1(kind), farm.dir());
                ASSERT_TRUE(writer.waitFor(point));
                writer.kill();
            }
            // What the kill left: the journal of a transaction nobody will finish.
            ASSERT_TRUE(hasLeftoverJournal(file));
            const StartOutcome o = runStart();
            EXPECT_TRUE(o.dayBackup);
            EXPECT_EQ(o.windowsUp, 0);
            EXPECT_EQ(farm.messages().count(), 0);
            EXPECT_FALSE(hasLeftoverJournal(file));
            EXPECT_EQ(integrityOf(file), QStringLiteral("ok"));
            EXPECT_EQ(digestOf(file), before);
            EXPECT_TRUE(logText().contains(QStringLiteral("끝나지 않은 쓰기를 되돌렸습니다")));
            ASSERT_TRUE(farm.open());  // the program's own opening after the start
            farm.close();
        }
    }
}

TEST_F(CrashStart, AGarbageJournalBesideAWholeFileIsNoDamage)
{
    const QString file = databaseFilePath();
    const QByteArray before = digestOf(file);
    for (const QByteArray& junk : {QByteArray(4096, '\x5a'), QByteArray("journal?"), QByteArray(1, '\x01')}) {
        QFile j(file + QStringLiteral("-journal"));
        ASSERT_TRUE(j.open(QIODevice::WriteOnly));
        j.write(junk);
        j.close();
        const DatabaseAssessment a = assessDatabase(file);
        EXPECT_EQ(a.state, DatabaseState::Good) << a.reason.toStdString();
        EXPECT_EQ(digestOf(file), before);
    }
}

TEST_F(CrashStart, TheBackupListAndTheCheckOfACopyRollBackAJournalToo)
{
    // A file set aside by a restore carries the journal of the write that was cut off.
    const QString file = databaseFilePath();
    const QByteArray before = digestOf(file);
    {
        Writer writer(QStringLiteral("save"), farm.dir());
        ASSERT_TRUE(writer.waitFor("step 5"));
        writer.kill();
    }
    const QString dir = backupDirOf(file);
    QDir().mkpath(dir);
    const QString copy = dir + u'/' + backupFileName(kNow.addDays(-1));
    ASSERT_TRUE(QFile::copy(file, copy));
    ASSERT_TRUE(QFile::copy(file + QStringLiteral("-journal"), copy + QStringLiteral("-journal")));
    const QList<BackupInfo> list = listBackups(file);
    ASSERT_EQ(list.size(), 1);
    EXPECT_TRUE(list[0].good) << list[0].check.toStdString();
    EXPECT_EQ(list[0].animals, 4000);
    EXPECT_EQ(digestOf(copy), before);
}

TEST_F(CrashStart, AFileAnotherProgramHoldsIsInUseNotDamagedAndCanBeTriedAgain)
{
    const QString file = databaseFilePath();
    Writer holder(QStringLiteral("hold"), farm.dir());
    ASSERT_TRUE(holder.waitFor("held"));
    const DatabaseAssessment a = assessDatabase(file);
    EXPECT_EQ(a.state, DatabaseState::Busy) << a.reason.toStdString();
    EXPECT_EQ(recovery::startAction(a, 0), recovery::StartAction::AskAgain);

    // 다시 시도 while it still holds the file, then 취소: the program ends, nothing is shown as damaged.
    farm.messages().answer(MsgButton::Retry);
    farm.messages().answer(MsgButton::Cancel);
    const StartOutcome stopped = runStart();
    EXPECT_FALSE(stopped.dayBackup);
    EXPECT_EQ(stopped.windowsUp, 0);
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().text, recovery::busyAtStartQuestion());
    EXPECT_EQ(farm.messages().last().buttons, MsgButton::Retry | MsgButton::Cancel);
    EXPECT_EQ(farm.exitCalls(), 1);
    EXPECT_TRUE(logText().contains(QStringLiteral("다른 프로그램이 사용하고 있습니다")));

    // Once it lets go, 다시 시도 opens the farm.
    holder.kill();
    const StartOutcome opened = runStart();
    EXPECT_TRUE(opened.dayBackup);
}

TEST_F(CrashStart, ARestoreCutOffBetweenItsRenamesIsFinishedOrUndoneAtTheStart)
{
    const QString file = databaseFilePath();
    const BackupResult backup = writeBackup(file, kNow.addDays(-1));
    ASSERT_TRUE(backup.ok) << backup.error.toStdString();
    const QByteArray chosen = digestOf(backup.file);
    ASSERT_TRUE(farm.open());
    farm.exec(QStringLiteral("delete from 개체관리 where 개체번호 > '002000002000'"));
    farm.close();
    const QByteArray current = digestOf(file);
    const QString aside = QFileInfo(file).absolutePath() + QStringLiteral("/TARVIK-before-restore-20261210-080000.db");
    const QString incoming = restoringFileOf(file);

    struct Case {
        const char* what;
        bool withInfo;       // written by this program's restore; an older one left none
        qint64 copiedBytes;  // of the chosen copy, -1 for all of it
        InterruptedRestore::Outcome outcome;
        const char* says;
    } cases[] = {
        {"whole copy, with its note", true, -1, InterruptedRestore::Outcome::Finished, "복원을 마쳤습니다"},
        {"whole copy, no note", false, -1, InterruptedRestore::Outcome::Finished, "복원을 마쳤습니다"},
        {"half a copy", true, QFileInfo(backup.file).size() / 2, InterruptedRestore::Outcome::PutBack,
         "되돌려 놓았습니다"},
        {"half a copy, no note", false, QFileInfo(backup.file).size() / 2, InterruptedRestore::Outcome::PutBack,
         "되돌려 놓았습니다"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The state a kill between the two renames leaves: the database aside (its journal still
        // at the old place), the chosen copy under its temporary name, no database.
        QFile in(backup.file);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        QFile out(incoming);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(c.copiedBytes < 0 ? in.readAll() : in.read(c.copiedBytes));
        out.close();
        if (c.withInfo) {
            QFile info(file + QStringLiteral(".restoring-info"));
            ASSERT_TRUE(info.open(QIODevice::WriteOnly));
            info.write((backup.file + u'\n' + aside + u'\n').toUtf8());
        }
        ASSERT_TRUE(QFile::rename(file, aside));
        QFile stale(file + QStringLiteral("-journal"));
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray(512, '\x11'));
        stale.close();

        const int shownBefore = farm.messages().count();
        const StartOutcome o = runStart();
        EXPECT_EQ(o.windowsUp, 0);
        EXPECT_TRUE(o.dayBackup);
        ASSERT_EQ(farm.messages().count(), shownBefore + 1);
        EXPECT_TRUE(farm.messages().last().text.contains(QString::fromUtf8(c.says)))
            << farm.messages().last().text.toStdString();
        EXPECT_FALSE(QFileInfo::exists(incoming));
        EXPECT_FALSE(QFileInfo::exists(file + QStringLiteral(".restoring-info")));
        EXPECT_FALSE(QFileInfo::exists(file + QStringLiteral("-journal")));  // never played into the copy
        EXPECT_EQ(integrityOf(file), QStringLiteral("ok"));
        if (c.outcome == InterruptedRestore::Outcome::Finished) {
            EXPECT_EQ(digestOf(file), chosen);
            EXPECT_TRUE(QFileInfo::exists(aside));
            // The old database goes back for the next case.
            QFile::remove(file);
            QFile::remove(aside + QStringLiteral("-journal"));
            ASSERT_TRUE(QFile::rename(aside, file));
        } else {
            EXPECT_FALSE(QFileInfo::exists(aside));
        }
        EXPECT_EQ(digestOf(file), current);
    }
}

TEST_F(CrashStart, LeftoversOfKilledCopiesAreCleanedAtTheStart)
{
    const QString file = databaseFilePath();
    const QString dir = backupDirOf(file);
    QDir().mkpath(dir);
    const QStringList leftovers{restoringFileOf(file), dir + QStringLiteral("/TARVIK-20261209-080000.db.part"),
                                dir + QStringLiteral("/TARVIK-20261209-080000.db.part-journal")};
    for (const QString& l : leftovers) {
        QFile f(l);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                         QFileDevice::ReadOther);
    }
    // Another program's unfinished download in the same folder is not the program's to remove.
    QFile other(dir + QStringLiteral("/영상.mp4.part"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    const StartOutcome o = runStart();
    EXPECT_TRUE(o.dayBackup);
    EXPECT_EQ(farm.messages().count(), 0);
    for (const QString& l : leftovers) EXPECT_FALSE(QFileInfo::exists(l)) << l.toStdString();
    EXPECT_TRUE(QFileInfo::exists(other.fileName()));
}
