// The real message box behind showMessage: what it shows and what each way out of it answers.
#include "kit/Messages.h"
#include "kit/Translation.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <functional>

namespace {

// Finds the box that is up: the active modal widget, or any visible message box.
QMessageBox* shownBox()
{
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) return box;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) return box;
    return nullptr;
}

// Shows the box `shown` through the Qt messenger; once the box is up `act` looks at it and answers it.
// A box that stays open after `act` fails the test and is closed, so the test never hangs.
MsgButton showAndAct(const MessageSpec& shown, const std::function<void(QMessageBox&)>& act)
{
    bool acted = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QMessageBox* box = shownBox();
        if (!box) return;
        if (!acted) {
            acted = true;
            act(*box);
            return;
        }
        ADD_FAILURE() << "the box stayed open";
        box->done(0);
    });
    poll.start();
    QtMessenger messenger;
    const MsgButton answer = messenger.show(nullptr, shown);
    EXPECT_TRUE(acted) << "no box was shown";
    return answer;
}

// A button's caption without its mnemonic: "예(&Y)" and "&Yes" read "예" and "Yes".
QString caption(const QAbstractButton* b)
{
    QString t = b->text();
    t.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    t.remove(u'&');
    return t.trimmed();
}

class MessageBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_korean = installQtKoreanTexts(); }
    static void TearDownTestSuite()
    {
        if (!s_korean) return;
        QCoreApplication::removeTranslator(s_korean);
        delete s_korean;
        s_korean = nullptr;
    }
    void SetUp() override { ASSERT_NE(s_korean, nullptr) << "Qt's Korean translation (qtbase_ko.qm) is missing"; }

    static QTranslator* s_korean;
};
QTranslator* MessageBoxTest::s_korean = nullptr;

}  // namespace

