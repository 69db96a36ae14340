// The farm information window: what it loads, its two checks and question, the stored row
// with trimmed values, closing without storing, the books that read the new name, and the
// optional support contact stored beside the row.
#include "books/BookFixture.h"
#include "books/FarmInfoWindow.h"
#include "books/PeriodBookWindow.h"
#include "books/model/RecordBooks.h"
#include "data/Db.h"
#include "data/Globals.h"
#include "print/PrintScript.h"
#include "print/ReportJob.h"
#include "support/AccessibilityCheck.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

const char* const kFields[] = {"등록번호", "고유번호", "성명", "주민번호", "사업장명칭", "소재지", "축종"};

class FarmInfoWindowTest : public BookTest {
protected:
    FarmInfoWindowTest()
    {
        farm.exec(
            QStringLiteral("update 농장정보 set 등록번호 = '35-123', 고유번호 = 'U1', 성명 = '홍길동', "
                           "주민번호 = '700101', 사업장명칭 = '햇살한우농장', 소재지 = '완주', 축종 = '한우'"));
    }
    static std::string stored()
    {
        QSqlQuery q = runQuery(QStringLiteral("select * from 농장정보"));
        QStringList rows;
        while (q.next()) {
            QStringList cells;
            for (int c = 0; c < 7; ++c) cells << q.value(c).toString();
            rows << cells.join(u'|');
        }
        return rows.join(u'\n').toStdString();
    }
    static void set(FarmInfoWindow& w, const char* field, const QString& text)
    {
        w.textBox(QString::fromUtf8(field))->setText(text);
    }
    static constexpr const char* kBefore = "35-123|U1|홍길동|700101|햇살한우농장|완주|한우";
};

}  // namespace

TEST_F(FarmInfoWindowTest, OpensWithTheStoredRowInNamedBoxes)
{
    FarmInfoWindow w;
    EXPECT_EQ(w.objectName(), QStringLiteral("농장정보"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("농장정보 수정"));
    EXPECT_TRUE(w.isConnected());
    EXPECT_TRUE(w.findChild<QWidget*>(QStringLiteral("frm농장정보")));
    QStringList shown;
    for (const char* f : kFields) shown << w.textBox(QString::fromUtf8(f))->text();
    EXPECT_EQ(shown.join(u'|').toStdString(), kBefore);
    EXPECT_EQ(w.textBox(QStringLiteral("등록번호"))->accessibleName(), QStringLiteral("축산업등록번호"));
    EXPECT_EQ(w.textBox(QStringLiteral("성명"))->accessibleName(), QStringLiteral("성명"));
    EXPECT_EQ(w.saveButton()->text(), QStringLiteral("저 장"));
    EXPECT_EQ(w.cancelButton()->text(), QStringLiteral("취 소"));
    EXPECT_EQ(w.cancelButton()->toolTip(), QStringLiteral("창을 닫습니다"));
    EXPECT_EQ(controlsHeardByControlName(&w), QStringList());
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(FarmInfoWindowTest, EscapeAndCancelCloseWithoutStoringAndGiveTheConnectionBack)
{
    for (const char* how : {"Esc", "취 소"}) {
        SCOPED_TRACE(how);
        ASSERT_TRUE(farm.open());
        FarmInfoWindow w;
        w.show();
        set(w, "사업장명칭", QStringLiteral("바뀐 농장"));
        if (QString::fromUtf8(how) == QLatin1String("Esc")) {
            QTest::keyClick(w.textBox(QStringLiteral("사업장명칭")), Qt::Key_Escape);
        } else {
            w.cancelButton()->click();
        }
        EXPECT_FALSE(w.isVisible());
        EXPECT_FALSE(gConn.isOpen());
        ASSERT_TRUE(farm.open());
        EXPECT_EQ(stored(), kBefore);
        EXPECT_EQ(farm.messages().count(), 0);
    }
}

TEST_F(FarmInfoWindowTest, TheTwoChecksAndTheNoAnswerStoreNothingAndKeepTheWindowOpen)
{
    const struct {
        const char* field;
        const char* message;
    } checks[] = {{"등록번호", "축산업등록번호를 입력해 주세요."}, {"사업장명칭", "사업장명칭을 입력해 주세요."}};
    FarmInfoWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    for (const auto& c : checks) {
        SCOPED_TRACE(c.field);
        farm.messages().clear();
        set(w, "등록번호", QStringLiteral("35-123"));
        set(w, "사업장명칭", QStringLiteral("새 농장"));
        set(w, c.field, QStringLiteral("   "));
        EXPECT_FALSE(w.save());
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().text, QString::fromUtf8(c.message));
        EXPECT_EQ(farm.messages().last().title, QStringLiteral("미입력"));
        EXPECT_EQ(farm.messages().last().icon, MsgIcon::Information);
        EXPECT_EQ(w.focusWidget(), w.textBox(QString::fromUtf8(c.field)));
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(stored(), kBefore);
    }

    farm.messages().clear();
    set(w, "등록번호", QStringLiteral("35-999"));
    set(w, "사업장명칭", QStringLiteral("새 농장"));
    farm.messages().answer(MsgButton::No);
    EXPECT_FALSE(w.save());
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("농장정보을 수정하시겠습니까?"));
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("수정"));
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Question);
    EXPECT_EQ(farm.messages().last().buttons, MsgButton::Yes | MsgButton::No);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.textBox(QStringLiteral("등록번호"))->text(), QStringLiteral("35-999"));
    EXPECT_EQ(stored(), kBefore);
}

