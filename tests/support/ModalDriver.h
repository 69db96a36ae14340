#pragma once
// Drives a modal dialog from a test. A modal dialog runs its own event loop inside the call that
// opens it, so the test's checks run from a timer inside that loop.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>
#include <type_traits>

// How long a dialog may take to come up.
constexpr int kModalWaitMs = 5000;

// Closes a modal window that is up (a dialog is cancelled), so that the call that opened it returns.
void closeModalWindow(QWidget* window);

// Runs `open`, waits at most `waitMs` for a modal dialog of type D to come up, runs `body` on it
// and cancels the dialog if `body` left it open. When no such dialog comes up the test fails;
// a modal window of another kind that stands in its way is closed, so the test never hangs.
// True when `body` ran.
template <class D>
bool driveModal(const std::function<void()>& open, const std::function<void(D&)>& body, int waitMs = kModalWaitMs)
{
    static_assert(std::is_base_of_v<QDialog, D>, "driveModal drives dialogs");
    bool ran = false;
    const QDeadlineTimer deadline(waitMs);
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (ran) return;  // `body` itself may spin the event loop
        QWidget* up = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<D*>(up); dialog && dialog->isVisible()) {
            ran = true;
            poll.stop();
            body(*dialog);
            if (dialog->isVisible()) dialog->reject();
        } else if (deadline.hasExpired()) {
            poll.stop();
            if (up) closeModalWindow(up);
        }
    });
    poll.start();
    open();
    // A dialog may come up a moment after `open` returned; the wait ends when it has been driven
    // or the time is up, whichever comes first.
    if (!ran && poll.isActive())
        static_cast<void>(QTest::qWaitFor([&] { return ran || !poll.isActive(); },
                                          int(std::max<qint64>(0, deadline.remainingTime()))));
    poll.stop();
    if (!ran) ADD_FAILURE() << "no " << D::staticMetaObject.className() << " came up within " << waitMs << " ms";
    return ran;
}

// The same with a click on `opener` (a 신규등록 or 수 정 button) as the way the dialog opens.
template <class D>
bool driveModal(QAbstractButton* opener, const std::function<void(D&)>& body, int waitMs = kModalWaitMs)
{
    if (!opener) {
        ADD_FAILURE() << "no button to open a " << D::staticMetaObject.className();
        return false;
    }
    return driveModal<D>([opener] { opener->click(); }, body, waitMs);
}

// Runs `open`, which must not bring up a modal dialog of type D: one that does fails the test
// and is cancelled.
template <class D>
void expectNoModal(const std::function<void()>& open)
{
    static_assert(std::is_base_of_v<QDialog, D>, "expectNoModal watches for dialogs");
    bool came = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget()); dialog && dialog->isVisible()) {
            came = true;
            dialog->reject();
        }
    });
    poll.start();
    open();
    QCoreApplication::processEvents();
    poll.stop();
    if (came) ADD_FAILURE() << "a " << D::staticMetaObject.className() << " came up";
}

template <class D>
void expectNoModal(QAbstractButton* opener)
{
    ASSERT_TRUE(opener) << "no button to click";
    expectNoModal<D>([opener] { opener->click(); });
}
