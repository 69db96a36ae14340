#include "books/DailyWindow.h"

#include "books/model/DailyRules.h"
#include "data/Clock.h"
#include "data/Db.h"
#include "data/Values.h"
#include "kit/Accessibility.h"
#include "kit/ColumnFit.h"
#include "kit/CommandButton.h"
#include "kit/DbMessages.h"
#include "kit/GridExport.h"
#include "kit/Messages.h"
#include "kit/Styles.h"
#include "vaccination/GroupDoseDialog.h"
#include "vaccination/VaccinationProgramsWindow.h"

#include <QHBoxLayout>
#include <utility>

namespace {
constexpr int kColumns = 7;
constexpr int kWithdrawalColumns = 6;
constexpr int kDaysLeftColumn = 6;  // of the withdrawal list
// The vaccination list: its columns, the one the days overdue stand in, and the one the ticks
// stand in, beside the animal number.
constexpr int kOverdueColumn = 8;
constexpr int kTickColumn = 1;
const QColor kOverdueColor(0xc0, 0x00, 0x00);
constexpr int kConditionsHeightPx = 46;
const QString kReestrusTitle = QStringLiteral("재발정예정 개체일람");
const QString kCalvingTitle = QStringLiteral("출산예정 개체일람");
const QString kWithdrawalTitle = QStringLiteral("휴약중 개체일람");

// Columns 1-3 of a list row and the insemination date of its record.
struct RecordFields {
    QString number, pen, ranch;
    QDate inseminated;
};

RecordFields readRecord(const QSqlQuery& q)
{
    RecordFields f{NullTrim(q.value(0)), NullTrim(q.value(1)), NullTrim(q.value(2)),
                   daily::inseminationDate(q.value(3))};
    if (!f.inseminated.isValid())
        throw DbError(
            QStringLiteral("개체 %1의 수정일(%2)을 날짜로 읽을 수 없습니다.").arg(f.number, NullTrim(q.value(3))));
    return f;
}
}  // namespace

