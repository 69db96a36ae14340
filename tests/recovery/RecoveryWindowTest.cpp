// The recovery window on a real farm folder: the list, backing up now, restoring, copying
// elsewhere and the second backup folder.
#include "backup/model/BackupCopies.h"
#include "backup/model/Restore.h"
#include "data/Clock.h"
#include "data/Db.h"
#include "kit/DbMessages.h"
#include "kit/Grid.h"
#include "recovery/RecoveryWindow.h"
#include "recovery/model/RecoveryText.h"
#include "support/AccessibilityCheck.h"
#include "support/TestHelpers.h"

#include "RecoveryFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {
QPushButton* button(RecoveryWindow& w, const char* name)
{
    auto* b = w.findChild<QPushButton*>(QString::fromUtf8(name));
    EXPECT_TRUE(b) << name;
    return b;
}
Grid* grid(RecoveryWindow& w)
{
    return w.findChild<Grid*>(QStringLiteral("grdBackups"));
}
// Selects the list's row of `file`; false when it is not listed.
bool select(RecoveryWindow& w, const QString& file)
{
    for (int i = 0; i < w.backups().size(); ++i)
        if (w.backups()[i].file == file) {
            grid(w)->setActiveCell(1, i + 1);
            return true;
        }
    return false;
}
}  // namespace

TEST_F(RecoveryTest, TheWindowListsAGoodBackupAndACheckFailedCopyWithTheirCountsAndNamedControls)
{
    const QString good = writeGoodBackup();
    const QString failed = writeCheckFailedCopy();
    RecoveryWindow w;
    EXPECT_EQ(w.objectName(), QStringLiteral("frmRecovery"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("백업 및 복원"));
    EXPECT_EQ(controlsHeardByControlName(&w), QStringList());
    for (const auto& [name, caption] : {std::pair{"cmdBackupNow", "지금 백업"},
                                        {"cmdRestore", "복원"},
                                        {"cmdCopyTo", "다른 위치에 복사"},
                                        {"cmdSetSecondFolder", "폴더 지정…"},
                                        {"cmdClearSecondFolder", "해제"},
                                        {"cmdClose", "닫기"}}) {
        QPushButton* b = button(w, name);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->text(), QString::fromUtf8(caption));
        EXPECT_EQ(b->accessibleDescription(), QString::fromUtf8(name));
    }
    EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("txtSecondFolder"))->accessibleName(),
              QStringLiteral("두 번째 백업 폴더"));

    Grid* g = grid(w);
    ASSERT_TRUE(g);
    ASSERT_EQ(g->maxRows(), 2);
    ASSERT_EQ(w.backups().size(), 2);
    EXPECT_EQ(w.backups()[0].file, good);  // the backups first, then the copies set aside
    EXPECT_EQ(w.backups()[1].file, failed);
    EXPECT_EQ(g->rowTexts(1),
              (QStringList{"2026-12-01 10:00:00", recovery::sizeText(w.backups()[0].bytes), "2", "1", "정상"}));
    EXPECT_NE(g->cellText(5, 2), QStringLiteral("정상"));
    EXPECT_FALSE(g->cellText(5, 2).isEmpty());

    // The good copy comes selected; a failing one allows neither restore nor copy.
    EXPECT_EQ(g->activeRow(), 1);
    EXPECT_TRUE(button(w, "cmdRestore")->isEnabled());
    EXPECT_TRUE(button(w, "cmdCopyTo")->isEnabled());
    ASSERT_TRUE(select(w, failed));
    EXPECT_FALSE(button(w, "cmdRestore")->isEnabled());
    EXPECT_FALSE(button(w, "cmdCopyTo")->isEnabled());
    button(w, "cmdRestore")->click();  // a disabled button does nothing, even clicked
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(RecoveryTest, RestoreAsksThenPutsTheCopyBackKeepsTheOldFileAndReopensTheConnection)
{
    const QString good = writeGoodBackup();
    ASSERT_TRUE(farm.open());
    farm.addAnimal(QStringLiteral("002099999999"), 1);  // written after the backup
    ASSERT_EQ(farm.count(QStringLiteral("개체관리")), 3);

    RecoveryWindow w;
    ASSERT_TRUE(select(w, good));
    // No: nothing changes.
    farm.messages().answer(MsgButton::No);
    button(w, "cmdRestore")->click();
    ASSERT_EQ(farm.messages().count(), 1);
    const QString question = farm.messages().last().text;
    EXPECT_TRUE(question.contains(QStringLiteral("2026-12-01 10:00:00"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("TARVIK-before-restore-")));
    EXPECT_EQ(farm.count(QStringLiteral("개체관리")), 3);

    farm.messages().answer(MsgButton::Yes);
    button(w, "cmdRestore")->click();
    ASSERT_EQ(farm.messages().count(), 3);
    EXPECT_TRUE(farm.messages().last().text.startsWith(QStringLiteral("백업을 복원했습니다.")))
        << farm.messages().last().text.toStdString();
    ASSERT_TRUE(gConn.isOpen());
    EXPECT_EQ(farm.count(QStringLiteral("개체관리")), 2);
    EXPECT_EQ(farm.count(QStringLiteral("번식기록")), 1);
    const QStringList setAside =
        QDir(farm.dir() + QStringLiteral("/db")).entryList({QStringLiteral("TARVIK-before-restore-*.db")});
    ASSERT_EQ(setAside.size(), 1);
    EXPECT_TRUE(QFile::exists(good));  // the backup itself stays
}

TEST_F(RecoveryTest, BackupNowAddsARowAndCopiesToTheSecondFolder)
{
    writeGoodBackup();
    setTodayOverride(QDate(2026, 12, 5));
    QTemporaryDir second;
    RecoveryWindow::setFolderChooser([&](QWidget*, const QString&, const QString&) { return second.path(); });
    RecoveryWindow w;
    ASSERT_EQ(grid(w)->maxRows(), 1);
    auto* last = w.findChild<QLabel*>(QStringLiteral("lblLastSecondCopy"));
    ASSERT_TRUE(last);
    EXPECT_EQ(last->text(), QStringLiteral("마지막 두 번째 사본: 아직 없음"));
    EXPECT_FALSE(button(w, "cmdClearSecondFolder")->isEnabled());

    button(w, "cmdSetSecondFolder")->click();
    EXPECT_EQ(QDir(secondBackupFolder()), QDir(second.path()));
    EXPECT_EQ(QDir(w.findChild<QLineEdit*>(QStringLiteral("txtSecondFolder"))->text()), QDir(second.path()));
    EXPECT_TRUE(button(w, "cmdClearSecondFolder")->isEnabled());

    button(w, "cmdBackupNow")->click();
    EXPECT_EQ(farm.messages().count(), 0);
    ASSERT_EQ(grid(w)->maxRows(), 2);
    EXPECT_TRUE(grid(w)->cellText(1, 1).startsWith(QStringLiteral("2026-12-05")));
    EXPECT_EQ(grid(w)->cellText(5, 1), QStringLiteral("정상"));
    // The automatic backup's copy reached the second folder.
    EXPECT_EQ(QDir(second.path()).entryList({QStringLiteral("TARVIK-*.db")}, QDir::Files).size(), 1);
    EXPECT_TRUE(last->text().startsWith(QStringLiteral("마지막 두 번째 사본: 2026-12-05")))
        << last->text().toStdString();

    button(w, "cmdClearSecondFolder")->click();
    EXPECT_EQ(secondBackupFolder(), QString());
    EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("txtSecondFolder"))->text(), QString());
    EXPECT_FALSE(button(w, "cmdClearSecondFolder")->isEnabled());
}

