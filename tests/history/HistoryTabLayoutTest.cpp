// The weighing, body-measurement and treatment tabs as the farmer sees them: each grid column
// headed by its declaration, above the field whose caption it reads as, wide enough for its
// header and a usual record; the treatment print headed like its grid; every control heard by
// the caption beside it; and each entry dialog opening clean, laid out in two columns that Tab
// walks as they are read.
#include "HistoryTabFixture.h"
#include "history/model/BodyHistory.h"
#include "history/model/TreatmentHistory.h"
#include "history/model/UltrasoundHistory.h"
#include "print/model/ReportDefinition.h"
#include "support/AccessibilityCheck.h"
#include "support/TestHelpers.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>

namespace {
struct Layout {
    const char* name;
    const HistoryDefinition& (*definition)();
    // What users' automation finds and the farmer reads: control names and the dialog's title.
    QString grid, dialog, title;
    // A record as a farmer types it, by field: texts as typed, dates yyyy-MM-dd (a check-box
    // date ticked).
    QList<std::pair<QString, QString>> usual;
    // Grid headers that do not read as the caption of their column's field, by field.
    QHash<QString, QString> headerNotCaption;
};

void PrintTo(const Layout& l, std::ostream* os)
{
    *os << l.name;
}

const QList<Layout> kLayouts = {
    {"Ultrasound",
     ultrasoundHistory,
     "SS2",
     "초음파측정",
     "초음파측정 등록/수정",
     {{"개체능력", "육성"},
      {"측정일", "2024-05-08"},
      {"체중", "612.5"},
      {"초음파기기", "HS-2000"},
      {"등심단면적", "88.1"},
      {"등지방두께", "9.5"},
      {"근내지방도", "6"},
      {"측정자", "김측정"},
      {"판정자", "박판정"},
      {"예상등급", "1++"}},
     {{"초음파기기", "초음파 기기 모델"}}},
    {"Body",
     bodyHistory,
     "SS3",
     "체척",
     "체척 등록/수정",
     {{"월령", "24"},
      {"측정일", "2024-05-08"},
      {"측정자", "정측정"},
      {"체고", "125.5"},
      {"십자부고", "128"},
      {"체장", "150"},
      {"흉심", "68"},
      {"흉폭", "45"},
      {"흉위", "185"},
      {"고장", "50"},
      {"요각폭", "48"},
      {"곤폭", "44"},
      {"좌골폭", "20"}},
     // Farmers know this column by its old header.
     {{"요각폭", "오각폭"}}},
    {"Treatment",
     treatmentHistory,
     "SS4",
     "백신접종",
     "진료·백신접종 및 도태/폐사 등록/수정",
     {{"날짜", "2024-05-08"},
      {"증상", "호흡기 질환"},
      {"구입일", "2024-05-01"},
      {"구입처", "동물약국"},
      {"처치", "항생제 주사"},
      {"만료일", "2024-05-24"},
      {"수의사", "김수의"},
      {"비고", "경과 양호"}},
     {{"비고", "비고"}}},
};

// A caption or header as read, without the blanks that space it out.
QString unspaced(QString s)
{
    s.remove(QRegularExpression(QStringLiteral("\\s")));
    return s;
}

class TabLayoutTest : public HistoryTabFixture, public ::testing::WithParamInterface<Layout> {
protected:
    void SetUp() override { start(GetParam().definition()); }

    const HistoryDefinition& def() const { return tab->definition(); }

    QString usual(const QString& field) const
    {
        for (const auto& [name, text] : GetParam().usual)
            if (name == field) return text;
        ADD_FAILURE() << "no usual value for " << field.toStdString();
        return QString();
    }

    // Types the usual record into the dialog.
    void typeUsual(HistoryEntryDialog& d) const
    {
        for (const auto& [name, text] : GetParam().usual) {
            if (QLineEdit* box = d.textBox(name)) {
                box->setText(text);
            } else if (QDateEdit* picker = d.datePicker(name)) {
                if (QCheckBox* tick = d.dateBox(name)) tick->setChecked(true);
                picker->setDate(QDate::fromString(text, QStringLiteral("yyyy-MM-dd")));
            } else {
                ADD_FAILURE() << "no control for " << name.toStdString();
            }
        }
    }