TEST_F(MessageBoxTest, ShowsIconTitleAndPlainTextWithLineBreaks)
{
    struct Case {
        MsgIcon icon;
        QMessageBox::Icon shown;
        QString title, expectedTitle;
    };
    const Case cases[] = {
        {MsgIcon::Information, QMessageBox::Information, QStringLiteral("미입력"), QStringLiteral("미입력")},
        {MsgIcon::Question, QMessageBox::Question, QStringLiteral("출력확인"), QStringLiteral("출력확인")},
        {MsgIcon::Exclamation, QMessageBox::Warning, QStringLiteral("출력오류"), QStringLiteral("출력오류")},
        {MsgIcon::Critical, QMessageBox::Critical, QStringLiteral("프린터설정 오류"),
         QStringLiteral("프린터설정 오류")},
        // Plain error boxes have no title of their own: the product title stands in.
        {MsgIcon::None, QMessageBox::NoIcon, QString(), QStringLiteral("한우암소관리")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expectedTitle.toStdString());
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title, text;
        Qt::TextFormat format = Qt::AutoText;
        const MessageSpec shown{c.icon, c.title,
                                QStringLiteral("출력에 관련된 화일이 존재하지 않습니다.\r\n\r\n<b>확인</b> 바랍니다."),
                                MsgButton::Ok};
        const MsgButton answer = showAndAct(shown, [&](QMessageBox& box) {
            icon = box.icon();
            title = box.windowTitle();
            text = box.text();
            format = box.textFormat();
            box.button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(answer, MsgButton::Ok);
        EXPECT_EQ(icon, c.shown);
        EXPECT_EQ(title, c.expectedTitle);
        // CR LF becomes one line break, and markup in a text (a typed value) is shown as typed.
        EXPECT_EQ(text, QStringLiteral("출력에 관련된 화일이 존재하지 않습니다.\n\n<b>확인</b> 바랍니다."));
        EXPECT_EQ(format, Qt::PlainText);
    }
}

TEST_F(MessageBoxTest, ButtonsCarryKoreanCaptions)
{
    struct Case {
        MsgButtons buttons;
        QStringList captions;
    };
    const Case cases[] = {
        {MsgButton::Yes | MsgButton::No, {QStringLiteral("예"), QStringLiteral("아니요")}},
        {MsgButton::Retry | MsgButton::Cancel, {QStringLiteral("다시 시도"), QStringLiteral("취소")}},
        {MsgButton::Ok, {QStringLiteral("확인")}},
        {MsgButton::Ok | MsgButton::Cancel, {QStringLiteral("확인"), QStringLiteral("취소")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.captions.join(u'/').toStdString());
        QStringList shown;
        showAndAct({MsgIcon::Question, QStringLiteral("확인"), QStringLiteral("질문"), c.buttons},
                   [&](QMessageBox& box) {
                       for (QAbstractButton* b : box.buttons()) shown << caption(b);
                       box.buttons().first()->click();
                   });
        shown.sort();
        QStringList expected = c.captions;
        expected.sort();
        EXPECT_EQ(shown, expected);
    }
}

// Every way out of a box, and the answer the caller gets: Enter takes the default button, Esc
// and the window's close button take the safe answer (No, Cancel, or OK when that is all).
TEST_F(MessageBoxTest, EnterEscapeAndCloseButtonAnswers)
{
    enum Way { Enter, Escape, CloseButton };
    struct Case {
        const char* what;
        MsgButtons buttons;
        MsgButton defaultButton;
        Way way;
        MsgButton answer;
    };
    const MsgButtons yesNo = MsgButton::Yes | MsgButton::No, retryCancel = MsgButton::Retry | MsgButton::Cancel;
    const Case cases[] = {
        {"yes/no, Enter on the first button", yesNo, MsgButton::None, Enter, MsgButton::Yes},
        {"yes/no with default No, Enter", yesNo, MsgButton::No, Enter, MsgButton::No},
        {"yes/no, Esc", yesNo, MsgButton::None, Escape, MsgButton::No},
        {"yes/no with default Yes, Esc", yesNo, MsgButton::Yes, Escape, MsgButton::No},
        {"yes/no, close button", yesNo, MsgButton::None, CloseButton, MsgButton::No},
        {"retry/cancel, Enter", retryCancel, MsgButton::None, Enter, MsgButton::Retry},
        {"retry/cancel, Esc", retryCancel, MsgButton::None, Escape, MsgButton::Cancel},
        {"retry/cancel, close button", retryCancel, MsgButton::None, CloseButton, MsgButton::Cancel},
        {"ok, Esc", MsgButton::Ok, MsgButton::None, Escape, MsgButton::Ok},
        {"ok, close button", MsgButton::Ok, MsgButton::None, CloseButton, MsgButton::Ok},
        {"ok/cancel, close button", MsgButton::Ok | MsgButton::Cancel, MsgButton::None, CloseButton, MsgButton::Cancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MessageSpec shown{MsgIcon::Question, QStringLiteral("삭제"), QStringLiteral("삭제하시겠습니까?"),
                                c.buttons, c.defaultButton};
        QAbstractButton* defaultShown = nullptr;
        QAbstractButton* expectedDefault = nullptr;
        const MsgButton answer = showAndAct(shown, [&](QMessageBox& box) {
            defaultShown = box.defaultButton();
            if (c.defaultButton != MsgButton::None)
                expectedDefault = box.button(c.defaultButton == MsgButton::No ? QMessageBox::No : QMessageBox::Yes);
            switch (c.way) {
            case Enter: QTest::keyClick(&box, Qt::Key_Return); break;
            case Escape: QTest::keyClick(&box, Qt::Key_Escape); break;
            case CloseButton: box.close(); break;
            }
        });
        EXPECT_EQ(answer, c.answer);
        if (expectedDefault) {
            EXPECT_EQ(defaultShown, expectedDefault);
        }
    }
}

TEST_F(MessageBoxTest, DetailsSitBehindAKoreanButtonNotInTheText)
{
    const QString details = QStringLiteral("UNIQUE constraint failed: 개체관리.개체번호 (2067)");
    QString text, detailed, closedCaption, openCaption;
    bool detailsVisibleBefore = true, detailsVisibleAfter = false;
    const MessageSpec shown{MsgIcon::None, QString(),       QStringLiteral("이미 등록된 개체번호입니다."),
                            MsgButton::Ok, MsgButton::None, details};
    const MsgButton answer = showAndAct(shown, [&](QMessageBox& box) {
        text = box.text();
        detailed = box.detailedText();
        QAbstractButton* more = nullptr;
        for (QAbstractButton* b : box.buttons())
            if (box.buttonRole(b) == QMessageBox::ActionRole) more = b;
        auto* edit = box.findChild<QWidget*>(QStringLiteral("qt_msgbox_detailedtext"), Qt::FindChildrenRecursively);
        if (!edit) {
            for (QWidget* w : box.findChildren<QWidget*>())
                if (w->inherits("QTextEdit")) edit = w;
        }
        ASSERT_NE(more, nullptr) << "no details button";
        ASSERT_NE(edit, nullptr);
        detailsVisibleBefore = edit->isVisible();
        closedCaption = caption(more);
        more->click();
        detailsVisibleAfter = edit->isVisible();
        openCaption = caption(more);
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(answer, MsgButton::Ok);
    EXPECT_EQ(text, QStringLiteral("이미 등록된 개체번호입니다."));
    EXPECT_EQ(detailed, details);
    EXPECT_FALSE(detailsVisibleBefore);
    EXPECT_TRUE(detailsVisibleAfter);
    // Qt's Korean translation names the button both ways; no English caption reaches the farmer.
    const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    EXPECT_FALSE(closedCaption.isEmpty());
    EXPECT_FALSE(closedCaption.contains(latin)) << closedCaption.toStdString();
    EXPECT_FALSE(openCaption.contains(latin)) << openCaption.toStdString();
    EXPECT_NE(closedCaption, openCaption);

    // Without details there is no details button at all.
    int actionButtons = -1;
    showAndAct(MessageSpec{MsgIcon::None, QString(), QStringLiteral("확인"), MsgButton::Ok}, [&](QMessageBox& box) {
        actionButtons = 0;
        for (QAbstractButton* b : box.buttons())
            if (box.buttonRole(b) == QMessageBox::ActionRole) ++actionButtons;
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(actionButtons, 0);
}