TEST_F(FarmInfoWindowTest, SavingStoresTheTrimmedValuesAndTheMatingBookOpenedNextPrintsTheNewName)
{
    cow(QStringLiteral("KR001"));
    farm.addBreeding(QStringLiteral("KR001"), dn(kToday));
    {
        FarmInfoWindow w;
        w.show();
        set(w, "등록번호", QStringLiteral(" 35-777 "));
        set(w, "성명", QStringLiteral("김 'Kim' 농부  "));
        set(w, "사업장명칭", QStringLiteral("  들꽃 O'Neil 목장 "));
        farm.messages().answer(MsgButton::Yes);
        EXPECT_TRUE(w.save());
        EXPECT_FALSE(w.isVisible());
        EXPECT_FALSE(gConn.isOpen());
    }
    ASSERT_TRUE(farm.open());
    EXPECT_EQ(stored(), "35-777|U1|김 'Kim' 농부|700101|들꽃 O'Neil 목장|완주|한우");

    PeriodBookWindow book(books::matingBook());
    book.query();
    PrintScript print;
    farm.messages().answer(MsgButton::Yes);
    book.functionButton(ListButton::Print)->click();
    EXPECT_EQ(reportControl().formulas, (report::Formulas{{"농장명", "들꽃 O'Neil 목장"}}));
}

TEST_F(FarmInfoWindowTest, AnEmptyTableShowsEmptyBoxesAndASaveStoresTheOneRow)
{
    farm.exec(QStringLiteral("delete from 농장정보"));
    FarmInfoWindow w;
    EXPECT_TRUE(w.textBox(QStringLiteral("사업장명칭"))->text().isEmpty());
    set(w, "등록번호", QStringLiteral("35-1"));
    set(w, "사업장명칭", QStringLiteral("새 농장"));
    farm.messages().answer(MsgButton::Yes);
    EXPECT_TRUE(w.save());
    ASSERT_TRUE(farm.open());
    EXPECT_EQ(stored(), "35-1||||새 농장||");
}

TEST_F(FarmInfoWindowTest, AStoreTheDatabaseRefusesIsShownAndTheWindowStaysOpen)
{
    farm.exec(QStringLiteral("create trigger 막기 before update on 농장정보 begin select raise(abort, '막힘'); end"));
    FarmInfoWindow w;
    w.show();
    set(w, "사업장명칭", QStringLiteral("새 농장"));
    farm.messages().answer(MsgButton::Yes);
    EXPECT_FALSE(w.save());
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_TRUE(farm.messages().last().text.contains(QStringLiteral("막힘")));
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(gConn.isOpen());
    EXPECT_EQ(stored(), kBefore);
}

