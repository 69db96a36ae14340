// What the weighing, body-measurement and treatment tabs do alike: new records go to the end
// of the grid, a date the grid shows is refused for a new record only, change and delete find
// the record by the trimmed number, a failed delete says why, texts are stored as typed.
#include "HistoryTabFixture.h"
#include "history/model/BodyHistory.h"
#include "history/model/TreatmentHistory.h"
#include "history/model/UltrasoundHistory.h"

namespace {
struct Commands {
    const char* name;
    const HistoryDefinition& (*definition)();
    // Texts that pass the dialog's checks, by field.
    QList<std::pair<QString, QString>> required;
};

void PrintTo(const Commands& c, std::ostream* os)
{
    *os << c.name;
}

const QList<Commands> kCommands = {
    {"Ultrasound", ultrasoundHistory, {{"개체능력", "육성"}}},
    {"Body", bodyHistory, {{"월령", "12"}}},
    {"Treatment", treatmentHistory, {{"증상", "설사"}, {"처치", "수액"}}},
};

class HistoryCommandsTest : public HistoryTabFixture, public ::testing::WithParamInterface<Commands> {
protected:
    const QString kAnimal = "A-1";

    void SetUp() override { start(GetParam().definition(), kAnimal); }
    const HistoryDefinition& h() { return tab->definition(); }

    // A stored record of `animal` on `key` holding the required texts.
    void seed(const QString& animal, qint64 key)
    {
        QStringList columns = {"개체번호", h().keyField};
        QVariantList values = {animal, key};
        for (const auto& [field, text] : GetParam().required) {
            columns << field;
            values << text;
        }
        farm.exec(QStringLiteral("insert into %1(%2) values(%3)")
                      .arg(h().table, columns.join(", "), QStringList(columns.size(), "?").join(", ")),
                  values);
    }
    void fill(HistoryEntryDialog& d)
    {
        for (const auto& [field, text] : GetParam().required) d.textBox(field)->setText(text);
    }
    QString keyCell(int row) { return tab->grid()->cellText(h().keyColumn(), row); }
    int records(const QString& animal) { return farm.count(h().table, "개체번호 = ?", {animal}); }
};
}  // namespace

TEST_P(HistoryCommandsTest, NewRecordsGoLastAndADateTheGridShowsIsRefusedForNewOnly)
{
    seed(kAnimal, 20240601);
    seed("OTHER", 20240509);  // another animal's date is free for this one
    tab->reload(kAnimal);
    for (const QDate date : {kToday, QDate(2024, 5, 9)}) {
        bool closed = false;
        withNew([&](HistoryEntryDialog& d) {
            fill(d);
            d.datePicker(h().keyField)->setDate(date);
            farm.messages().answer(MsgButton::No);
            EXPECT_FALSE(d.save());  // a No stores nothing and leaves the input for another try
            EXPECT_EQ(records(kAnimal), int(tab->rowCount()));
            EXPECT_TRUE(saveYes(d));
            closed = !d.isVisible();
        });
        EXPECT_TRUE(closed);
    }
    EXPECT_EQ(farm.messages().last().text, h().newQuestion());
    EXPECT_EQ(farm.messages().last().title, "등록");
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Question);
    EXPECT_EQ(farm.messages().last().buttons, MsgButton::Yes | MsgButton::No);
    ASSERT_EQ(tab->rowCount(), 3);
    EXPECT_EQ(tab->grid()->maxRows(), 3);
    EXPECT_EQ((QStringList{keyCell(1), keyCell(2), keyCell(3)}),
              (QStringList{"2024-06-01", "2024-05-10", "2024-05-09"}));  // out of order until a reload
    EXPECT_EQ(tab->grid()->rowHeight(3), 18);
    EXPECT_EQ(tab->grid()->activeRow(), 3);
    EXPECT_EQ(records(kAnimal), 3);

    farm.messages().clear();
    bool stillOpen = false;
    withNew([&](HistoryEntryDialog& d) {
        fill(d);
        d.datePicker(h().keyField)->setDate(QDate(2024, 6, 1));
        EXPECT_FALSE(saveYes(d));
        stillOpen = d.isVisible();
        EXPECT_EQ(focusedField(d), h().keyField);
    });
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, h().keyField + "를 다시 선택해 주세요.");
    EXPECT_EQ(farm.messages().last().title, "선택오류");
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Information);
    EXPECT_EQ(records(kAnimal), 3);

    // A change keeps its own date, and may even take another row's.
    tab->reload(kAnimal);
    EXPECT_EQ((QStringList{keyCell(1), keyCell(2), keyCell(3)}),
              (QStringList{"2024-05-09", "2024-05-10", "2024-06-01"}));
    farm.messages().clear();
    withChange(2, [&](HistoryEntryDialog& d) { EXPECT_TRUE(saveYes(d)); });
    EXPECT_EQ(farm.messages().last().text, h().changeQuestion());
    EXPECT_EQ(farm.messages().last().title, "수정");
    EXPECT_EQ(records(kAnimal), 3);
}

