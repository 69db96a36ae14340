// The focus after a refused input: on the named field, or the nearest usable control before
// it, in an active window, and heard by a screen reader.
#include "kit/FieldFocus.h"
#include "support/AccessibleFocusLog.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A form: a number box, a date with its tick box, and a tab page with a box of its own.
class FieldFocusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&form);
        number = new QLineEdit(&form);
        tick = new QCheckBox(&form);
        date = new QDateEdit(&form);
        date->setEnabled(false);  // the tick box is clear
        tabs = new QTabWidget(&form);
        tabs->addTab(new QWidget, QStringLiteral("첫째"));
        auto* second = new QWidget;
        onPage = new QLineEdit(second);
        tabs->addTab(second, QStringLiteral("둘째"));
        for (QWidget* w : {static_cast<QWidget*>(number), static_cast<QWidget*>(tick), static_cast<QWidget*>(date),
                           static_cast<QWidget*>(tabs)})
            layout->addWidget(w);
        form.show();
        other.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    QWidget form, other;
    QLineEdit* number = nullptr;
    QCheckBox* tick = nullptr;
    QDateEdit* date = nullptr;
    QTabWidget* tabs = nullptr;
    QLineEdit* onPage = nullptr;
};

}  // namespace

TEST_F(FieldFocusTest, TheFieldGetsTheFocusAndIsHeard)
{
    AccessibleFocusLog heard;
    // Already in the field: the focus stays, and the reader, back from the box, hears it again.
    number->setFocus();
    heard.clear();
    EXPECT_EQ(focusRefusedField(number), number);
    EXPECT_EQ(QApplication::focusWidget(), number);
    ASSERT_EQ(heard.events().size(), 1);
    EXPECT_EQ(heard.last(), number);

    // The box took the activation: the form gets it back, and the field the focus, heard once.
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    heard.clear();
    EXPECT_EQ(focusRefusedField(number), number);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &form);
    EXPECT_EQ(QApplication::focusWidget(), number);
    EXPECT_EQ(heard.last(), number);
    EXPECT_EQ(heard.events().count(number), 1);
}

TEST_F(FieldFocusTest, AFieldOnAnotherTabPageBringsItsPageUp)
{
    AccessibleFocusLog heard;
    number->setFocus();
    ASSERT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(focusRefusedField(onPage), onPage);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), onPage);
    EXPECT_EQ(heard.last(), onPage);
}

TEST_F(FieldFocusTest, ADisabledFieldHandsTheFocusToTheControlBeforeIt)
{
    AccessibleFocusLog heard;
    number->setFocus();
    EXPECT_EQ(focusRefusedField(date), tick);
    EXPECT_EQ(QApplication::focusWidget(), tick);
    EXPECT_EQ(heard.last(), tick);
    // Nothing named, nothing moved.
    EXPECT_EQ(focusRefusedField(nullptr), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), tick);
}
