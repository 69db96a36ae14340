// Dates typed by hand: how a typed text is read, and the picker every window uses taking a
// whole date from a click anywhere in it, or refusing one that cannot exist.
#include "kit/DateEdit.h"
#include "kit/DateField.h"
#include "kit/model/DateTyping.h"
#include "support/AccessibleFocusLog.h"
#include "support/ScriptedMessenger.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace datetyping;

namespace {

const QDate kShown(2009, 7, 4);
const QDate kFeb15(2010, 2, 15);

const char* verdictName(Verdict v)
{
    switch (v) {
    case Verdict::Date: return "Date";
    case Verdict::Impossible: return "Impossible";
    case Verdict::Unfinished: return "Unfinished";
    case Verdict::Unreadable: return "Unreadable";
    }
    return "?";
}

}  // namespace

TEST(DateTyping, ReadsWholeDatesAndRefusesThoseThatCannotExist)
{
    struct Case {
        const char* typed;
        bool finished;
        Verdict verdict;
        QDate date;
    };
    const Case cases[] = {
        // Every way of writing 15 February 2010.
        {"20100215", false, Verdict::Date, kFeb15},
        {"2010-02-15", false, Verdict::Date, kFeb15},
        {"2010.2.15", false, Verdict::Date, kFeb15},
        {"2010/2/15", false, Verdict::Date, kFeb15},
        {"2010 2 15", false, Verdict::Date, kFeb15},
        {"2010. 2. 15.", true, Verdict::Date, kFeb15},
        {" 2010-2-15 ", true, Verdict::Date, kFeb15},
        {"2010년 02월 15일", true, Verdict::Date, kFeb15},
        {"2012-2-29", true, Verdict::Date, QDate(2012, 2, 29)},  // a leap year
        // Never another date in place of an impossible one.
        {"2010-02-30", false, Verdict::Impossible, {}},
        {"20101301", false, Verdict::Impossible, {}},
        {"2011-02-29", false, Verdict::Impossible, {}},
        {"20100230", true, Verdict::Impossible, {}},
        {"2010-13-1", false, Verdict::Impossible, {}},  // no day makes month 13 possible
        {"2010-00-10", false, Verdict::Impossible, {}},
        {"2010-2-0", true, Verdict::Impossible, {}},
        // While typing, a text on its way to a date waits.
        {"2010", false, Verdict::Unfinished, {}},
        {"2010021", false, Verdict::Unfinished, {}},
        {"2010-", false, Verdict::Unfinished, {}},
        {"2010-02", false, Verdict::Unfinished, {}},
        {"2010-2-0", false, Verdict::Unfinished, {}},  // 2010-2-05 may follow
        // ... and once typing has ended it is no date.
        {"2010021", true, Verdict::Unreadable, {}},
        {"2010-02", true, Verdict::Unreadable, {}},
        // No date however it goes on.
        {"201002150", false, Verdict::Unreadable, {}},
        {"10-2-15", false, Verdict::Unreadable, {}},
        {"2010-002-15", false, Verdict::Unreadable, {}},
        {"2010-2-15-1", false, Verdict::Unreadable, {}},
        {"-2010-2-15", false, Verdict::Unreadable, {}},
        {"2010-2월x", false, Verdict::Unreadable, {}},
        {"", true, Verdict::Unreadable, {}},
    };
    for (const Case& c : cases) {
        const Reading r = readTypedDate(QString::fromUtf8(c.typed), c.finished);
        EXPECT_STREQ(verdictName(r.verdict), verdictName(c.verdict)) << c.typed << (c.finished ? " (finished)" : "");
        EXPECT_EQ(r.date, c.date) << c.typed;
    }
}

