// Where the program keeps its files: a portable program folder, or an installed copy whose
// records, settings and adjusted report files are each user's own.
#include "backup/model/FirstStart.h"
#include "data/ProgramDir.h"
#include "data/Schema.h"
#include "support/HookGuard.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <optional>

namespace {
void writeFile(const QString& path, const QByteArray& content = "x")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

// One query on a database file, through a connection of its own.
QString scalarIn(const QString& file, const QString& sql)
{
    const QString name = QUuid::createUuid().toString();
    QString value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next()) value = q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

// Sets or clears an environment variable and puts the old value back.
class EnvVar {
public:
    EnvVar(const char* name, const QString& value) : m_name(name)
    {
        if (qEnvironmentVariableIsSet(name)) m_old = qEnvironmentVariable(name);
        qputenv(name, value.toLocal8Bit());
    }
    ~EnvVar()
    {
        if (m_old)
            qputenv(m_name, m_old->toLocal8Bit());
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<QString> m_old;
};

// A file tree with every kind of executable folder:
//   usr/bin, usr/share/tarvik/rpt      an installed copy
//   farm/db                            a portable program folder
//   both/bin/db, both/share/tarvik/rpt a portable folder that also sits beside a share folder
//   build                              neither (a build folder)
//   norpt/bin, norpt/share/tarvik      a share folder without report files
class ProgramFoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        root = QFileInfo(tmp.path()).canonicalFilePath();
        for (const char* d : {"usr/bin", "usr/share/tarvik/rpt", "farm/db", "both/bin/db", "both/share/tarvik/rpt",
                              "build", "norpt/bin", "norpt/share/tarvik", "home"})
            ASSERT_TRUE(QDir().mkpath(root + u'/' + QLatin1String(d)));
    }
    QString at(const QString& pattern) const { return QString(pattern).replace(u'@', root); }

    FolderEnvironment installed() const
    {
        FolderEnvironment env;
        env.executableDir = root + QStringLiteral("/usr/bin");
        env.home = root + QStringLiteral("/home");
        return env;
    }

    HookGuard hooks;
    QTemporaryDir tmp;
    QString root;
};
}  // namespace

