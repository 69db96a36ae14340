#include "registry/RecordPrints.h"

#include "data/Globals.h"
#include "history/GradingPage.h"
#include "history/HistoryTab.h"
#include "kit/Grid.h"
#include "registry/AnimalRecordForm.h"
#include "registry/model/HistoryPrintRows.h"
#include "registry/model/RecordBookFormulas.h"

using namespace Qt::StringLiterals;

namespace {

// The history tabs the prints read.
constexpr int kBreedingTab = 1;
constexpr int kWeightTab = 2;
constexpr int kBodyTab = 3;
constexpr int kTreatmentTab = 4;

// The texts of one print: the cow's, and the bull's where it has its own.
struct PrintTexts {
    QString nothingMessage;  // empty: the command has no nothing-to-print test
    QString question;
    QString reportFile;
    QString previewTitle;
};

// Rows 1 to the tab's row count, every column as the grid shows it (none without the tab).
QList<QStringList> shownRows(const HistoryTab* tab)
{
    QList<QStringList> rows;
    if (!tab) return rows;
    const Grid* g = tab->grid();
    const int columns = int(tab->definition().gridColumns().size());
    for (int r = 1; r <= tab->rowCount(); ++r) {
        QStringList row;
        row.reserve(columns);
        for (int c = 1; c <= columns; ++c) row << g->cellText(c, r);
        rows << row;
    }
    return rows;
}

long rowCount(const AnimalRecordForm& form, int tab)
{
    const HistoryTab* t = form.historyTab(tab);
    return t ? t->rowCount() : 0;
}

// The one way the form's prints start: the texts and whatever the print fills.
PrintRequest formRequest(AnimalRecordForm& form, const PrintTexts& texts)
{
    PrintRequest r;
    r.window = &form;
    r.nothingMessage = texts.nothingMessage;
    r.question = texts.question;
    r.reportFile = texts.reportFile;
    r.previewTitle = texts.previewTitle;
    return r;
}

// A history print: its grid copied row by row into `table`, the animal's header formulas.
PrintOutcome printHistory(AnimalRecordForm& form, const PrintTexts& texts, int tab, const QString& table,
                          QVariantList (*workRow)(const QStringList&))
{
    PrintRequest r = formRequest(form, texts);
    r.nothingToPrint = rowCount(form, tab) == 0;
    r.workTable = table;
    r.rows = [&form, tab, workRow] {
        QList<QVariantList> rows;
        for (const QStringList& cells : shownRows(form.historyTab(tab))) rows << workRow(cells);
        return rows;
    };
    r.formulas = [&form] { return historyprint::headerFormulas(form.formValues(), farmHeader()); };
    return runPrintSequence(r);
}

}  // namespace

PrintOutcome printRecordBook(AnimalRecordForm& form)
{
    static const PrintTexts cow{
        {}, u"한우암소 개체기록부를 출력 하시겠습니까?"_s, u"암소개체기록부.rpt"_s, u"한우암소 개체기록부"_s};
    static const PrintTexts bull{
        {}, u"한우수소 개체기록부를 출력 하시겠습니까?"_s, u"수소개체기록부.rpt"_s, u"한우수소 개체기록부"_s};
    PrintRequest r = formRequest(form, form.kind() == AnimalKind::Bull ? bull : cow);
    r.formulas = [&form] {
        RecordBookSheet sheet;
        sheet.animal = form.formValues();
        sheet.farm = farmHeader();
        sheet.weights = shownRows(form.historyTab(kWeightTab));
        sheet.bodies = shownRows(form.historyTab(kBodyTab));
        if (const GradingPage* grading = form.gradingPage()) sheet.grading = grading->values();
        return recordbook::formulas(sheet);
    };
    // A record book that cannot be made says why, rather than ending without a word.
    r.reportErrors = true;
    return runPrintSequence(r);
}

PrintOutcome printBreedingRecord(AnimalRecordForm& form)
{
    static const PrintTexts cow{u"출력할 번식기록이 없습니다.."_s, u"한우암소 번식기록을 출력 하시겠습니까?"_s,
                                u"번식기록.rpt"_s, u"한우암소 번식기록"_s};
    return printHistory(form, cow, kBreedingTab, u"번식기록워크"_s, historyprint::breedingRow);
}

PrintOutcome printTreatmentRecord(AnimalRecordForm& form)
{
    static const PrintTexts cow{u"출력할 진료백신 기록이 없습니다.."_s,
                                u"한우암소 진료백신 기록을 출력 하시겠습니까?"_s, u"진료백신암.rpt"_s,
                                u"한우암소 진료백신 기록부"_s};
    static const PrintTexts bull{u"출력할 진료백신 기록이 없습니다.."_s,
                                 u"한우수소 진료백신 기록을 출력 하시겠습니까?"_s, u"진료백신수.rpt"_s,
                                 u"한우수소 진료백신 기록부"_s};
    return printHistory(form, form.kind() == AnimalKind::Bull ? bull : cow, kTreatmentTab, u"백신접종워크"_s,
                        historyprint::treatmentRow);
}