TEST(DateTyping, DigitsOverOnePartKeepTheOthers)
{
    struct Case {
        DatePart part;
        const char* digits;
        Verdict verdict;
        QDate date;
        const char* asText;
    };
    const Case cases[] = {
        {DatePart::Day, "15", Verdict::Date, QDate(2009, 7, 15), "2009-07-15"},
        {DatePart::Day, "3", Verdict::Date, QDate(2009, 7, 3), "2009-07-03"},
        {DatePart::Month, "2", Verdict::Date, QDate(2009, 2, 4), "2009-02-04"},
        {DatePart::Year, "2011", Verdict::Date, QDate(2011, 7, 4), "2011-07-04"},
        {DatePart::Day, "32", Verdict::Impossible, {}, "2009-07-32"},
        {DatePart::Month, "13", Verdict::Impossible, {}, "2009-13-04"},
        {DatePart::Year, "11", Verdict::Unreadable, {}, "0011-07-04"},
        {DatePart::Day, "150", Verdict::Unreadable, {}, "2009-07-150"},
    };
    for (const Case& c : cases) {
        const Reading r = readTypedPart(kShown, c.part, QString::fromLatin1(c.digits));
        EXPECT_STREQ(verdictName(r.verdict), verdictName(c.verdict)) << c.digits;
        EXPECT_EQ(r.date, c.date) << c.digits;
        EXPECT_EQ(typedPartText(kShown, c.part, QString::fromLatin1(c.digits)), QString::fromLatin1(c.asText));
    }
    // 31 February is refused by its own month and year.
    EXPECT_EQ(readTypedPart(QDate(2010, 2, 10), DatePart::Day, QStringLiteral("31")).verdict, Verdict::Impossible);
}

namespace {

// Types `text` key by key, as a keyboard layout that has 년 월 일 on keys sends them (QTest
// knows only Latin keys).
void typeKeys(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClicks(w, QString(c));
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

// A window with one picker of the given look and a box after it to Tab to.
class PickerTest : public ::testing::TestWithParam<DateLook> {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        picker = dateField(GetParam(), 150, &window);
        picker->setObjectName(QStringLiteral("수정일"));
        next = new QLineEdit(&window);
        layout->addWidget(picker);
        layout->addWidget(next);
        picker->setDate(kShown);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Clicks into the picker's `part` (0 year, 1 month, 2 day) as a mouse would.
    void clickInto(int part)
    {
        QLineEdit* edit = picker->findChild<QLineEdit*>();
        const QString text = edit->text();
        // The first digit of the part: the year starts the text, the others follow a separator.
        qsizetype at = 0;
        for (int p = 0; p < part; ++p) {
            while (at < text.size() && text[at].isDigit()) ++at;
            while (at < text.size() && !text[at].isDigit()) ++at;
        }
        edit->setCursorPosition(int(at) + 1);
        const QPoint point = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        next->setFocus();
        QTest::mouseClick(edit, Qt::LeftButton, {}, point);
        ASSERT_EQ(QApplication::focusWidget(), picker);
    }
    QString shownText() const { return picker->findChild<QLineEdit*>()->text(); }
    QString formatted(const QDate& d) const
    {
        return GetParam() == DateLook::Korean ? d.toString(QStringLiteral("yyyy년 MM월 dd일"))
                                              : d.toString(QStringLiteral("yyyy-MM-dd"));
    }

    ScriptedMessenger messages;
    QWidget window;
    QDateEdit* picker = nullptr;
    QLineEdit* next = nullptr;
};

const QDateTimeEdit::Section kSections[] = {QDateTimeEdit::YearSection, QDateTimeEdit::MonthSection,
                                            QDateTimeEdit::DaySection};

}  // namespace

TEST_P(PickerTest, AWholeDateTypedAfterAClickInAnyPartIsTaken)
{
    const QString forms[] = {QStringLiteral("20100215"),     QStringLiteral("2010-02-15"),
                             QStringLiteral("2010.2.15"),    QStringLiteral("2010/2/15"),
                             QStringLiteral("2010 2 15"),    QStringLiteral("2010년 2월 15일"),
                             QStringLiteral("2010년2월15일")};
    for (int part = 0; part < 3; ++part)
        for (const QString& form : forms) {
            SCOPED_TRACE((form + QStringLiteral(" after a click in part ") + QString::number(part)).toStdString());
            picker->setDate(kShown);
            clickInto(part);
            EXPECT_EQ(picker->currentSection(), kSections[part]);
            typeKeys(picker, form);
            EXPECT_EQ(picker->date(), kFeb15);  // taken at once: a save pressed now stores it
            EXPECT_EQ(shownText(), form);       // the farmer sees what they typed
            QTest::keyClick(picker, Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), next);
            EXPECT_EQ(picker->date(), kFeb15);
            EXPECT_EQ(shownText(), formatted(kFeb15));  // and then the picker's own format
        }
    EXPECT_EQ(messages.count(), 0);
}

