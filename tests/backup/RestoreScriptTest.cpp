// scripts/restore.sh on a program folder of its own (TARVIK_HOME): the current file is set
// aside, never overwritten, and the newest good backup comes back.
#include "backup/model/Backup.h"
#include "data/Db.h"
#include "data/ProgramDir.h"
#include "data/Schema.h"
#include "data/SingleInstance.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <functional>

namespace {

struct ScriptRun {
    int code = -1;
    QString output;
};

ScriptRun restore(const QString& folder, const QStringList& args = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TARVIK_HOME"), folder);
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("bash"), QStringList{QStringLiteral(TARVIK_SOURCE_DIR "/scripts/restore.sh")} + args);
    if (!p.waitForFinished(60000)) return {};
    return {p.exitCode(), QString::fromUtf8(p.readAll())};
}

QStringList animals(TestFarm& farm)
{
    QStringList out;
    if (!farm.open()) return {QStringLiteral("(cannot open)")};
    QSqlQuery q = runQuery(QStringLiteral("select 개체번호 from 개체관리 order by 1"));
    while (q.next()) out << q.value(0).toString();
    farm.close();
    return out;
}

void addAnimal(TestFarm& farm, const QString& number)
{
    ASSERT_TRUE(farm.open());
    farm.addAnimal(number, 0);
    farm.close();
}

QStringList setAside(const QString& folder)
{
    return QDir(folder + QStringLiteral("/db")).entryList({QStringLiteral("TARVIK-before-restore-*.db")}, QDir::Files);
}

class RestoreScript : public FarmTest {
protected:
    void SetUp() override
    {
        for (const char* tool : {"sqlite3", "flock"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                GTEST_SKIP() << tool << " is not installed";
    }
    QString backupAt(int day)
    {
        const BackupResult r = writeBackup(databaseFilePath(), QDateTime(QDate(2026, 4, day), QTime(8, 0)));
        EXPECT_TRUE(r.ok) << r.error.toStdString();
        return r.file;
    }
};

}  // namespace

TEST_F(RestoreScript, TheNewestGoodBackupComesBackAndTheCurrentFileIsSetAside)
{
    addAnimal(farm, QStringLiteral("OLD"));
    backupAt(1);
    addAnimal(farm, QStringLiteral("NEWER"));
    const QString newest = backupAt(2);
    addAnimal(farm, QStringLiteral("TODAY"));
    // The newest copy got damaged on disk since: it is passed over.
    const QString broken = backupDirOf(databaseFilePath()) + QStringLiteral("/TARVIK-20260403-080000.db");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, 'x'));
    f.close();

    const ScriptRun r = restore(farm.dir());
    ASSERT_EQ(r.code, 0) << r.output.toStdString();
    EXPECT_TRUE(r.output.contains(newest)) << r.output.toStdString();
    EXPECT_EQ(animals(farm), (QStringList{QStringLiteral("NEWER"), QStringLiteral("OLD")}));

    const QStringList aside = setAside(farm.dir());
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^TARVIK-before-restore-\\d{8}-\\d{6}\\.db$")).match(aside[0]).hasMatch());
    setProgramDir(farm.dir() + QStringLiteral("/aside"));
    QDir().mkpath(farm.dir() + QStringLiteral("/aside/db"));
    ASSERT_TRUE(QFile::copy(farm.dir() + QStringLiteral("/db/") + aside[0], databaseFilePath()));
    EXPECT_EQ(animals(farm), (QStringList{QStringLiteral("NEWER"), QStringLiteral("OLD"), QStringLiteral("TODAY")}));
    setProgramDir(farm.dir());
}

TEST_F(RestoreScript, AChosenFileAndRunningTwiceNeverOverwriteASetAsideFile)
{
    addAnimal(farm, QStringLiteral("FIRST"));
    const QString first = backupAt(1);
    addAnimal(farm, QStringLiteral("SECOND"));
    backupAt(2);

    ASSERT_EQ(restore(farm.dir(), {first}).code, 0);
    EXPECT_EQ(animals(farm), QStringList{QStringLiteral("FIRST")});
    ASSERT_EQ(restore(farm.dir(), {first}).code, 0);  // at once again: a second set-aside name
    EXPECT_EQ(setAside(farm.dir()).size(), 2);
    EXPECT_EQ(QFileInfo(databaseFilePath()).permissions() & (QFile::ReadOther | QFile::ReadGroup),
              QFile::Permissions());
}

TEST_F(RestoreScript, RefusesWhileTheProgramRunsOrTheFileIsNoGoodBackup)
{
    addAnimal(farm, QStringLiteral("KEEP"));
    backupAt(1);
    {
        auto running = acquireSingleInstance(farm.dir());
        ASSERT_TRUE(running);
        const ScriptRun r = restore(farm.dir());
        EXPECT_NE(r.code, 0);
        EXPECT_TRUE(r.output.contains(QStringLiteral("running"))) << r.output.toStdString();
    }
    const QString junk = farm.dir() + QStringLiteral("/junk.db");
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a database");
    f.close();
    EXPECT_NE(restore(farm.dir(), {junk}).code, 0);
    EXPECT_TRUE(setAside(farm.dir()).isEmpty());
    EXPECT_EQ(animals(farm), QStringList{QStringLiteral("KEEP")});
}