    // The controls Tab visits, by control name, as the declaration lists the fields: a check-box
    // date's box before its picker, the options of a choice, then 저 장 and 취 소.
    QStringList declaredOrder() const
    {
        QStringList order;
        for (const EntryField& f : def().fields) {
            if (f.kind == FieldKind::CheckedDate) order << f.name + QStringLiteral("체크");
            if (f.kind == FieldKind::Choice) {
                for (const auto& option : f.options) order << option.first;
            } else {
                order << f.name;
            }
        }
        return order << QStringLiteral("cmdSave") << QStringLiteral("cmdCancel");
    }
};

QLabel* captionOf(const QWidget* field)
{
    for (QLabel* l : field->window()->findChildren<QLabel*>())
        if (l->buddy() == field) return l;
    return nullptr;
}

QRect rectIn(const QWidget* w, const QWidget* dialog)
{
    return QRect(w->mapTo(dialog, QPoint()), w->size());
}
}  // namespace

TEST_P(TabLayoutTest, EachColumnIsHeadedAboveTheFieldItsHeaderNames)
{
    const Layout& l = GetParam();
    Grid* grid = tab->grid();
    EXPECT_EQ(grid->objectName(), l.grid);
    EXPECT_EQ(tab->rowCount(), 0);
    ASSERT_EQ(grid->maxCols(), def().headers.size());
    const QStringList columns = def().gridColumns();
    ASSERT_EQ(columns.size(), def().headers.size());
    for (int c = 1; c <= grid->maxCols(); ++c) {
        const QString header = grid->cellText(c, 0);
        SCOPED_TRACE(header.toStdString());
        EXPECT_EQ(header, def().headers[c - 1]);
        const EntryField* field = def().field(columns[c - 1]);
        ASSERT_NE(field, nullptr);
        if (l.headerNotCaption.contains(field->name)) {
            EXPECT_EQ(header, l.headerNotCaption[field->name]);
        } else {
            EXPECT_EQ(unspaced(header), unspaced(field->caption)) << "the column shows " << field->name.toStdString();
        }
    }

    // The usual record typed in the dialog shows under those headers, as typed and once stored.
    const bool opened = withNew([&](HistoryEntryDialog& d) {
        typeUsual(d);
        EXPECT_TRUE(saveYes(d));
    });
    ASSERT_TRUE(opened);
    QStringList expected;
    for (const QString& field : columns) expected << usual(field);
    EXPECT_EQ(gridRow(grid, 1), expected);
    tab->reload(tab->animalNumber());
    EXPECT_EQ(gridRow(grid, 1), expected);

    // Wide enough for its headers and that record.
    for (int c = 0; c < grid->maxCols(); ++c) {
        SCOPED_TRACE(def().headers[c].toStdString());
        EXPECT_GE(grid->columnWidth(c), grid->horizontalHeader()->sectionSizeHint(c));
        EXPECT_GE(grid->columnWidth(c), static_cast<const QAbstractItemView*>(grid)->sizeHintForColumn(c));
    }
}

TEST_P(TabLayoutTest, RecordsShowWholeAlignedByWhatEachColumnHoldsWithNoEmptyBand)
{
    host->resize(1180, 420);
    tab->resize(host->size());
    host->show();
    ASSERT_EQ(def().columnKinds.size(), def().headers.size());
    // The usual record, and one with a sentence in each wide box (treatments and remarks).
    for (bool sentences : {false, true}) {
        const bool opened = withNew([&](HistoryEntryDialog& d) {
            typeUsual(d);
            d.datePicker(def().keyField)->setDate(kToday.addDays(sentences ? -1 : -2));
            for (const EntryField& f : def().fields)
                if (f.wide && sentences)
                    d.textBox(f.name)->setText(QStringLiteral("항생제 근육주사 후 3일간 경과 관찰, 식욕 회복"));
            EXPECT_TRUE(saveYes(d));
        });
        ASSERT_TRUE(opened);
    }
    const Grid* grid = tab->grid();
    for (bool reloaded : {false, true}) {
        SCOPED_TRACE(reloaded ? "reloaded" : "as saved");
        if (reloaded) tab->reload(tab->animalNumber());
        ASSERT_EQ(grid->maxRows(), 2);
        EXPECT_EQ(cutCells(grid), QStringList());
        EXPECT_EQ(emptyBand(grid), 0);
        for (int c = 1; c <= grid->maxCols(); ++c) {
            SCOPED_TRACE(def().headers[c - 1].toStdString());
            const Qt::Alignment expected =
                def().columnKinds[c - 1] == CellKind::Number ? Qt::AlignRight | Qt::AlignVCenter
                : def().columnKinds[c - 1] == CellKind::Date ? Qt::Alignment(Qt::AlignCenter)
                                                             : Qt::AlignLeft | Qt::AlignVCenter;
            EXPECT_EQ(cellAlignment(grid, c), expected);
        }
    }
    // The key date is a date and the weight or measurements numbers, whatever a definition says.
    EXPECT_EQ(def().columnKinds[def().keyColumn() - 1], CellKind::Date);
}