DailyWindow::DailyWindow(QWidget* parent)
    : ListWindow(QStringLiteral("일일관리"), QStringLiteral("한우 일일관리 대상조회"), QStringLiteral("인 쇄"), parent)
{
    m_reestrus = new QRadioButton(QStringLiteral("재발정예정개체"), conditionHost());
    nameControl(m_reestrus, QStringLiteral("Option1"), m_reestrus->text());
    m_reestrus->setChecked(true);
    m_calving = new QRadioButton(QStringLiteral("출산예정개체"), conditionHost());
    nameControl(m_calving, QStringLiteral("Option2"), m_calving->text());
    m_withdrawal = new QRadioButton(QStringLiteral("휴약중개체"), conditionHost());
    nameControl(m_withdrawal, QStringLiteral("Option3"), m_withdrawal->text());
    m_vaccination = new QRadioButton(vaccination::dueListTitle(), conditionHost());
    nameControl(m_vaccination, QStringLiteral("Option4"), m_vaccination->text());
    m_dueDays = new QSpinBox(conditionHost());
    m_dueDays->setRange(0, vaccination::kMaxDueListDays);
    m_dueDays->setValue(vaccination::kDueListDays);
    m_dueDays->setPrefix(QStringLiteral("앞으로 "));
    m_dueDays->setSuffix(QStringLiteral("일"));
    // The list is read once a number is typed whole, not at each digit.
    m_dueDays->setKeyboardTracking(false);
    nameControl(m_dueDays, QStringLiteral("txtDueDays"), QStringLiteral("앞으로 며칠까지 볼지 (일)"));
    m_recordDose = commandButton(QStringLiteral("cmdRecordDose"), QStringLiteral("접종 기록"), conditionHost());
    m_programs = commandButton(QStringLiteral("cmdPrograms"), QStringLiteral("접종 계획"), conditionHost());
    // Four options and the vaccination list's own controls need more room than the bar leaves
    // beside its buttons: they get a band of their own across the window.
    placeConditionsAbove(kConditionsHeightPx);
    setBarHeight(48);
    auto* layout = new QHBoxLayout(conditionHost());
    layout->setContentsMargins(10, 0, 0, 0);
    layout->setSpacing(14);
    layout->addWidget(m_reestrus);
    layout->addWidget(m_calving);
    layout->addWidget(m_withdrawal);
    layout->addWidget(m_vaccination);
    layout->addWidget(m_dueDays);
    layout->addWidget(m_recordDose);
    layout->addWidget(m_programs);
    m_skipped = new QLabel(conditionHost());
    m_skipped->setStyleSheet(styles::note());
    nameControl(m_skipped, QStringLiteral("lblSkipped"), QString());
    m_skipped->hide();
    layout->addWidget(m_skipped);
    layout->addStretch(1);
    // Selecting an option by any means (mouse, keys, an accessibility action) shows its list;
    // a click on the option already selected shows it again.
    for (QRadioButton* option : {m_reestrus, m_calving, m_withdrawal, m_vaccination}) {
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on) query();
        });
        connect(option, &QRadioButton::pressed, this, [this, option] { m_reclick = option->isChecked(); });
        connect(option, &QRadioButton::clicked, this, [this] {
            if (std::exchange(m_reclick, false)) query();
        });
    }
    connect(m_dueDays, &QSpinBox::valueChanged, this, [this] {
        if (m_vaccination->isChecked()) queryVaccinations();
    });
    connect(m_recordDose, &QPushButton::clicked, this, [this] { recordDose(); });
    connect(m_programs, &QPushButton::clicked, this, [this] { openPrograms(); });
    showVaccinationControls(false);

    showColumns(Columns::Due);
    resize(1080, 640);
    // A saved list names which list of which day: "재발정예정 개체일람 2026-12-10".
    setExportName(grid(), [this] {
        return m_listedTitle + u' ' +
               (m_listedDay.isValid() ? m_listedDay : today()).toString(QStringLiteral("yyyy-MM-dd"));
    });

    // Load.
    if (!openConnection()) return;  // the program has ended, or the window closes again
    m_headerDays = daily::dueDays(today());
    showColumns(Columns::Due);
    query();
    loadFarmHeader();
}

void DailyWindow::showColumns(Columns columns)
{
    using enum CellKind;
    if (columns != m_columns) {
        clearRows();
    }
    m_columns = columns;
    showVaccinationControls(columns == Columns::Vaccination);
    grid()->setCheckColumn(columns == Columns::Vaccination ? kTickColumn : 0);
    if (columns == Columns::Vaccination) {
        grid()->setHeaders(vaccination::dueHeaders());
        // "4 개월령" and "5일 지남" are words, not counts.
        grid()->setColumnKinds({Text, Text, Text, Text, Text, Date, Date, Text});
        grid()->setStretchColumn(4);
        setColumnChars(grid(), {11, 6, 6, 10, 4, 8, 8, 7});
        return;
    }
    if (columns == Columns::Withdrawal) {
        grid()->setHeaders({QStringLiteral("개체식별번호"), QStringLiteral("우방번호"), QStringLiteral("목장명"),
                            QStringLiteral("처 치"), QStringLiteral("휴약만료일"), QStringLiteral("남은 휴약기간")});
        // "휴약 3일 남음" is a sentence, not a count.
        grid()->setColumnKinds({Text, Text, Text, Text, Date, Text});
        // A long treatment gets the room the short columns leave.
        grid()->setStretchColumn(4);
        setColumnChars(grid(), {10, 6, 10, 16, 8, 10});
        return;
    }
    // The day headers are those of the moment the window loaded.
    QStringList headers{QStringLiteral("암소개체식별번호"), QStringLiteral("우방번호"), QStringLiteral("목장명")};
    for (int i = 0; i < 4; ++i)
        headers << (m_headerDays[size_t(i)].isValid() ? daily::dayHeader(i, m_headerDays[size_t(i)]) : QString());
    grid()->setHeaders(headers);
    // The day cells are words ("재발정 2일전"), and the numbers identifiers.
    grid()->setColumnKinds({Text, Text, Text, Text, Text, Text, Text});
    grid()->setStretchColumn(0);
    setColumnChars(grid(), {10, 6, 10, 15, 15, 15, 15});
}