TEST_P(PickerTest, DigitsOverOnePartChangeThatPart)
{
    struct Case {
        int part;
        const char* digits;
        QDate date;
    };
    const Case cases[] = {{2, "15", QDate(2009, 7, 15)}, {1, "2", QDate(2009, 2, 4)}, {0, "2011", QDate(2011, 7, 4)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.digits);
        picker->setDate(kShown);
        clickInto(c.part);
        QTest::keyClicks(picker, QString::fromLatin1(c.digits));
        EXPECT_EQ(picker->date(), c.date);  // at once, as the part's own typing always did
        QTest::keyClick(picker, Qt::Key_Tab);
        EXPECT_EQ(picker->date(), c.date);
    }
    EXPECT_EQ(messages.count(), 0);
}

TEST_P(PickerTest, AnImpossibleDateIsRefusedWithANoteAndTheFocusKept)
{
    struct Case {
        int part;
        const char* typed;
        const char* note;
    };
    const Case cases[] = {
        {0, "2010-02-30", "없는 날짜입니다: 2010-02-30. 날짜를 다시 입력해 주세요."},
        {1, "20101301", "없는 날짜입니다: 20101301. 날짜를 다시 입력해 주세요."},
        {2, "2011-02-29", "없는 날짜입니다: 2011-02-29. 날짜를 다시 입력해 주세요."},
    };
    AccessibleFocusLog heard;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        messages.clear();
        picker->setDate(kShown);
        clickInto(c.part);
        heard.clear();
        QList<QDate> changes;
        const QMetaObject::Connection seen =
            QObject::connect(picker, &QDateEdit::dateChanged, [&](const QDate& d) { changes << d; });
        QTest::keyClicks(picker, QString::fromLatin1(c.typed));
        QObject::disconnect(seen);
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().text, QString::fromUtf8(c.note));
        EXPECT_EQ(messages.last().title, QStringLiteral("날짜 오류"));
        EXPECT_EQ(messages.last().icon, MsgIcon::Exclamation);
        EXPECT_EQ(picker->date(), kShown);  // the old date, not another one
        EXPECT_EQ(shownText(), formatted(kShown));
        EXPECT_EQ(QApplication::focusWidget(), picker);
        EXPECT_EQ(heard.last(), picker);  // a screen reader is back in the field after the box
        // Whatever the picker held on the way ("2010-02-3" is a date), it ends on the old one.
        EXPECT_TRUE(changes.isEmpty() || changes.last() == kShown);
        // The field is ready for the date again: what is typed next replaces the whole text.
        QTest::keyClicks(picker, QStringLiteral("20100215"));
        EXPECT_EQ(picker->date(), kFeb15);
    }
}

TEST_P(PickerTest, ATextThatIsNoDateIsRefusedWhenTheFarmerMovesOn)
{
    // Typing over a part, then a day that month does not have.
    picker->setDate(QDate(2010, 2, 10));
    clickInto(2);
    QTest::keyClicks(picker, QStringLiteral("31"));
    QTest::keyClick(picker, Qt::Key_Tab);
    QApplication::processEvents();  // the note comes once the focus has settled
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("없는 날짜입니다: 2010-02-31. 날짜를 다시 입력해 주세요."));
    EXPECT_EQ(picker->date(), QDate(2010, 2, 10));
    EXPECT_EQ(QApplication::focusWidget(), picker);  // brought back to the field

    // An unfinished date.
    messages.clear();
    clickInto(0);
    QTest::keyClicks(picker, QStringLiteral("2010-02"));
    QTest::keyClick(picker, Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("날짜로 읽을 수 없습니다: 2010-02. 20100215나 2010-02-15처럼 입력해 주세요."));
    EXPECT_EQ(picker->date(), QDate(2010, 2, 10));
    EXPECT_EQ(QApplication::focusWidget(), picker);

    // A click into another box: the same note once the click is done, and the focus back.
    messages.clear();
    clickInto(0);
    QTest::keyClicks(picker, QStringLiteral("2010-2-0"));
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(messages.count(), 0);
    QApplication::processEvents();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("없는 날짜입니다: 2010-2-0. 날짜를 다시 입력해 주세요."));
    EXPECT_EQ(picker->date(), QDate(2010, 2, 10));
    EXPECT_EQ(QApplication::focusWidget(), picker);
}