namespace {

// Makes a SQLite file at `path` by running `sql` (statements apart by ';').
bool sqliteFile(const QString& path, const QString& sql)
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {path, sql});
    return p.waitForFinished(30000) && p.exitCode() == 0;
}

// A farm made by the program itself, then changed by `sql`.
bool changedFarm(const QString& path, const QString& sql)
{
    return QFile::copy(databaseFilePath(), path) && (sql.isEmpty() || sqliteFile(path, sql));
}

}  // namespace

TEST_F(RestoreScript, CopiesThatAreNoFarmAreSkippedAndRefused)
{
    addAnimal(farm, QStringLiteral("GOOD"));
    const QString good = backupAt(1);
    addAnimal(farm, QStringLiteral("LATER"));
    const QString dir = backupDirOf(databaseFilePath());
    const struct {
        const char* what;
        QString name;
        std::function<bool(const QString&)> make;
    } bad[] = {
        {"empty", QStringLiteral("TARVIK-20260402-080000.db"),
         [](const QString& p) {
             QFile f(p);
             return f.open(QIODevice::WriteOnly);
         }},
        {"schema-less", QStringLiteral("TARVIK-20260403-080000.db"),
         [](const QString& p) { return sqliteFile(p, QStringLiteral("PRAGMA user_version = 3; VACUUM")); }},
        {"another program's", QStringLiteral("TARVIK-20260404-080000.db"),
         [](const QString& p) { return sqliteFile(p, QStringLiteral("CREATE TABLE t(x); INSERT INTO t VALUES(1)")); }},
        {"no farm row", QStringLiteral("TARVIK-20260405-080000.db"),
         [](const QString& p) { return changedFarm(p, QStringLiteral("DELETE FROM 농장정보")); }},
        {"a table missing", QStringLiteral("TARVIK-20260406-080000.db"),
         [](const QString& p) { return changedFarm(p, QStringLiteral("DROP TABLE 일일관리")); }},
        {"kept aside after its check", QStringLiteral("TARVIK-20260407-080000-check-failed.db"),
         [](const QString& p) { return changedFarm(p, QString()); }},
    };
    for (const auto& b : bad) ASSERT_TRUE(b.make(dir + u'/' + b.name)) << b.what;

    const ScriptRun r = restore(farm.dir());
    ASSERT_EQ(r.code, 0) << r.output.toStdString();
    EXPECT_TRUE(r.output.contains(QStringLiteral("restored: ") + good)) << r.output.toStdString();
    EXPECT_EQ(animals(farm), QStringList{QStringLiteral("GOOD")});
    for (const auto& b : bad) {
        if (b.name.endsWith(QStringLiteral("-check-failed.db"))) continue;  // never even looked at
        EXPECT_TRUE(r.output.contains(QStringLiteral("skipping ") + dir + u'/' + b.name)) << b.what;
        EXPECT_NE(restore(farm.dir(), {dir + u'/' + b.name}).code, 0) << b.what;
    }
    EXPECT_EQ(animals(farm), QStringList{QStringLiteral("GOOD")});
}

TEST_F(RestoreScript, TheNewestCopyByCreationComesBackWhenTheClockWentBack)
{
    addAnimal(farm, QStringLiteral("FIRST"));
    backupAt(20);
    addAnimal(farm, QStringLiteral("AFTER"));
    const QString newest = backupAt(10);  // the clock was set back ten days
    const ScriptRun r = restore(farm.dir());
    ASSERT_EQ(r.code, 0) << r.output.toStdString();
    EXPECT_TRUE(r.output.contains(QStringLiteral("restored: ") + newest)) << r.output.toStdString();
    EXPECT_EQ(animals(farm), (QStringList{QStringLiteral("AFTER"), QStringLiteral("FIRST")}));
}

TEST_F(RestoreScript, TheBackupMadeBeforeAnImportIsANewestBackupLikeAnyOther)
{
    addAnimal(farm, QStringLiteral("BEFORE"));
    backupAt(1);
    const BackupResult labelled =
        writeBackup(databaseFilePath(), QDateTime(QDate(2026, 4, 2), QTime(8, 0)), kImportBackupLabel);
    ASSERT_TRUE(labelled.ok) << labelled.error.toStdString();
    EXPECT_TRUE(labelled.file.endsWith(QStringLiteral("/TARVIK-20260402-080000-가져오기전.db")));
    addAnimal(farm, QStringLiteral("IMPORTED"));
    const ScriptRun r = restore(farm.dir());
    ASSERT_EQ(r.code, 0) << r.output.toStdString();
    EXPECT_TRUE(r.output.contains(QStringLiteral("restored: ") + labelled.file)) << r.output.toStdString();
    EXPECT_EQ(animals(farm), QStringList{QStringLiteral("BEFORE")});
}

TEST(RestoreScriptTables, TheScriptKnowsEveryRequiredTableOfTheSchema)
{
    QFile script(QStringLiteral(TARVIK_SOURCE_DIR "/scripts/restore.sh"));
    ASSERT_TRUE(script.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(script.readAll());
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\nTABLES=\\(([^)]*)\\)")).match(text);
    ASSERT_TRUE(m.hasMatch());
    QStringList inScript = m.captured(1).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QStringList inSchema;
    // An optional table may be missing from a good backup: the script must not ask for it.
    for (const TableDef& t : schemaTables())
        if (!t.optional) inSchema << t.name;
    inScript.sort();
    inSchema.sort();
    EXPECT_EQ(inScript, inSchema);
}