void DailyWindow::query()
{
    if (m_reestrus->isChecked())
        queryReestrus();
    else if (m_calving->isChecked())
        queryCalving();
    else if (m_withdrawal->isChecked())
        queryWithdrawal();
    else
        queryVaccinations();
}

void DailyWindow::queryReestrus()
{
    DueList list;
    list.title = kReestrusTitle;
    list.waitText = QStringLiteral("재발정예정개체를 조회중 입니다. 잠시만 기다려 주세요.");
    list.sql = daily::reestrusSql();
    list.range = daily::reestrusInseminationRange;
    list.dueDate = daily::reestrusDate;
    list.listed = daily::reestrusListed;
    list.cell = daily::reestrusCell;
    list.dateless = daily::datelessReestrusRecords;
    runDueList(list);
}

void DailyWindow::queryCalving()
{
    DueList list;
    list.title = kCalvingTitle;
    list.waitText = QStringLiteral("출산예정개체를 조회중 입니다. 잠시만 기다려 주세요.");
    list.sql = daily::calvingSql();
    list.range = daily::calvingInseminationRange;
    list.dueDate = daily::calvingDate;
    list.listed = daily::calvingCandidate;
    list.cell = daily::calvingCell;
    // More than a week past the expected day on all four days: not due any more.
    list.takeBackEmptyRows = true;
    list.dateless = daily::datelessCalvingRecords;
    runDueList(list);
}

void DailyWindow::runDueList(const DueList& list)
{
    const QDate now = today();
    const auto days = daily::dueDays(now);
    const auto range = list.range(now);
    showColumns(Columns::Due);
    setListName(list.title);
    m_listedTitle = list.title;
    m_listedDay = now;
    ListQuery lq;
    lq.waitText = list.waitText;
    lq.sql = list.sql;
    lq.binds = {range.from, range.to};
    lq.eachRecord = [this, &list, now, days](const QSqlQuery& q) {
        const RecordFields f = readRecord(q);
        const QDate due = list.dueDate(f.inseminated);
        if (!list.listed(due, now)) return;
        const int row = appendRow();
        writeCell(1, row, f.number);
        writeCell(2, row, f.pen);
        writeCell(3, row, f.ranch);
        bool any = false;
        for (int i = 0; i < 4; ++i) {
            const daily::DayCell cell = list.cell(due, days[size_t(i)]);
            writeCell(4 + i, row, cell.text, cell.bold);
            any = any || !cell.text.isEmpty();
        }
        if (!any && list.takeBackEmptyRows) takeBackRow();
    };
    const QueryResult result = runListQuery(lq);
    if (result == QueryResult::NotRun) return;
    // Records without a date never reach the list; the farmer is told how many, once a query.
    int skipped = 0;
    if (result != QueryResult::Failed) {
        try {
            skipped = datelessCount(list.dateless);
        } catch (const DbError& e) {
            showPlainError(this, e);
        }
    }
    showSkipped(skipped);
}

int DailyWindow::datelessCount(int (*counter)())
{
    const ChangeStamp now = changeStamp();
    if (m_dateless.counter != counter || m_dateless.stamp != now) {
        m_dateless.count = counter();
        m_dateless.counter = counter;
        m_dateless.stamp = now;
    }
    return m_dateless.count;
}

void DailyWindow::showSkipped(int count)
{
    const QString note = daily::skippedNote(count);
    m_skipped->setText(note);
    m_skipped->setAccessibleName(note);
    m_skipped->setVisible(count > 0);
}

