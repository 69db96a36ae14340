// The progress of work in the window's own thread: a busy cursor for its lifetime, a named
// dialog with a Korean cancel button, steps kept in range and the user's cancel reported.
#include "kit/WorkProgress.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCursor>
#include <QPushButton>
#include <QWidget>

TEST(WorkProgress, ABusyCursorForItsLifetimeAndANamedDialogModalToTheWindow)
{
    QWidget window;
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        WorkProgress progress(window.window(),
                              {.name = QStringLiteral("frmImportProgress"),
                               .title = QStringLiteral("가져오기"),
                               .text = QStringLiteral("기록을 가져오고 있습니다. 잠시만 기다려 주세요."),
                               .cancelName = QStringLiteral("cmdCancelProgress")},
                              1000);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QProgressDialog* d = progress.dialog();
        EXPECT_EQ(d->parentWidget(), &window);
        EXPECT_EQ(d->objectName(), QStringLiteral("frmImportProgress"));
        EXPECT_EQ(d->windowTitle(), QStringLiteral("가져오기"));
        EXPECT_EQ(d->accessibleName(), QStringLiteral("가져오기"));
        EXPECT_EQ(d->labelText(), QStringLiteral("기록을 가져오고 있습니다. 잠시만 기다려 주세요."));
        EXPECT_EQ(d->windowModality(), Qt::WindowModal);
        EXPECT_EQ(d->minimumDuration(), WorkProgress::kShownAfterMs);
        auto* cancel = d->findChild<QPushButton*>(QStringLiteral("cmdCancelProgress"));
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), QStringLiteral("취소"));
        EXPECT_EQ(cancel->accessibleName(), QStringLiteral("취소"));
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(WorkProgress, StepsAndSharesStayInRangeAndACancelIsReported)
{
    QWidget window;
    WorkProgress progress(&window,
                          {.name = QStringLiteral("frmSaveProgress"),
                           .title = QStringLiteral("엑셀 파일로 저장"),
                           .text = QStringLiteral("목록을 파일로 저장하고 있습니다."),
                           .cancelName = QStringLiteral("cmdCancelSave")},
                          200);
    const struct {
        qsizetype done;
        int shown;
    } steps[] = {{0, 0}, {150, 150}, {200, 200}, {5000, 200}, {-3, 0}};
    for (const auto& s : steps) {
        EXPECT_TRUE(progress.advance(s.done));
        EXPECT_EQ(progress.dialog()->value(), s.shown) << s.done;
    }
    const struct {
        double share;
        int shown;
    } shares[] = {{0.5, 100}, {1.0, 200}, {1.7, 200}, {-0.2, 0}};
    for (const auto& s : shares) {
        EXPECT_TRUE(progress.advanceShare(s.share));
        EXPECT_EQ(progress.dialog()->value(), s.shown) << s.share;
    }
    progress.dialog()->cancel();
    EXPECT_FALSE(progress.advance(10));
    EXPECT_FALSE(progress.advanceShare(0.1));
}
