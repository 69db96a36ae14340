// The tests' modal dialog driver: it runs the checks on the dialog that comes up, cancels a
// dialog they leave open, and fails the test (without hanging it) when the dialog never comes.
#include "support/ModalDriver.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

namespace {
constexpr int kShortWaitMs = 100;
}  // namespace

TEST(ModalDriver, RunsTheChecksOnTheDialogAndCancelsItWhenTheyLeaveItOpen)
{
    struct Case {
        const char* name;
        bool async;  // the dialog comes up a moment after the opener returned
        bool acceptsItself;
        int result;
    } cases[] = {{"left open", false, false, QDialog::Rejected},
                 {"closed by the checks", false, true, QDialog::Accepted},
                 {"comes up later", true, false, QDialog::Rejected}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QInputDialog dialog;
        dialog.setObjectName(QStringLiteral("wanted"));
        int result = -1;
        auto show = [&] { result = dialog.exec(); };
        QString seen;
        const bool ran = driveModal<QInputDialog>(
            [&] {
                if (c.async)
                    QTimer::singleShot(20, &dialog, show);
                else
                    show();
            },
            [&](QInputDialog& d) {
                seen = d.objectName();
                if (c.acceptsItself) d.accept();
            });
        EXPECT_TRUE(ran);
        EXPECT_EQ(seen, QStringLiteral("wanted"));
        EXPECT_EQ(result, c.result);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(ModalDriver, FailsWhenNoDialogComesUp)
{
    bool ran = true;
    QElapsedTimer clock;
    clock.start();
    EXPECT_NONFATAL_FAILURE(ran = driveModal<QInputDialog>([] {}, [](QInputDialog&) {}, kShortWaitMs),
                            "no QInputDialog came up");
    EXPECT_FALSE(ran);
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST(ModalDriver, FailsAndClosesADialogOfAnotherKindThatStandsInTheWay)
{
    QMessageBox other;
    int result = -1;
    bool ran = true;
    EXPECT_NONFATAL_FAILURE(
        ran = driveModal<QInputDialog>([&] { result = other.exec(); }, [](QInputDialog&) {}, kShortWaitMs),
        "no QInputDialog came up");
    EXPECT_FALSE(ran);
    EXPECT_NE(result, -1);  // the opener came back
    EXPECT_FALSE(other.isVisible());
}

TEST(ModalDriver, FailsWithoutAButtonToClick)
{
    bool ran = true;
    EXPECT_NONFATAL_FAILURE(
        ran = driveModal<QInputDialog>(static_cast<QAbstractButton*>(nullptr), [](QInputDialog&) {}), "no button");
    EXPECT_FALSE(ran);
}

TEST(ModalDriver, ExpectNoModalFailsWhenTheDialogComesUpAndCancelsIt)
{
    QInputDialog dialog;
    int result = -1;
    EXPECT_NONFATAL_FAILURE(expectNoModal<QInputDialog>([&] { result = dialog.exec(); }), "came up");
    EXPECT_EQ(result, QDialog::Rejected);

    // Nothing coming up is no failure.
    expectNoModal<QInputDialog>([] {});
}
