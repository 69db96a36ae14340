// The recovery window's words and rules, called directly.
#include "recovery/model/RecoveryText.h"

#include <gtest/gtest.h>

using namespace recovery;

namespace {
BackupInfo info(bool good, int animals = 12, int breedings = 3)
{
    BackupInfo b;
    b.file = QStringLiteral("/farm/db/backup/TARVIK-20261209-183005.db");
    b.made = QDateTime(QDate(2026, 12, 9), QTime(18, 30, 5));
    b.bytes = 1536 * 1024;
    b.good = good;
    b.check = good ? QStringLiteral("정상") : QStringLiteral("농장정보 행이 없습니다");
    b.animals = animals;
    b.breedings = breedings;
    return b;
}
}  // namespace

TEST(RecoveryText, ARowShowsTimeSizeCountsAndCheck)
{
    EXPECT_EQ(backupRow(info(true, 12345, 7)), (QStringList{"2026-12-09 18:30:05", "1.5 MB", "12,345", "7", "정상"}));
    EXPECT_EQ(backupRow(info(false, -1, -1)),
              (QStringList{"2026-12-09 18:30:05", "1.5 MB", "-", "-", "농장정보 행이 없습니다"}));
    EXPECT_EQ(backupColumns().size(), backupRow(info(true)).size());
}

TEST(RecoveryText, SizesReadInBytesKilobytesAndMegabytes)
{
    const struct {
        qint64 bytes;
        const char* text;
    } cases[] = {{0, "0 바이트"},        {1023, "1023 바이트"},   {1024, "1 KB"},       {1025, "2 KB"},
                 {340 * 1024, "340 KB"}, {1024 * 1024, "1.0 MB"}, {13107200, "12.5 MB"}};
    for (const auto& c : cases) EXPECT_EQ(sizeText(c.bytes), QString::fromUtf8(c.text)) << c.bytes;
}

TEST(RecoveryText, OnlyAGoodSelectedCopyCanBeRestoredOrCopied)
{
    const QList<BackupInfo> list{info(true), info(false)};
    const struct {
        int selected;
        bool allowed;
    } cases[] = {{-1, false}, {0, true}, {1, false}, {2, false}};
    for (const auto& c : cases) {
        const CommandState s = commandState(list, c.selected);
        EXPECT_EQ(s.restore, c.allowed) << c.selected;
        EXPECT_EQ(s.copy, c.allowed) << c.selected;
    }
    EXPECT_FALSE(canClearSecondFolder(QString()));
    EXPECT_TRUE(canClearSecondFolder(QStringLiteral("/media/usb")));
}

TEST(RecoveryText, TheRestoreQuestionNamesWhatIsReplacedByWhatAndWhereTheOldFileStays)
{
    const QString q = restoreQuestion(info(true, 1234, 56));
    for (const char* part :
         {"지금의 데이터베이스", "2026-12-09 18:30:05", "1,234", "56", "TARVIK-before-restore-", "복원하시겠습니까?"})
        EXPECT_TRUE(q.contains(QString::fromUtf8(part))) << part << "\n" << q.toStdString();
}

TEST(RecoveryText, LastSecondCopy)
{
    EXPECT_EQ(lastSecondCopyText(QDateTime()), QStringLiteral("마지막 두 번째 사본: 아직 없음"));
    EXPECT_EQ(lastSecondCopyText(QDateTime(QDate(2026, 12, 9), QTime(18, 30, 59))),
              QStringLiteral("마지막 두 번째 사본: 2026-12-09 18:30"));
}

TEST(RecoveryText, WhatTheStartDoesAboutEachState)
{
    const QString good = QStringLiteral("/farm/db/backup/TARVIK-20261209-183005.db");
    const struct {
        DatabaseState state;
        QString newestGood;
        int backupFiles;
        StartAction action;
        const char* says;  // in the explanation
    } cases[] = {
        {DatabaseState::Good, good, 1, StartAction::OpenMenu, nullptr},  // nothing to explain
        {DatabaseState::Missing, good, 1, StartAction::OfferRestore, "데이터베이스 파일이 없습니다."},
        {DatabaseState::Missing, {}, 0, StartAction::NewFarm, "데이터베이스 파일이 없습니다."},
        // Only copies that failed their check: shown, never buried under a new farm.
        {DatabaseState::Missing, {}, 2, StartAction::ShowRecovery, "데이터베이스 파일이 없습니다."},
        {DatabaseState::Empty, good, 1, StartAction::ShowRecovery, "데이터베이스 파일이 비어 있습니다."},
        {DatabaseState::Empty, {}, 0, StartAction::ShowRecovery, "정상 백업이 없습니다"},
        {DatabaseState::Damaged, good, 1, StartAction::ShowRecovery, "손상되었습니다."},
        {DatabaseState::NotAFarm, good, 1, StartAction::ShowRecovery, "농장 자료가 아닙니다."},
        {DatabaseState::Unreadable, good, 1, StartAction::ShowRecovery, "읽을 수 없습니다."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.state));
        DatabaseAssessment a;
        a.state = c.state;
        a.newestGoodBackup = c.newestGood;
        a.reason = QStringLiteral("file is not a database");  // SQLite's words stay in the log
        EXPECT_EQ(startAction(a, c.backupFiles), c.action);
        const QString text = startExplanation(a);
        if (!c.says) {
            EXPECT_EQ(text, QString());
            continue;
        }
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.says))) << text.toStdString();
        EXPECT_FALSE(text.contains(a.reason)) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("오늘의 백업도 만들지 않았습니다")));
    }
    // The question when only the file is missing: what happened, which copy (to the second), what
    // each answer does.
    const QString question = offerRestoreQuestion(QDateTime(QDate(2026, 12, 9), QTime(18, 30, 5)));
    EXPECT_TRUE(question.startsWith(QStringLiteral("데이터베이스 파일이 없습니다."))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("정상 백업(2026-12-09 18:30:05)으로 복원하시겠습니까?")))
        << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("아니요를 누르면 새 농장을 시작합니다"))) << question.toStdString();
    EXPECT_FALSE(question.contains(QStringLiteral("연락"))) << question.toStdString();
}

TEST(RecoveryText, TheFarmsSupportContactClosesTheStartsTextsWhenItHasOne)
{
    const QString contact = QStringLiteral("연락처: 김지원  TEL : 010-1111-2222");
    DatabaseAssessment damaged;
    damaged.state = DatabaseState::Damaged;
    const QDateTime made(QDate(2026, 12, 1), QTime(10, 0));
    for (const QString& text :
         {startExplanation(damaged, contact), offerRestoreQuestion(made, contact), busyAtStartQuestion(contact)}) {
        EXPECT_TRUE(text.endsWith(QStringLiteral("도움이 필요하면 연락해 주십시오.\r\n") + contact))
            << text.toStdString();
    }
    EXPECT_FALSE(startExplanation(damaged).contains(QStringLiteral("연락")));
    // A file held by another program is said to be whole, never sent to a restore first.
    DatabaseAssessment busy;
    busy.state = DatabaseState::Busy;
    busy.newestGoodBackup = QStringLiteral("/x/TARVIK-20261201-100000.db");
    EXPECT_EQ(startAction(busy, 1), StartAction::AskAgain);
    EXPECT_TRUE(startExplanation(busy).contains(QStringLiteral("손상되지 않았습니다")));
}
