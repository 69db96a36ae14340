#pragma once
// A farm, a fixed today and the search list window, driven through its controls.
#include "data/Clock.h"
#include "data/Db.h"
#include "data/Globals.h"
#include "data/Values.h"
#include "kit/Grid.h"
#include "registry/AnimalRecordForm.h"
#include "registry/SearchWindow.h"
#include "support/TestFarm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <memory>

class RegistryTest : public FarmTest {
protected:
    void SetUp() override
    {
        setTodayOverride(QDate(2010, 2, 28));
        ASSERT_TRUE(farm.open());
    }
    void TearDown() override
    {
        delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Opens the search list (it connects on its own) and shows it.
    SearchWindow* openList()
    {
        window = new SearchWindow;
        window->show();
        window->activateWindow();
        QApplication::processEvents();
        return window;
    }
    template <class T = QWidget>
    T* find(const QString& name, QWidget* in = nullptr)
    {
        QWidget* root = in ? in : window.data();
        T* w = root ? root->findChild<T*>(name) : nullptr;
        EXPECT_NE(w, nullptr) << "no control " << name.toStdString();
        return w;
    }
    void click(const QString& name, QWidget* in = nullptr)
    {
        if (auto* b = find<QAbstractButton>(name, in)) b->click();
        QApplication::processEvents();  // window activation arrives as an event
    }
    // Searches with the given option ("SSOption1" 전체, "SSOption2" 암소, "SSOption3" 수소) and word.
    void searchFor(const QString& option = QStringLiteral("SSOption1"), const QString& word = {})
    {
        click(option);
        find<QLineEdit>(QStringLiteral("txtWord"))->setText(word);
        click(QStringLiteral("Com_Function_0"));
    }
    QStringList column(int col) { return gridColumn(listGrid(window), col); }
    QStringList row(int r) { return gridRow(listGrid(window), r); }
    int rowOf(const QString& number) { return int(column(1).indexOf(number)) + 1; }
    // Opens the animal's record form from the list, as 개체수정 does.
    AnimalRecordForm* openRecordForm(const QString& number)
    {
        if (!window) openList();
        searchFor();
        listGrid(window)->setActiveCell(1, rowOf(number));
        click("cmdUpdate");
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<AnimalRecordForm*>(w); f && f->isVisible() && f->storedNumber() == number)
                return f;
        ADD_FAILURE() << "no record form for " << number.toStdString();
        return nullptr;
    }

    QPointer<SearchWindow> window;
};