void DailyWindow::queryWithdrawal()
{
    const QDate now = today();
    m_withdrawalDay = now;
    showColumns(Columns::Withdrawal);
    setListName(kWithdrawalTitle);
    m_listedTitle = kWithdrawalTitle;
    m_listedDay = now;
    showSkipped(0);  // about breeding records only
    QList<daily::AnimalTreatment> treatments;
    ListQuery lq;
    lq.waitText = QStringLiteral("휴약중개체를 조회중 입니다. 잠시만 기다려 주세요.");
    lq.sql = daily::withdrawalSql();
    lq.binds = {datenum::fromDate(now)};
    lq.eachRecord = [&treatments](const QSqlQuery& q) {
        treatments << daily::AnimalTreatment{NullTrim(q.value(0)), NullTrim(q.value(1)), NullTrim(q.value(2)),
                                             withdrawal::treatmentAt(q, 3)};
    };
    // One row per animal, by the end of its last withdrawal: known only after every record.
    lq.afterRecords = [this, &treatments, now] {
        for (const daily::WithdrawalRow& r : daily::withdrawalRows(treatments, now)) {
            const int row = appendRow();
            writeCell(1, row, r.number);
            writeCell(2, row, r.pen);
            writeCell(3, row, r.ranch);
            writeCell(4, row, r.period.treatment);
            writeCell(5, row, formatDate(r.period.end, QStringLiteral("yyyy-mm-dd")));
            const daily::DayCell left = daily::withdrawalLeftCell(r.period.end, now);
            writeCell(6, row, left.text, left.bold);
        }
    };
    runListQuery(lq);
}

void DailyWindow::print()
{
    printList(*this, printSpec());
}

ListPrint DailyWindow::printSpec() const
{
    if (m_withdrawal->isChecked()) return withdrawalPrintSpec();
    if (m_vaccination->isChecked()) return vaccinationPrintSpec();
    const bool reestrus = m_reestrus->isChecked();
    const QString title = reestrus ? kReestrusTitle : kCalvingTitle;
    ListPrint p;
    p.nothingMessage = QStringLiteral("출력할 개체정보가 존재하지 않습니다.");
    p.question = reestrus ? QStringLiteral("재발정예정 개체일람을 출력 하시겠습니까?")
                          : QStringLiteral("출산예정 개체일람을 출력 하시겠습니까?");
    p.reportFile = QStringLiteral("일일관리.rpt");
    p.previewTitle = title;
    p.workTable = QStringLiteral("일일관리");
    p.columns = kColumns;
    p.formulas = [title] {
        // The day texts of the moment of printing, not those of the headers.
        const auto days = daily::dueDays(today());
        report::Formulas f{{QStringLiteral("타이틀"), title}};
        f.add(daily::dayFormulas(days));
        return f;
    };
    return p;
}

ListPrint DailyWindow::withdrawalPrintSpec() const
{
    ListPrint p;
    p.nothingMessage = QStringLiteral("출력할 개체정보가 존재하지 않습니다.");
    p.question = QStringLiteral("휴약중 개체일람을 출력 하시겠습니까?");
    p.reportFile = QStringLiteral("휴약중개체.rpt");
    p.previewTitle = kWithdrawalTitle;
    p.workTable = QStringLiteral("일일관리");
    p.columns = kWithdrawalColumns;
    // The work table has the seven columns of the due lists; the last marks the rows whose days
    // left are bold on the screen, for the report to print them bold too.
    p.listRow = [](const ListWindow& list, int row) {
        return daily::withdrawalTableRow(list.shownCells(row, kWithdrawalColumns),
                                         list.shownBold(row, kDaysLeftColumn));
    };
    // The days left were counted on the day of the query, which the report names.
    p.formulas = [day = m_withdrawalDay] {
        return report::Formulas{{QStringLiteral("타이틀"), kWithdrawalTitle},
                                {QStringLiteral("기준일"), formatDate(day, QStringLiteral("yyyy년 mm월 dd일"))}};
    };
    return p;
}