TEST_F(ProgramFoldersTest, ChoiceOfLayoutAndFolders)
{
    struct Case {
        const char* what;
        const char* exeDir;
        const char* tarvikHome;
        const char* xdgData;
        const char* xdgConfig;
        FolderLayout layout;
        const char* dataDir;
        const char* settings;
        const char* reports;
        const char* userReports;
    };
    const auto P = FolderLayout::Portable;
    const auto I = FolderLayout::Installed;
    const Case cases[] = {
        {"portable folder with db/", "@/farm", "", "", "", P, "@/farm", "@/farm/Tarvik.ini", "@/farm/rpt", ""},
        {"db/ wins over a share folder beside it", "@/both/bin", "", "", "", P, "@/both/bin", "@/both/bin/Tarvik.ini",
         "@/both/bin/rpt", ""},
        {"TARVIK_HOME over a portable folder", "@/farm", "@/elsewhere", "", "", P, "@/elsewhere",
         "@/elsewhere/Tarvik.ini", "@/elsewhere/rpt", ""},
        {"TARVIK_HOME over an installed copy", "@/usr/bin", "@/elsewhere", "@/xdg/data", "@/xdg/config", P,
         "@/elsewhere", "@/elsewhere/Tarvik.ini", "@/elsewhere/rpt", ""},
        {"installed, XDG folders unset", "@/usr/bin", "", "", "", I, "@/home/.local/share/tarvik",
         "@/home/.config/tarvik/Tarvik.ini", "@/usr/share/tarvik/rpt", "@/home/.local/share/tarvik/rpt"},
        {"installed, XDG folders set", "@/usr/bin", "", "@/xdg/data", "@/xdg/config/", I, "@/xdg/data/tarvik",
         "@/xdg/config/tarvik/Tarvik.ini", "@/usr/share/tarvik/rpt", "@/xdg/data/tarvik/rpt"},
        {"installed, relative XDG folders are ignored", "@/usr/bin", "", "data", "config", I,
         "@/home/.local/share/tarvik", "@/home/.config/tarvik/Tarvik.ini", "@/usr/share/tarvik/rpt",
         "@/home/.local/share/tarvik/rpt"},
        {"a build folder stays portable", "@/build", "", "@/xdg/data", "", P, "@/build", "@/build/Tarvik.ini",
         "@/build/rpt", ""},
        {"a share folder without rpt/ is no installed copy", "@/norpt/bin", "", "", "", P, "@/norpt/bin",
         "@/norpt/bin/Tarvik.ini", "@/norpt/bin/rpt", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FolderEnvironment env;
        env.executableDir = at(QString::fromUtf8(c.exeDir));
        env.tarvikHome = at(QString::fromUtf8(c.tarvikHome));
        env.xdgDataHome = at(QString::fromUtf8(c.xdgData));
        env.xdgConfigHome = at(QString::fromUtf8(c.xdgConfig));
        env.home = root + QStringLiteral("/home");
        const ProgramFolders f = chooseProgramFolders(env);
        EXPECT_EQ(f.layout, c.layout);
        EXPECT_EQ(f.dataDir, at(QString::fromUtf8(c.dataDir)));
        EXPECT_EQ(f.settingsFile, at(QString::fromUtf8(c.settings)));
        EXPECT_EQ(f.reportDir, at(QString::fromUtf8(c.reports)));
        EXPECT_EQ(f.userReportDir, at(QString::fromUtf8(c.userReports)));
    }
}

TEST_F(ProgramFoldersTest, TarvikHomeAndTheTestOverrideReachTheProgramsPaths)
{
    const EnvVar home("TARVIK_HOME", root + QStringLiteral("/farm"));
    EXPECT_EQ(currentProgramFolders().layout, FolderLayout::Portable);
    EXPECT_EQ(programDir(), root + QStringLiteral("/farm"));
    EXPECT_EQ(settingsFilePath(), root + QStringLiteral("/farm/Tarvik.ini"));
    EXPECT_EQ(databaseFilePath(), root + QStringLiteral("/farm/db/TARVIK.db"));
    EXPECT_EQ(reportFilePath(QStringLiteral("일일관리.rpt")), root + QStringLiteral("/farm/rpt/일일관리.rpt"));

    setProgramDir(root + QStringLiteral("/both/bin"));
    EXPECT_EQ(programDir(), root + QStringLiteral("/both/bin"));
    EXPECT_EQ(reportDir(), root + QStringLiteral("/both/bin/rpt"));
}

TEST_F(ProgramFoldersTest, ReportFilesComeFromTheUsersOwnCopyFirst)
{
    const ProgramFolders f = chooseProgramFolders(installed());
    ASSERT_EQ(f.layout, FolderLayout::Installed);
    writeFile(f.reportDir + QStringLiteral("/일일관리.rpt"));
    writeFile(f.reportDir + QStringLiteral("/TarvikList.rpt"));
    writeFile(f.userReportDir + QStringLiteral("/TarvikList.rpt"), "adjusted");
    ASSERT_TRUE(QDir().mkpath(f.userReportDir + QStringLiteral("/번식기록.rpt")));  // a folder, no report

    EXPECT_EQ(reportFilePath(f, QStringLiteral("TarvikList.rpt")), f.userReportDir + QStringLiteral("/TarvikList.rpt"));
    EXPECT_EQ(reportFilePath(f, QStringLiteral("일일관리.rpt")), f.reportDir + QStringLiteral("/일일관리.rpt"));
    EXPECT_EQ(reportFilePath(f, QStringLiteral("번식기록.rpt")), f.reportDir + QStringLiteral("/번식기록.rpt"));
    // Missing everywhere: the installed name, which the print command reports as missing.
    EXPECT_EQ(reportFilePath(f, QStringLiteral("없음.rpt")), f.reportDir + QStringLiteral("/없음.rpt"));

    // A portable folder has only its own rpt/.
    const ProgramFolders portable = chooseProgramFolders({root + QStringLiteral("/farm"), {}, {}, {}, {}});
    EXPECT_EQ(reportFilePath(portable, QStringLiteral("TarvikList.rpt")),
              root + QStringLiteral("/farm/rpt/TarvikList.rpt"));
}

TEST_F(ProgramFoldersTest, FirstStartCreatesThePrivateDatabaseAndLaterStartsKeepIt)
{
    FolderEnvironment env = installed();
    env.xdgConfigHome = root + QStringLiteral("/xdg/config");
    const ProgramFolders f = chooseProgramFolders(env);
    const QString db = f.dataDir + QStringLiteral("/db/TARVIK.db");
    ASSERT_FALSE(QFileInfo::exists(f.dataDir));

    ASSERT_EQ(prepareProgramFolders(f), QString());
    EXPECT_EQ(fileModeOf(f.dataDir), 0700);
    EXPECT_EQ(fileModeOf(f.dataDir + QStringLiteral("/db")), 0700);
    EXPECT_EQ(fileModeOf(db), 0600);
    EXPECT_EQ(fileModeOf(QFileInfo(f.settingsFile).absolutePath()), 0700);
    EXPECT_EQ(scalarIn(db, QStringLiteral("select count(*) from 농장정보")), QStringLiteral("1"));
    EXPECT_EQ(scalarIn(db, QStringLiteral("select 축종 from 농장정보")), QStringLiteral("한우"));

    // The records stay; access others were given is taken away again.
    scalarIn(db, QStringLiteral("update 농장정보 set 사업장명칭 = '한우농장'"));
    ASSERT_EQ(::chmod(QFile::encodeName(db).constData(), 0644), 0);
    ASSERT_EQ(prepareProgramFolders(f), QString());
    EXPECT_EQ(scalarIn(db, QStringLiteral("select 사업장명칭 from 농장정보")), QStringLiteral("한우농장"));
    EXPECT_EQ(fileModeOf(db), 0600);
}

TEST_F(ProgramFoldersTest, APortableFolderIsLeftAsItIs)
{
    const QString bare = root + QStringLiteral("/build");
    EXPECT_EQ(prepareProgramFolders(chooseProgramFolders({bare, {}, {}, {}, {}})), QString());
    EXPECT_TRUE(QDir(bare).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

TEST_F(ProgramFoldersTest, AnUnusableDataFolderIsReportedNotCreatedElsewhere)
{
    writeFile(root + QStringLiteral("/home/.local/share/tarvik"), "a file where the folder belongs");
    const ProgramFolders f = chooseProgramFolders(installed());
    EXPECT_FALSE(prepareProgramFolders(f).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/home/.config/tarvik")));
}

TEST_F(ProgramFoldersTest, ADataFolderLinkedToAnotherDiskIsUsedWhereItPoints)
{
    const QString disk = root + QStringLiteral("/disk/tarvik");
    ASSERT_TRUE(QDir().mkpath(disk));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/home/.local/share")));
    ASSERT_TRUE(QFile::link(disk, root + QStringLiteral("/home/.local/share/tarvik")));
    ASSERT_EQ(prepareProgramFolders(chooseProgramFolders(installed())), QString());
    EXPECT_EQ(fileModeOf(disk + QStringLiteral("/db/TARVIK.db")), 0600);
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("/home/.local/share/tarvik")).isSymLink());
}

// A missing database beside backups is lost records: neither the start nor the set-up tool makes
// a new empty farm over them; without backups both lay out the first database as before.
TEST_F(ProgramFoldersTest, AMissingDatabaseWithBackupsIsNotReplacedByANewFarm)
{
    const QString farm = root + QStringLiteral("/a-farm.db");
    ASSERT_EQ(createDatabaseFileIfMissing(farm), QString());
    struct Case {
        const char* what;
        bool installedLayout;
        bool withBackup;
        bool startCreates;  // prepareProgramFolders
        bool setupCreates;  // tarvik-setup on the data folder
    };
    const Case cases[] = {
        {"installed, first start", true, false, true, true},
        {"installed, database lost", true, true, false, false},
        {"portable, first start", false, false, false, true},
        {"portable, database lost", false, true, false, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (bool bySetup : {false, true}) {
            SCOPED_TRACE(bySetup ? "tarvik-setup" : "start");
            const QString home = root + QStringLiteral("/home%1").arg(n++);
            ProgramFolders f;
            if (c.installedLayout) {
                FolderEnvironment env = installed();
                env.home = home;
                f = chooseProgramFolders(env);
                ASSERT_EQ(f.layout, FolderLayout::Installed);
            } else {
                f = chooseProgramFolders({home, {}, {}, {}, {}});
                ASSERT_EQ(f.layout, FolderLayout::Portable);
            }
            const QString db = f.dataDir + QStringLiteral("/db/TARVIK.db");
            const QString backup = f.dataDir + QStringLiteral("/db/backup/TARVIK-20260301-080000.db");
            ASSERT_TRUE(QDir().mkpath(f.dataDir + QStringLiteral("/db/backup")));
            if (c.withBackup) {
                ASSERT_TRUE(QFile::copy(farm, backup));
            }

            if (bySetup) {
                QProcess p;
                p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tarvik-setup"), {f.dataDir});
                ASSERT_TRUE(p.waitForFinished(30000));
                EXPECT_EQ(p.exitCode(), 0);
                EXPECT_EQ(QFileInfo::exists(db), c.setupCreates);
                if (c.withBackup) {
                    EXPECT_TRUE(p.readAllStandardOutput().contains("database not created"));
                }
            } else {
                EXPECT_EQ(prepareProgramFolders(f), QString());
                EXPECT_EQ(QFileInfo::exists(db), c.startCreates);
            }
            if (c.withBackup) {
                EXPECT_TRUE(QFileInfo(backup).isFile());
            }
        }
    }
}

TEST_F(ProgramFoldersTest, TheStartTightensLooseModesOfBothLayoutsBeforeAnyWindow)
{
    FolderEnvironment env = installed();
    env.xdgConfigHome = root + QStringLiteral("/xdg/config");
    struct Case {
        const char* what;
        ProgramFolders folders;
    } cases[] = {
        {"portable", chooseProgramFolders({root + QStringLiteral("/farm"), {}, {}, {}, {}})},
        {"installed", chooseProgramFolders(env)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString dbFolder = c.folders.dataDir + QStringLiteral("/db");
        const QString db = dbFolder + QStringLiteral("/TARVIK.db");
        ASSERT_EQ(createDatabaseFileIfMissing(db), QString());
        writeFile(db + QStringLiteral("-journal"));
        ASSERT_EQ(::chmod(QFile::encodeName(dbFolder).constData(), 0777), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(db).constData(), 0666), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(db + QStringLiteral("-journal")).constData(), 0666), 0);

        ASSERT_EQ(prepareProgramFolders(c.folders), QString());
        EXPECT_EQ(fileModeOf(dbFolder), 0700);
        EXPECT_EQ(fileModeOf(db), 0600);
        EXPECT_EQ(fileModeOf(db + QStringLiteral("-journal")), 0600);
    }
}