TEST_P(PickerTest, AKoreanInputMethodHandsOverTheSyllables)
{
    // In 한글 mode the digits come as keys and 년 월 일 as text the input method commits, after
    // showing the syllable being composed.
    const auto compose = [this](const QString& syllable, const QStringList& steps) {
        for (const QString& step : steps) {
            QInputMethodEvent composing(step, {});
            QApplication::sendEvent(picker, &composing);
        }
        QInputMethodEvent done;
        done.setCommitString(syllable);
        QApplication::sendEvent(picker, &done);
    };
    clickInto(0);
    QTest::keyClicks(picker, QStringLiteral("2010"));
    compose(QStringLiteral("년"), {QStringLiteral("ㄴ"), QStringLiteral("녀"), QStringLiteral("년")});
    QTest::keyClicks(picker, QStringLiteral("2"));
    compose(QStringLiteral("월"), {QStringLiteral("ㅇ"), QStringLiteral("워"), QStringLiteral("월")});
    QTest::keyClicks(picker, QStringLiteral("15"));
    compose(QStringLiteral("일"), {QStringLiteral("ㅇ"), QStringLiteral("이"), QStringLiteral("일")});
    EXPECT_EQ(shownText(), QStringLiteral("2010년2월15일"));
    QTest::keyClick(picker, Qt::Key_Tab);
    EXPECT_EQ(picker->date(), kFeb15);

    // The whole date committed at once.
    picker->setDate(kShown);
    clickInto(2);
    compose(QStringLiteral("2010년 2월 15일"), {});
    QTest::keyClick(picker, Qt::Key_Tab);
    EXPECT_EQ(picker->date(), kFeb15);
    EXPECT_EQ(messages.count(), 0);

    // A syllable that is no part of a date is quoted in the note as typed.
    picker->setDate(kShown);
    clickInto(0);
    QTest::keyClicks(picker, QStringLiteral("2010"));
    compose(QStringLiteral("녀"), {});
    QTest::keyClick(picker, Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, unreadableDateNote(QStringLiteral("2010녀")));
    EXPECT_EQ(picker->date(), kShown);
}

TEST_P(PickerTest, ACommandTakesTheTypedDateOrStopsAtItsNote)
{
    // Still typing when the command comes (a shortcut, Enter on a default button).
    clickInto(0);
    QTest::keyClicks(picker, QStringLiteral("2010021"));
    EXPECT_FALSE(typedDatesTaken(&window));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, unreadableDateNote(QStringLiteral("2010021")));
    EXPECT_EQ(picker->date(), kShown);
    EXPECT_EQ(QApplication::focusWidget(), picker);
    QApplication::processEvents();
    EXPECT_EQ(messages.count(), 1);  // told once

    // The click that starts the command took the focus first: the note left for later is told
    // by the command, once.
    messages.clear();
    clickInto(0);
    QTest::keyClicks(picker, QStringLiteral("2010-13"));
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_FALSE(typedDatesTaken(&window));
    EXPECT_EQ(messages.count(), 1);
    QApplication::processEvents();
    EXPECT_EQ(messages.count(), 1);
    EXPECT_EQ(QApplication::focusWidget(), picker);
    EXPECT_EQ(picker->date(), kShown);

    // A date picked afterwards clears what was left to tell; a whole typed date is taken.
    messages.clear();
    clickInto(0);
    QTest::keyClicks(picker, QStringLiteral("2010-2-0"));
    picker->setFocus(Qt::ActiveWindowFocusReason);
    next->setFocus(Qt::OtherFocusReason);  // as when a popup or another window takes the focus
    picker->setDate(QDate(2011, 3, 3));
    EXPECT_TRUE(typedDatesTaken(&window));
    clickInto(0);
    QTest::keyClicks(picker, QStringLiteral("20100215"));
    EXPECT_TRUE(typedDatesTaken(&window));
    EXPECT_EQ(picker->date(), kFeb15);
    EXPECT_EQ(messages.count(), 0);
}

TEST_P(PickerTest, ArrowsAndTheCalendarStillWork)
{
    clickInto(2);
    QTest::keyClick(picker, Qt::Key_Up);
    EXPECT_EQ(picker->date(), kShown.addDays(1));
    // Typing, then an arrow: the typed date first, then the step.
    clickInto(2);
    QTest::keyClicks(picker, QStringLiteral("2010-02-15"));
    QTest::keyClick(picker, Qt::Key_Up);
    EXPECT_EQ(picker->date(), kFeb15.addDays(1));
    EXPECT_TRUE(picker->calendarPopup());
    EXPECT_EQ(messages.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothLooks, PickerTest, ::testing::Values(DateLook::Plain, DateLook::Korean),
                         [](const ::testing::TestParamInfo<DateLook>& info) {
                             return info.param == DateLook::Plain ? "Plain" : "Korean";
                         });