TEST_F(FarmInfoWindowTest, TheSupportContactIsOptionalSavedTrimmedAndShownAgain)
{
    {
        FarmInfoWindow w;
        EXPECT_TRUE(w.textBox(QStringLiteral("연락처이름"))->text().isEmpty());  // nothing invented
        EXPECT_TRUE(w.textBox(QStringLiteral("연락처전화"))->text().isEmpty());
        EXPECT_EQ(w.textBox(QStringLiteral("연락처이름"))->accessibleName(), QStringLiteral("지원 연락처"));
        EXPECT_EQ(w.textBox(QStringLiteral("연락처전화"))->accessibleName(), QStringLiteral("연락처 전화"));
        EXPECT_EQ(controlsHeardByControlName(&w), QStringList());
        w.show();
        set(w, "연락처이름", QStringLiteral(" 김지원 (한우협회) "));
        set(w, "연락처전화", QStringLiteral(" 010-1111-2222 "));
        farm.messages().answer(MsgButton::Yes);
        EXPECT_TRUE(w.save());
        if (const QByteArray shot = qgetenv("TARVIK_SHOT"); !shot.isEmpty()) w.grab().save(QString::fromUtf8(shot));
    }
    ASSERT_TRUE(farm.open());
    EXPECT_EQ(stored(), kBefore);  // 농장정보 keeps its seven columns and values
    EXPECT_EQ(farm.scalar(QStringLiteral("select 이름 || '|' || 전화번호 from 지원연락처")),
              QStringLiteral("김지원 (한우협회)|010-1111-2222"));
    {
        FarmInfoWindow w;  // opens its own connection again
        EXPECT_EQ(w.textBox(QStringLiteral("연락처이름"))->text(), QStringLiteral("김지원 (한우협회)"));
        EXPECT_EQ(w.textBox(QStringLiteral("연락처전화"))->text(), QStringLiteral("010-1111-2222"));
        // Emptied boxes remove the contact again.
        w.show();
        set(w, "연락처이름", QString());
        set(w, "연락처전화", QStringLiteral("  "));
        farm.messages().answer(MsgButton::Yes);
        EXPECT_TRUE(w.save());
    }
    ASSERT_TRUE(farm.open());
    EXPECT_EQ(farm.count(QStringLiteral("지원연락처")), 0);
}

TEST_F(FarmInfoWindowTest, ATelephoneThatCannotBeDialledIsRefused)
{
    const struct {
        const char* tel;
        bool accepted;
    } cases[] = {
        {"010-1111-2222", true},
        {"(031) 555 0000", true},
        {"+82 10 1111 2222", true},
        {"", true},
        {"없음", false},
        {"010-1111-222x", false},
        {"--", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tel);
        ASSERT_TRUE(farm.open());
        farm.exec(QStringLiteral("delete from 지원연락처"));
        farm.close();
        farm.messages().clear();
        FarmInfoWindow w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        set(w, "연락처이름", QStringLiteral("김지원"));
        set(w, "연락처전화", QString::fromUtf8(c.tel));
        if (c.accepted) farm.messages().answer(MsgButton::Yes);
        EXPECT_EQ(w.save(), c.accepted);
        ASSERT_EQ(farm.messages().count(), 1);
        if (!c.accepted) {
            EXPECT_EQ(farm.messages().last().text, QStringLiteral("연락처 전화번호는 숫자와 '-'로 입력해 주세요."));
            EXPECT_EQ(farm.messages().last().title, QStringLiteral("값 부정"));
            EXPECT_EQ(w.focusWidget(), w.textBox(QStringLiteral("연락처전화")));
            EXPECT_TRUE(w.isVisible());
            w.close();
        }
        ASSERT_TRUE(farm.open());
        EXPECT_EQ(farm.count(QStringLiteral("지원연락처")), c.accepted ? 1 : 0);
        farm.close();
    }
}