TEST_P(HistoryCommandsTest, ChangeAndDeleteFindTheRecordByTheTrimmedNumber)
{
    seed(kAnimal, 20240101);
    seed(kAnimal, 20240201);
    seed("OTHER", 20240201);
    tab->reload(" A-1 ");
    ASSERT_EQ(tab->rowCount(), 2);

    withChange(2, [&](HistoryEntryDialog& d) {
        EXPECT_EQ(d.key(), "20240201");
        EXPECT_EQ(d.datePicker(h().keyField)->date(), QDate(2024, 2, 1));
        d.datePicker(h().keyField)->setDate(QDate(2024, 2, 3));  // a change may move the record
        EXPECT_TRUE(saveYes(d));
    });
    EXPECT_EQ(stored(kAnimal, 20240201), QStringList());
    EXPECT_NE(stored(kAnimal, 20240203), QStringList());
    EXPECT_NE(stored("OTHER", 20240201), QStringList());
    EXPECT_EQ(keyCell(2), "2024-02-03");
    EXPECT_EQ(tab->rowCount(), 2);

    farm.messages().clear();
    tab->grid()->setActiveCell(1, 1);
    farm.messages().answer(MsgButton::No);
    button("cmdDelete")->click();
    ASSERT_EQ(farm.messages().count(), 1);
    const MessageSpec& q = farm.messages().last();
    EXPECT_EQ(q.text, "선택하신 " + h().table + " 내역을 삭제하시겠습니까?");
    EXPECT_EQ(q.title, "삭제");
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.buttons, MsgButton::Yes | MsgButton::No);
    EXPECT_EQ(records(kAnimal), 2);

    farm.messages().answer(MsgButton::Yes);
    button("cmdDelete")->click();
    EXPECT_EQ(records(kAnimal), 1);
    EXPECT_EQ(stored(kAnimal, 20240101), QStringList());
    EXPECT_EQ(records("OTHER"), 1);
    ASSERT_EQ(tab->rowCount(), 1);  // reloaded
    EXPECT_EQ(keyCell(1), "2024-02-03");
    EXPECT_EQ(farm.messages().count(), 2);
}

TEST_P(HistoryCommandsTest, AFailedDeleteSaysWhyAndKeepsTheRow)
{
    seed(kAnimal, 20240101);
    tab->reload(kAnimal);
    farm.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON %1 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                  .arg(h().table));
    tab->grid()->setActiveCell(1, 1);
    farm.messages().answer(MsgButton::Yes);
    button("cmdDelete")->click();
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().title, kAppTitle);
    // The database's words sit behind the details button.
    EXPECT_TRUE(farm.messages().last().details.contains("refused"));
    EXPECT_EQ(records(kAnimal), 1);
    EXPECT_EQ(tab->rowCount(), 1);
    EXPECT_EQ(keyCell(1), "2024-01-01");
}

TEST_P(HistoryCommandsTest, ChangeAndDeleteDoNothingOnAnEmptyGrid)
{
    expectNoChange(1);
    button("cmdDelete")->click();
    emit tab->grid()->dblClick(1, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_P(HistoryCommandsTest, ADoubleClickChangesTheRow)
{
    seed(kAnimal, 20240101);
    tab->reload(kAnimal);
    QString key;
    tab->grid()->setActiveCell(2, 1);
    driveModal<HistoryEntryDialog>([&] { emit tab->grid()->dblClick(2, 1); },
                                   [&](HistoryEntryDialog& d) { key = d.key(); });
    EXPECT_EQ(key, "20240101");
}

TEST_P(HistoryCommandsTest, EveryTextIsStoredAsTypedQuotesIncluded)
{
    QStringList texts;
    for (const EntryField& f : h().fields)
        if (f.kind == FieldKind::Text && f.store != TextStore::Number) texts << f.name;
    ASSERT_FALSE(texts.isEmpty());
    withNew([&](HistoryEntryDialog& d) {
        if (QCheckBox* purchase = d.dateBox("구입일")) purchase->setChecked(true);  // its place is stored only then
        for (const QString& t : texts) d.textBox(t)->setText(" O'Neil \"" + t + "\" ");
        EXPECT_TRUE(saveYes(d));
    });
    QSqlQuery q = runQuery(QStringLiteral("select * from %1").arg(h().table));
    ASSERT_TRUE(q.next());
    for (const QString& t : texts) EXPECT_EQ(NullTrim(q.value(t)), "O'Neil \"" + t + "\"") << t.toStdString();
    EXPECT_EQ(farm.messages().count(), 1);
    // The grid shows them as typed.
    EXPECT_TRUE(gridRow(tab->grid(), 1).contains(" O'Neil \"" + texts.first() + "\" "));
}

TEST_P(HistoryCommandsTest, AStoredZeroDateShowsAsZeros)
{
    seed(kAnimal, 0);
    tab->reload(kAnimal);
    ASSERT_EQ(tab->rowCount(), 1);
    EXPECT_EQ(keyCell(1), "0000-00-00");
    // No date to find it by: change and delete say so and leave it.
    expectNoChange(1);
    button("cmdDelete")->click();
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().shown()[0].box.text, "선택하신 행에는 날짜가 없어 수정할 수 없습니다.");
    EXPECT_EQ(farm.messages().last().text, "선택하신 행에는 날짜가 없어 삭제할 수 없습니다.");
    EXPECT_EQ(records(kAnimal), 1);
}

TEST_P(HistoryCommandsTest, AStatementTheDatabaseRefusesLeavesTheDialogOpen)
{
    farm.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, 'full'); END")
                  .arg(h().table));
    bool stillOpen = false;
    withNew([&](HistoryEntryDialog& d) {
        fill(d);
        EXPECT_FALSE(saveYes(d));
        stillOpen = d.isVisible();
    });
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(farm.messages().count(), 2);
    // The database's words sit behind the details button.
    EXPECT_TRUE(farm.messages().last().details.contains("full"));
    EXPECT_EQ(tab->rowCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Tabs, HistoryCommandsTest, ::testing::ValuesIn(kCommands),
                         [](const ::testing::TestParamInfo<Commands>& info) { return std::string(info.param.name); });
