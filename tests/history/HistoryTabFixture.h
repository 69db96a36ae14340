#pragma once
// One history tab of any definition hosted in a plain window for an animal, a driver for its
// modal entry dialog, and readers of what the dialog stored.
#include "data/Clock.h"
#include "data/Db.h"
#include "data/Globals.h"
#include "data/Values.h"
#include "history/HistoryEntryDialog.h"
#include "history/HistoryTab.h"
#include "kit/Grid.h"
#include "support/ModalDriver.h"
#include "support/TestFarm.h"
#include "support/TestHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlRecord>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>

class HistoryTabFixture : public FarmTest {
protected:
    const QDate kToday{2024, 5, 10};

    void TearDown() override { host.reset(); }

    // A farm with `animal` (구분 `kind`) and the tab of `h` showing its records.
    void start(const HistoryDefinition& h, const QString& animal = QStringLiteral("A-1"), int kind = 0)
    {
        setTodayOverride(kToday);
        ASSERT_TRUE(farm.open());
        farm.addAnimal(animal, kind);
        host = std::make_unique<QWidget>();
        tab = new HistoryTab(h, host.get());
        tab->reload(animal);
    }

    QPushButton* button(const QString& command)
    {
        return tab->findChild<QPushButton*>(command + QString::number(tab->definition().number));
    }

    // Runs `body` on the dialog of 신규등록 (of 수 정 on `row`); the test fails when none opens.
    bool withNew(const std::function<void(HistoryEntryDialog&)>& body)
    {
        return driveModal<HistoryEntryDialog>(button(QStringLiteral("cmdInsert")), body);
    }
    bool withChange(int row, const std::function<void(HistoryEntryDialog&)>& body)
    {
        tab->grid()->setActiveCell(1, row);
        return driveModal<HistoryEntryDialog>(button(QStringLiteral("cmdUpate")), body);
    }
    // 수 정 on `row` must open no dialog.
    void expectNoChange(int row)
    {
        tab->grid()->setActiveCell(1, row);
        expectNoModal<HistoryEntryDialog>(button(QStringLiteral("cmdUpate")));
    }
    // Saves answering Yes to the question; true when stored.
    bool saveYes(HistoryEntryDialog& d)
    {
        farm.messages().answer(MsgButton::Yes);
        return d.save();
    }

    // The control name of the focused field (a picker's inner line edit counts as the picker).
    static QString focusedField(const HistoryEntryDialog& d)
    {
        QWidget* f = d.focusWidget();
        while (f && f->objectName().isEmpty()) f = f->parentWidget();
        return f ? f->objectName() : QString();
    }

    // Opens a new record, types `texts` (box, text) in order and saves: the save must be refused
    // with `refusal` alone, the focus on its field, nothing stored and the dialog left open.
    void expectRefused(const QList<std::pair<QString, QString>>& texts, const EntryCheck& refusal)
    {
        farm.messages().clear();
        const int before = farm.count(tab->definition().table);
        bool stillOpen = false;
        const bool opened = withNew([&](HistoryEntryDialog& d) {
            for (const auto& [box, text] : texts) d.textBox(box)->setText(text);
            EXPECT_FALSE(saveYes(d));
            stillOpen = d.isVisible();
            EXPECT_EQ(focusedField(d), refusal.field);
        });
        ASSERT_TRUE(opened);
        EXPECT_TRUE(stillOpen);
        ASSERT_EQ(farm.messages().count(), 1);
        const MessageSpec& m = farm.messages().last();
        EXPECT_EQ(m.text, refusal.message);
        EXPECT_EQ(m.title, refusal.title);
        EXPECT_EQ(m.icon, refusal.icon);
        EXPECT_EQ(m.buttons, MsgButton::Ok);
        EXPECT_EQ(farm.count(tab->definition().table), before);
    }

    // Every column after 개체번호 of the record (animal, key date), as stored; empty when none.
    QStringList stored(const QString& animal, qint64 key)
    {
        const HistoryDefinition& h = tab->definition();
        QSqlQuery q = runQuery(
            QStringLiteral("select * from %1 where 개체번호 = ? and %2 = ?").arg(h.table, h.keyField), {animal, key});
        QStringList out;
        if (q.next())
            for (int i = 1; i < q.record().count(); ++i) out << NullTrim(q.value(i));
        return out;
    }

    std::unique_ptr<QWidget> host;
    HistoryTab* tab = nullptr;
};
