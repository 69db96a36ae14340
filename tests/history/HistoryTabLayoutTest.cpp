// The weighing, body-measurement and treatment tabs as the farmer sees them: grid headers,
// notes and commands, and each entry dialog's fields, captions, columns, tab order and
// opening state.
#include "HistoryTabFixture.h"
#include "history/model/BodyHistory.h"
#include "history/model/TreatmentHistory.h"
#include "history/model/UltrasoundHistory.h"
#include "support/AccessibilityCheck.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>

namespace {
struct Layout {
    const char* name;
    const HistoryDefinition& (*definition)();
    QString grid;
    QStringList headers;
    QStringList notes;
    QString dialog, title;
    // Field control names with the caption beside them, in tab order.
    QList<std::pair<QString, QString>> captions;
    // The whole tab order, check boxes and buttons included.
    QStringList order;
    QStringList rightColumn;
    QStringList dates;     // every date picker; all show today on a new record
    QStringList usualRow;  // texts a farmer's row usually holds
};

void PrintTo(const Layout& l, std::ostream* os)
{
    *os << l.name;
}

const QList<Layout> kLayouts = {
    {"Ultrasound",
     ultrasoundHistory,
     "SS2",
     {"개체능력", "측 정 일", "체   중", "초음파 기기 모델", "등심단면적", "등지방두께", "근내지방도", "측 정 자",
      "판 정 자", "예상등급"},
     {"※ 능력검정은 해당 축군의 월령평균이 측정 월령에 도달할 때 축군 전체를 측정"},
     "초음파측정",
     "초음파측정 등록/수정",
     {{"개체능력", "개체능력"},
      {"측정일", "측 정 일"},
      {"체중", "체     중"},
      {"초음파기기", "초음파기기"},
      {"등심단면적", "등심단면적"},
      {"등지방두께", "등지방두께"},
      {"근내지방도", "근내지방도"},
      {"측정자", "측 정 자"},
      {"판정자", "판 정 자"},
      {"예상등급", "예상등급"}},
     {"개체능력", "측정일", "체중", "초음파기기", "등심단면적", "등지방두께", "근내지방도", "측정자", "판정자",
      "예상등급", "cmdSave", "cmdCancel"},
     {"등지방두께", "근내지방도", "측정자", "판정자", "예상등급"},
     {"측정일"},
     {"육성", "2024-05-10", "612.5", "HS-2000", "88.1", "9.5", "6", "김측정", "박판정", "1++"}},
    {"Body",
     bodyHistory,
     "SS3",
     {"월령", "측 정 일", "측정자", "체고", "십자부고", "체장", "흉심", "흉폭", "흉위", "고장", "오각폭", "곤폭",
      "좌골폭"},
     {"※ 해당 축군의 월령평균이 측정 월령에 도달할 때 축군 전체를 측정"},
     "체척",
     "체척 등록/수정",
     {{"월령", "월     령"},
      {"측정일", "측 정 일"},
      {"측정자", "측 정 자"},
      {"체고", "체     고"},
      {"십자부고", "십자부고"},
      {"체장", "체     장"},
      {"흉심", "흉     심"},
      {"흉폭", "흉     폭"},
      {"흉위", "흉     위"},
      {"고장", "고     장"},
      {"요각폭", "요 각 폭"},
      {"곤폭", "곤     폭"},
      {"좌골폭", "좌 골 폭"}},
     {"월령", "측정일", "측정자", "체고", "십자부고", "체장", "흉심", "흉폭", "흉위", "고장", "요각폭", "곤폭",
      "좌골폭", "cmdSave", "cmdCancel"},
     {"흉폭", "흉위", "고장", "요각폭", "곤폭", "좌골폭"},
     {"측정일"},
     {"24", "2024-05-10", "정측정", "125.5", "128", "150", "68", "45", "185", "50", "48", "44", "20"}},
    {"Treatment",
     treatmentHistory,
     "SS4",
     {"날 짜", "증상/백신명", "구입일", "구입처", "처 치", "휴약만료일", "수의사", "비고"},
     {"※ 주사침 잔류와 같은 특이사항을 비고에 기록",
      "※ HACCP적용할 경우 항생재 등의 휴약만료일을 꼭 기록하여 만료일 이전에 출하하지 않도록 주의",
      "※ 도태/폐사의 경우 원인(사유)를 명시"},
     "백신접종",
     "진료·백신접종 및 도태/폐사 등록/수정",
     {{"날짜", "날      짜"},
      {"증상", "증상/백신명"},
      {"구입일", "구 입 일"},
      {"구입처", "구 입 처"},
      {"처치", "처      치"},
      {"만료일", "휴약만료일"},
      {"수의사", "수 의 사"},
      {"비고", "비고(경과)"}},
     {"날짜", "증상", "구입일체크", "구입일", "구입처", "처치", "만료일", "수의사", "비고", "cmdSave", "cmdCancel"},
     {},
     {"날짜", "구입일", "만료일"},
     {"2024-05-10", "호흡기 질환", "2024-05-01", "동물약국", "항생제 주사", "2024-05-24", "김수의", "경과 양호"}},
};

class TabLayoutTest : public HistoryTabFixture, public ::testing::WithParamInterface<Layout> {
protected:
    void SetUp() override { start(GetParam().definition()); }
};

QLabel* captionOf(const QWidget* field)
{
    for (QLabel* l : field->window()->findChildren<QLabel*>())
        if (l->buddy() == field) return l;
    return nullptr;
}
}  // namespace

