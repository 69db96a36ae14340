#include "kit/WindowKeys.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

TEST(WindowKeys, EnterSwallowedEscClosesF11RunsEnabledQuery)
{
    QWidget w;
    auto* layout = new QVBoxLayout(&w);
    auto* edit = new QLineEdit(&w);
    auto* query = new QPushButton(QStringLiteral("조회(F11)"), &w);
    layout->addWidget(edit);
    layout->addWidget(query);
    int queries = 0, escapes = 0, returns = 0;
    QObject::connect(query, &QPushButton::clicked, [&] { ++queries; });
    QObject::connect(edit, &QLineEdit::returnPressed, [&] { ++returns; });
    auto* keys = new WindowKeys(&w, [&] { ++escapes; });
    keys->setQueryButton(query);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    edit->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edit);

    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_EQ(returns, 0);
    EXPECT_EQ(QApplication::focusWidget(), edit);  // Enter does not move the focus either

    QTest::keyClick(edit, Qt::Key_F11);
    EXPECT_EQ(queries, 1);
    QTest::keyClick(edit, Qt::Key_F11, Qt::ShiftModifier);
    EXPECT_EQ(queries, 1);
    query->setEnabled(false);
    QTest::keyClick(edit, Qt::Key_F11);
    EXPECT_EQ(queries, 1);

    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(escapes, 1);

    // Keys typed into another window are not this window's business.
    QWidget other;
    auto* otherEdit = new QLineEdit(&other);
    other.show();
    QTest::keyClick(otherEdit, Qt::Key_Escape);
    EXPECT_EQ(escapes, 1);
}