TEST_F(RecoveryTest, AnUnreachableSecondFolderNeverFailsTheBackupNorShowsABox)
{
    setTodayOverride(QDate(2026, 12, 6));
    setSecondBackupFolder(farm.dir() + QStringLiteral("/no-such-stick"));
    EXPECT_TRUE(backupDatabase(nullptr));
    EXPECT_EQ(farm.messages().count(), 0);
    EXPECT_EQ(backupFileCount(), 1);
}

TEST_F(RecoveryTest, CopyElsewhereWritesTheChosenCopyIntoTheScriptedFolder)
{
    const QString good = writeGoodBackup();
    QTemporaryDir stick;
    QString asked;
    RecoveryWindow::setFolderChooser([&](QWidget*, const QString& title, const QString&) {
        asked = title;
        return stick.path();
    });
    RecoveryWindow w;
    ASSERT_TRUE(select(w, good));
    button(w, "cmdCopyTo")->click();
    EXPECT_FALSE(asked.isEmpty());
    const QString copy = stick.path() + u'/' + QFileInfo(good).fileName();
    EXPECT_TRUE(QFile::exists(copy));
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_TRUE(farm.messages().last().text.startsWith(QStringLiteral("백업을 복사했습니다.")));

    // A cancelled folder choice copies nothing and says nothing.
    RecoveryWindow::setFolderChooser([](QWidget*, const QString&, const QString&) { return QString(); });
    button(w, "cmdCopyTo")->click();
    EXPECT_EQ(farm.messages().count(), 1);
}