TEST_P(TabLayoutTest, TheTabShowsItsNotesAndCommandsAndIsHeardByItsCaption)
{
    EXPECT_EQ(unspaced(tab->grid()->accessibleName()), unspaced(def().caption));
    EXPECT_FALSE(tab->grid()->accessibleName().contains("  "));
    QHash<QString, const QLabel*> labels;
    for (const QLabel* label : tab->findChildren<QLabel*>()) labels.insert(label->text(), label);
    ASSERT_FALSE(def().notes.isEmpty());
    for (const QString& note : def().notes) {
        SCOPED_TRACE(note.toStdString());
        ASSERT_TRUE(labels.contains(note));
        EXPECT_TRUE(labels[note]->wordWrap());  // a long note wraps rather than being cut
    }
    const struct {
        const char* command;
        const char* caption;
    } commands[] = {{"cmdInsert", "신규등록"}, {"cmdUpate", "수 정"}, {"cmdDelete", "삭 제"}};
    for (const auto& c : commands) {
        QPushButton* b = button(c.command);
        ASSERT_NE(b, nullptr) << c.command;
        EXPECT_EQ(b->text(), c.caption);
        EXPECT_EQ(b->accessibleName(), unspaced(c.caption));
    }
    EXPECT_EQ(controlsHeardByControlName(tab), QStringList());
}

TEST_P(TabLayoutTest, TheDialogOpensCleanWithEveryFieldCaptionedAndHeardByItsCaption)
{
    const Layout& l = GetParam();
    const bool opened = withNew([&](HistoryEntryDialog& d) {
        EXPECT_EQ(d.objectName(), l.dialog);
        EXPECT_EQ(d.windowTitle(), l.title);
        EXPECT_TRUE(d.isModal());
        EXPECT_TRUE(d.key().isEmpty());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        EXPECT_EQ(focusedField(d), def().fields.first().name);

        for (const EntryField& f : def().fields) {
            SCOPED_TRACE(f.name.toStdString());
            auto* field = d.findChild<QWidget*>(f.name);
            ASSERT_NE(field, nullptr);
            const QLabel* caption = captionOf(field);
            ASSERT_NE(caption, nullptr);
            EXPECT_EQ(caption->text(), f.caption);
            EXPECT_EQ(unspaced(field->accessibleName()), unspaced(f.caption));
            // The caption is shown whole: each word fits its panel, and the panel is tall enough.
            for (const QString& word : caption->text().split(' ', Qt::SkipEmptyParts))
                EXPECT_LE(caption->fontMetrics().horizontalAdvance(word), caption->contentsRect().width())
                    << word.toStdString();
            EXPECT_LE(caption->heightForWidth(caption->width()), caption->height());
            // Beside its field, on its row.
            const QRect c = rectIn(caption, &d), w = rectIn(field, &d);
            EXPECT_LT(c.right(), w.left());
            EXPECT_TRUE(c.top() <= w.center().y() && w.center().y() <= c.bottom());

            if (auto* box = qobject_cast<QLineEdit*>(field)) {
                EXPECT_TRUE(box->text().isEmpty());
            }
            if (f.kind == FieldKind::Date || f.kind == FieldKind::CheckedDate) {
                EXPECT_EQ(d.datePicker(f.name)->date(), kToday);
            }
            if (f.kind == FieldKind::CheckedDate) {
                QCheckBox* tick = d.dateBox(f.name);
                ASSERT_NE(tick, nullptr);
                EXPECT_FALSE(tick->isChecked());
                EXPECT_TRUE(unspaced(tick->accessibleName()).startsWith(unspaced(f.caption)));
            }
        }

        // The usual record fits its boxes.
        typeUsual(d);
        for (const auto& [name, text] : l.usual) {
            if (const QLineEdit* box = d.textBox(name)) {
                EXPECT_LE(box->fontMetrics().horizontalAdvance(text) + 8, box->width()) << name.toStdString();
            }
        }

        EXPECT_EQ(d.saveButton()->text(), "저 장");
        EXPECT_EQ(d.cancelButton()->text(), "취 소");
        EXPECT_EQ(d.cancelButton()->toolTip(), "창을 닫습니다");
        EXPECT_EQ(controlsHeardByControlName(&d), QStringList());
    });
    EXPECT_TRUE(opened);
}