TEST_P(TabLayoutTest, GridHeadersNotesAndCommands)
{
    const Layout& l = GetParam();
    EXPECT_EQ(tab->grid()->objectName(), l.grid);
    ASSERT_EQ(tab->grid()->maxCols(), l.headers.size());
    for (int c = 1; c <= tab->grid()->maxCols(); ++c) EXPECT_EQ(tab->grid()->cellText(c, 0), l.headers[c - 1]) << c;
    QStringList labels;
    for (QLabel* label : tab->findChildren<QLabel*>()) labels << label->text();
    for (const QString& note : l.notes) EXPECT_TRUE(labels.contains(note)) << note.toStdString();
    EXPECT_EQ(button("cmdInsert")->text(), "신규등록");
    EXPECT_EQ(button("cmdUpate")->text(), "수 정");
    EXPECT_EQ(button("cmdDelete")->text(), "삭 제");
    EXPECT_EQ(controlsHeardByControlName(tab), QStringList());
    EXPECT_EQ(tab->rowCount(), 0);

    // Wide enough for its headers and its usual texts.
    tab->writeRow(tab->appendRow(), l.usualRow);
    const QAbstractItemView* view = tab->grid();
    for (int c = 0; c < tab->grid()->maxCols(); ++c) {
        SCOPED_TRACE(l.headers[c].toStdString());
        EXPECT_GE(tab->grid()->columnWidth(c), tab->grid()->horizontalHeader()->sectionSizeHint(c));
        EXPECT_GE(tab->grid()->columnWidth(c), view->sizeHintForColumn(c));
    }
}

TEST_P(TabLayoutTest, DialogFieldsCaptionsColumnsAndOpeningState)
{
    const Layout& l = GetParam();
    const bool opened = withNew([&](HistoryEntryDialog& d) {
        EXPECT_EQ(d.objectName(), l.dialog);
        EXPECT_EQ(d.windowTitle(), l.title);
        EXPECT_TRUE(d.isModal());
        EXPECT_TRUE(d.key().isEmpty());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        EXPECT_EQ(focusedField(d), l.captions.first().first);

        int leftEdge = 0, rightEdge = d.width();
        for (const auto& [name, caption] : l.captions) {
            SCOPED_TRACE(name.toStdString());
            auto* field = d.findChild<QWidget*>(name);
            ASSERT_NE(field, nullptr);
            ASSERT_NE(captionOf(field), nullptr);
            EXPECT_EQ(captionOf(field)->text(), caption);
            if (auto* box = qobject_cast<QLineEdit*>(field)) EXPECT_TRUE(box->text().isEmpty());
            const int x = field->mapTo(&d, QPoint()).x();
            if (l.rightColumn.contains(name))
                rightEdge = std::min(rightEdge, x);
            else
                leftEdge = std::max(leftEdge, x);
        }
        if (!l.rightColumn.isEmpty()) EXPECT_LT(leftEdge, rightEdge);
        for (const QString& date : l.dates) EXPECT_EQ(d.datePicker(date)->date(), kToday) << date.toStdString();

        QStringList seen;
        QWidget* w = d.findChild<QWidget*>(l.order.first());
        for (int steps = 0; w && seen.size() < l.order.size() && steps < 200; ++steps, w = w->nextInFocusChain())
            if (l.order.contains(w->objectName()) && !seen.contains(w->objectName())) seen << w->objectName();
        EXPECT_EQ(seen, l.order);

        EXPECT_EQ(d.saveButton()->text(), "저 장");
        EXPECT_EQ(d.cancelButton()->text(), "취 소");
        EXPECT_EQ(d.cancelButton()->toolTip(), "창을 닫습니다");
        EXPECT_EQ(controlsHeardByControlName(&d), QStringList());
    });
    EXPECT_TRUE(opened);
}

TEST_P(TabLayoutTest, EnterDoesNothingAndEscClosesWithoutStoring)
{
    const Layout& l = GetParam();
    bool openAfterEnter = false, openAfterEsc = true;
    withNew([&](HistoryEntryDialog& d) {
        for (const auto& [name, caption] : l.captions)
            if (QLineEdit* box = d.textBox(name)) box->setText("1");
        QWidget* first = d.findChild<QWidget*>(l.captions.first().first);
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Return);
        openAfterEnter = d.isVisible();
        QTest::keyClick(first, Qt::Key_Escape);
        openAfterEsc = d.isVisible();
    });
    EXPECT_TRUE(openAfterEnter);
    EXPECT_FALSE(openAfterEsc);
    EXPECT_EQ(farm.messages().count(), 0);
    EXPECT_EQ(farm.count(tab->definition().table), 0);
}

INSTANTIATE_TEST_SUITE_P(Tabs, TabLayoutTest, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });
