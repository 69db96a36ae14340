// The period frame: its named controls, the period the pickers show and the one last listed.
#include "kit/PeriodFrame.h"

#include <gtest/gtest.h>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>

TEST(PeriodFrame, BuildsTheNamedPickersHeardByTheCriterion)
{
    QWidget host;
    const PeriodFrame p(QStringLiteral("수 정 일"), &host);
    EXPECT_EQ(p.frame()->objectName(), QStringLiteral("SSPanel2"));
    EXPECT_EQ(p.frame()->title(), QStringLiteral("검색조건"));
    EXPECT_EQ(p.start()->objectName(), QStringLiteral("시작날짜"));
    EXPECT_EQ(p.end()->objectName(), QStringLiteral("끝날짜"));
    // A criterion spelled out with blanks is heard as one word.
    EXPECT_EQ(p.start()->accessibleName(), QStringLiteral("수정일 시작"));
    EXPECT_EQ(p.end()->accessibleName(), QStringLiteral("수정일 끝"));
    auto* caption = p.frame()->findChild<QLabel*>(QStringLiteral("SSPanel1_0"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->buddy(), p.start());
}

TEST(PeriodFrame, ThePeriodSetIsThePeriodReadAndTheListedOneStaysUntilTheNextQuery)
{
    QWidget host;
    PeriodFrame p(QStringLiteral("분석기간"), &host);
    // A start after the end is kept as set: the window tells the user, not the frame.
    const struct {
        QDate start, end;
    } periods[] = {{QDate(2026, 1, 1), QDate(2026, 12, 10)},
                   {QDate(2009, 12, 31), QDate(2009, 1, 1)},
                   {QDate(2024, 2, 29), QDate(2024, 2, 29)}};
    for (const auto& period : periods) {
        SCOPED_TRACE(period.start.toString().toStdString());
        p.setPeriod(period.start, period.end);
        EXPECT_EQ(p.startDate(), period.start);
        EXPECT_EQ(p.endDate(), period.end);
    }

    // Before any query the listed period is the pickers'.
    p.setPeriod(QDate(2026, 1, 1), QDate(2026, 12, 10));
    EXPECT_EQ(p.listedText(), QStringLiteral("2026-01-01~2026-12-10"));
    p.markListed();
    p.setPeriod(QDate(2025, 3, 1), QDate(2025, 3, 31));
    EXPECT_EQ(p.listedText(), QStringLiteral("2026-01-01~2026-12-10"));
    p.markListed();
    EXPECT_EQ(p.listedText(), QStringLiteral("2025-03-01~2025-03-31"));
}