TEST_P(TabLayoutTest, TabWalksTheFieldsAsTheyAreReadDownTheLeftColumnThenTheRight)
{
    const bool opened = withNew([&](HistoryEntryDialog& d) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        const QStringList declared = declaredOrder();

        // Where each field stands: the right-hand ones wholly right of the left-hand ones, each
        // column filled from the top in the declaration's order.
        int leftEdge = 0, rightEdge = d.width();
        int lastTop[2] = {-1, -1};
        for (const EntryField& f : def().fields) {
            SCOPED_TRACE(f.name.toStdString());
            const QWidget* field = d.findChild<QWidget*>(f.name);
            ASSERT_NE(field, nullptr);
            ASSERT_NE(captionOf(field), nullptr);
            const QRect r = rectIn(captionOf(field), &d);
            if (f.right)
                rightEdge = std::min(rightEdge, r.left());
            else
                leftEdge = std::max(leftEdge, rectIn(field, &d).right());
            EXPECT_GT(r.top(), lastTop[f.right]);
            lastTop[f.right] = r.top();
        }
        EXPECT_LT(leftEdge, rightEdge);

        // Reading order: left column, then right, each top to bottom and left to right in a row;
        // the buttons last, left to right.
        struct Spot {
            QString name;
            int column, top, left;
        };
        QList<Spot> spots;
        for (const QString& name : declared) {
            const QWidget* w = d.findChild<QWidget*>(name);
            ASSERT_NE(w, nullptr) << name.toStdString();
            const QRect r = rectIn(w, &d);
            const int column = qobject_cast<const QPushButton*>(w) ? 2 : (r.left() >= rightEdge ? 1 : 0);
            // A check-box date's box and picker share their caption's row.
            const QWidget* picker = d.findChild<QWidget*>(name.endsWith("체크") ? name.chopped(2) : name);
            const QLabel* caption = column < 2 ? captionOf(picker) : nullptr;
            spots.append({name, column, caption ? rectIn(caption, &d).top() : r.top(), r.left()});
        }
        std::stable_sort(spots.begin(), spots.end(), [](const Spot& a, const Spot& b) {
            return std::tie(a.column, a.top, a.left) < std::tie(b.column, b.top, b.left);
        });
        QStringList reading;
        for (const Spot& s : spots) reading << s.name;
        EXPECT_EQ(reading, declared);

        // Tab goes that way.
        QStringList seen;
        QWidget* w = d.findChild<QWidget*>(declared.first());
        for (int steps = 0; w && seen.size() < declared.size() && steps < 200; ++steps, w = w->nextInFocusChain())
            if (declared.contains(w->objectName()) && !seen.contains(w->objectName())) seen << w->objectName();
        EXPECT_EQ(seen, reading);
    });
    EXPECT_TRUE(opened);
}

TEST_P(TabLayoutTest, EnterDoesNothingAndEscClosesWithoutStoring)
{
    bool openAfterEnter = false, openAfterEsc = true;
    withNew([&](HistoryEntryDialog& d) {
        for (const EntryField& f : def().fields)
            if (QLineEdit* box = d.textBox(f.name)) box->setText("1");
        QWidget* first = d.findChild<QWidget*>(def().fields.first().name);
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

// The printed treatment record heads each column like the tab's grid column it copies.
TEST(TreatmentPrint, HeadsEachColumnLikeTheGridColumnItPrints)
{
    const QStringList headers = treatmentHistory().headers;
    for (const char* file : {"진료백신암.rpt", "진료백신수.rpt"}) {
        SCOPED_TRACE(file);
        report::Definition d;
        QString error;
        ASSERT_TRUE(
            report::loadDefinition(QStringLiteral(TARVIK_SOURCE_DIR "/rpt/") + QString::fromUtf8(file), &d, &error))
            << error.toStdString();
        QList<int> printed;
        for (const report::Column& c : d.table.columns) {
            if (c.cell.size() != 1 || c.cell.first().type != report::Part::Column) continue;
            const int k = c.cell.first().column;
            ASSERT_TRUE(k >= 1 && k <= headers.size()) << k;
            QString header;
            for (const report::Part& p : c.header) header += p.text;
            EXPECT_EQ(unspaced(header), unspaced(headers[k - 1])) << "column " << k;
            printed << k;
        }
        EXPECT_EQ(printed.size(), headers.size());  // every grid column is printed
    }
}