void DailyWindow::showVaccinationControls(bool shown)
{
    m_dueDays->setVisible(shown);
    m_recordDose->setVisible(shown);
    m_programs->setVisible(shown);
}

void DailyWindow::queryVaccinations()
{
    const QDate now = today();
    showColumns(Columns::Vaccination);
    setListName(vaccination::dueListTitle());
    m_listedTitle = vaccination::dueListTitle();
    m_listedDay = now;
    showSkipped(0);  // about breeding records only
    const int days = m_dueDays->value();
    runQueryWork(QStringLiteral("예방접종 예정 개체를 조회중 입니다. 잠시만 기다려 주세요."), [this, now, days] {
        clearRows();
        m_dueRows.clear();
        m_dueRowsDays = days;
        QList<vaccination::DueRow> due = vaccination::loadDueList(now, days);
        QList<QStringList> rows;
        rows.reserve(due.size());
        for (const vaccination::DueRow& r : std::as_const(due)) rows << vaccination::dueCells(r);
        appendRows(std::move(rows), {});
        m_dueRows = std::move(due);
        for (int row = 1; row <= m_dueRows.size(); ++row) {
            if (m_dueRows[row - 1].daysOverdue <= 0) continue;
            grid()->setRow(row);
            grid()->setCol(kOverdueColumn);
            grid()->setFontBold(true);
            grid()->setCellForeColor(kOverdueColumn, row, kOverdueColor);
        }
        if (!m_dueRows.isEmpty()) grid()->setSelection(1, 1, grid()->maxCols(), 1);
    });
}

void DailyWindow::recordDose()
{
    if (!m_vaccination->isChecked() || isQuerying()) return;
    QStringList animals;
    QString program;
    for (int row : grid()->checkedRows()) {
        if (row > m_dueRows.size()) continue;
        animals << m_dueRows[row - 1].number;
        if (program.isEmpty()) program = m_dueRows[row - 1].program;
    }
    if (animals.isEmpty()) {
        showMessage(this, MsgIcon::Information, QStringLiteral("접종 기록"),
                    QStringLiteral("접종을 기록할 개체를 목록에서 체크해 주세요."));
        return;
    }
    QList<vaccination::VaccinationProgram> programs;
    try {
        programs = vaccination::loadPrograms();
    } catch (const DbError& e) {
        showPlainError(this, e);
        return;
    }
    GroupDoseDialog dialog(this, programs, animals, program);
    if (dialog.exec() != QDialog::Accepted) return;
    showMessage(this, MsgIcon::Information, QStringLiteral("접종 기록"),
                QStringLiteral("%1마리의 접종을 기록했습니다.").arg(dialog.storedCount()));
    queryVaccinations();
}

void DailyWindow::openPrograms()
{
    openVaccinationPrograms(this);
    if (m_vaccination->isChecked()) queryVaccinations();
}

ListPrint DailyWindow::vaccinationPrintSpec() const
{
    ListPrint p;
    p.nothingMessage = QStringLiteral("출력할 개체정보가 존재하지 않습니다.");
    p.question = QStringLiteral("%1 목록을 출력 하시겠습니까?").arg(vaccination::dueListTitle());
    p.reportFile = QStringLiteral("예방접종예정.rpt");
    p.previewTitle = vaccination::dueListTitle();
    p.workTable = QStringLiteral("예방접종워크");
    p.columns = kOverdueColumn;
    // The overdue days were counted on the day of the query, up to the days ahead then set.
    p.formulas = [day = m_listedDay, days = m_dueRowsDays] {
        return report::Formulas{
            {QStringLiteral("타이틀"), vaccination::dueListTitle()},
            {QStringLiteral("기준일"), formatDate(day, QStringLiteral("yyyy년 mm월 dd일"))},
            {QStringLiteral("조회범위"), QStringLiteral("앞으로 %1일 (%2까지)")
                                             .arg(days)
                                             .arg(formatDate(day.addDays(days), QStringLiteral("yyyy-mm-dd")))}};
    };
    return p;
}
