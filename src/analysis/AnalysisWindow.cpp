#include "analysis/AnalysisWindow.h"

#include "analysis/AnalysisCharts.h"
#include "analysis/TargetsDialog.h"
#include "data/Clock.h"
#include "data/Globals.h"
#include "data/Values.h"
#include "kit/Accessibility.h"
#include "kit/ColumnFit.h"
#include "kit/CommandButton.h"
#include "kit/DateEdit.h"
#include "kit/DbMessages.h"
#include "kit/GridExport.h"
#include "kit/Messages.h"
#include "kit/NoteLabel.h"
#include "kit/Styles.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace analysis;

namespace {
constexpr int kConditionsHeightPx = 66;
const QString kWorkTable = QStringLiteral("성적분석워크");
// A note that asks for the farmer's attention: the colour of a missed target.
const QString kWarningNoteStyle = QStringLiteral("color: rgb(192, 38, 45);");
const QString kSortNote = QStringLiteral(
    "열 머리를 누르면 그 열로 정렬합니다. 등급 비율은 등급을 읽을 수 있는 두수에 대한 비율이고, 읽을 수 없는 등급은 "
    "기타로 셉니다.");

// The widths a filled table needs: every cell whole, long headers on two lines.
void fitTable(Grid* g)
{
    fitColumns(g, {}, {.cellAir = 10, .twoLineHeaders = true});
    g->fitToContents();
}

// A group box's title: the table's name, and for a list how many lines it holds.
QString boxTitle(const ShownTable& t)
{
    switch (t.id) {
    case TableId::Pending:
    case TableId::Abortions:
    case TableId::ToCheck: return QStringLiteral("%1 (%2건)").arg(t.name).arg(t.rows.size());
    case TableId::OtherGrades: return QStringLiteral("%1 (%2두)").arg(t.name).arg(t.rows.size());
    default: return t.name;
    }
}
}  // namespace

AnalysisWindow::AnalysisWindow(QWidget* parent)
    : ListWindow(QStringLiteral("frm성적분석"), QStringLiteral("성적분석"), QStringLiteral("인쇄"), parent),
      m_period(QStringLiteral("분석기간"), conditionHost())
{
    buildConditions();
    placeConditionsAbove(kConditionsHeightPx);
    setBarHeight(48);
    buildTabs();
    // 엑셀저장 saves every table at once, not the frame's one list.
    QPushButton* save = functionButton(ListButton::Save);
    if (QMenu* menu = save->menu()) {
        save->setMenu(nullptr);
        menu->deleteLater();
    }
    connect(save, &QPushButton::clicked, this, [this] { saveWorkbook(); });
    resize(1240, 760);

    // Load: the connection, the period, the farm header and the targets; no query yet.
    m_targets = defaultTargets();
    if (!openConnection()) return;  // the program has ended
    const books::Period p = defaultPeriod(today());
    setPeriod(datenum::toDate(p.from), datenum::toDate(p.to));
    loadFarmHeader();
    try {
        m_targets = readTargets(&m_targetNotes);
        showTargetNotes();
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
}

void AnalysisWindow::buildConditions()
{
    QWidget* host = conditionHost();

    m_targetsButton = commandButton(QStringLiteral("cmdTargets"), QStringLiteral("목표"), host);
    m_targetsButton->setToolTip(QStringLiteral("번식성적의 목표를 바꿉니다"));
    connect(m_targetsButton, &QPushButton::clicked, this, [this] { editTargets(); });

    QLabel* note = noteLabel(
        QStringLiteral("Label2"),
        QStringLiteral("번식성적은 수정일·분만일이, 출하성적은 판정일이 기간 안에 든 기록으로 계산합니다."), host);

    auto* band = new QHBoxLayout(host);
    band->setContentsMargins(8, 4, 8, 0);
    band->setSpacing(16);
    band->addWidget(m_period.frame());
    band->addWidget(m_targetsButton, 0, Qt::AlignBottom);
    band->addWidget(note, 1, Qt::AlignBottom);

    setTabOrder(m_period.start(), m_period.end());
    setTabOrder(m_period.end(), m_targetsButton);
    tabToFrameAfter(m_targetsButton);
}

void AnalysisWindow::buildTabs()
{
    // The frame's single list stays hidden: this window shows its tables on tabs.
    grid()->hide();
    m_tabs = new QTabWidget(gridPanel());
    nameControl(m_tabs, QStringLiteral("tab성적분석"), QStringLiteral("성적분석"));
    auto* fill = new QVBoxLayout(gridPanel());
    fill->setContentsMargins(4, 4, 4, 4);
    fill->addWidget(m_tabs);
    m_tabs->addTab(buildFertilityPage(), QStringLiteral("번식성적"));
    m_tabs->addTab(buildShipmentPage(), QStringLiteral("출하성적"));
    // The columns show before the first query.
    std::vector<ShownTable> empty = fertilityTables(FertilityResult{}, defaultTargets());
    for (ShownTable& t : shipmentTables(ShipmentResult{})) empty.push_back(std::move(t));
    for (const ShownTable& t : empty)
        if (Grid* g = m_grids.value(t.id)) {
            g->setHeaders(t.headers);
            g->setColumnKinds(t.kinds);
            fitTable(g);
        }
    m_charts = new AnalysisCharts(m_tabs);
    m_tabs->addTab(m_charts, QStringLiteral("차트"));
    // The tab bar's own scroll arrows are heard in the window's language too.
    const QHash<QString, QString> arrows = {{QStringLiteral("ScrollLeftButton"), QStringLiteral("앞 탭 보기")},
                                            {QStringLiteral("ScrollRightButton"), QStringLiteral("뒤 탭 보기")}};
    for (QToolButton* arrow : m_tabs->tabBar()->findChildren<QToolButton*>())
        if (arrows.contains(arrow->objectName())) nameControl(arrow, arrow->objectName(), arrows[arrow->objectName()]);
    setTabOrder(functionButton(ListButton::Close), m_tabs);
}

QGroupBox* AnalysisWindow::tableBox(TableId id, const QString& name, const QString& heard, QWidget* parent)
{
    auto* box = new QGroupBox(heard, parent);
    nameControl(box, QStringLiteral("fra") + name, heard);
    auto* g = new Grid(box);
    nameControl(g, QStringLiteral("grd") + name, heard);
    g->setMaxRows(0);
    g->setMinimumHeight(Grid::kRowHeight * 3 + 30);
    // Its own save (the grid's right-click menu) names the table and the period it shows.
    setExportName(g, [this, heard] { return heard + u' ' + periodText(); });
    auto* l = new QVBoxLayout(box);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(g);
    m_grids.insert(id, g);
    m_boxes.insert(id, box);
    m_names.insert(id, heard);
    return box;
}

QWidget* AnalysisWindow::buildFertilityPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pg번식성적"));
    auto* figures = tableBox(TableId::Figures, QStringLiteral("번식성적"), QStringLiteral("번식성적"), page);
    m_grids[TableId::Figures]->setStretchColumn(1);  // the verdicts stay beside their figures
    m_targetsNote = noteLabel(QStringLiteral("lbl목표안내"), {}, figures);
    figures->layout()->addWidget(m_targetsNote);
    showTargetNotes();
    auto* conception = tableBox(TableId::Conception, QStringLiteral("수태율"), QStringLiteral("수태율"), page);
    m_embryoNote = noteLabel(QStringLiteral("lbl수정란이식"), {}, conception);
    conception->layout()->addWidget(m_embryoNote);
    auto* top = new QHBoxLayout;
    top->addWidget(figures, 5);
    top->addWidget(conception, 4);

    auto* middle = new QHBoxLayout;
    middle->addWidget(tableBox(TableId::BySemen, QStringLiteral("정액별"), QStringLiteral("정액별 수태율"), page), 1);
    middle->addWidget(
        tableBox(TableId::ByInseminator, QStringLiteral("인공수정자별"), QStringLiteral("인공수정자별 수태율"), page),
        1);
    middle->addWidget(tableBox(TableId::ByMonth, QStringLiteral("월별"), QStringLiteral("월별 수태율"), page), 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(tableBox(TableId::Pending, QStringLiteral("미확인"), QStringLiteral("결과 미확인 수정"), page),
                      3);
    bottom->addWidget(tableBox(TableId::Abortions, QStringLiteral("유산"), QStringLiteral("유산"), page), 2);
    auto* check = tableBox(TableId::ToCheck, QStringLiteral("확인"), QStringLiteral("확인할 기록"), page);
    m_checkNote = noteLabel(QStringLiteral("lbl확인할기록"), {}, check);
    m_checkNote->hide();
    check->layout()->addWidget(m_checkNote);
    bottom->addWidget(check, 3);

    auto* all = new QVBoxLayout(page);
    all->setContentsMargins(6, 6, 6, 6);
    all->addLayout(top, 5);
    all->addLayout(middle, 4);
    all->addLayout(bottom, 4);
    return page;
}

QWidget* AnalysisWindow::buildShipmentPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pg출하성적"));
    auto* bySire = tableBox(TableId::BySire, QStringLiteral("아비별"), QStringLiteral("아비별 출하성적"), page);
    m_leftOutNote = noteLabel(QStringLiteral("lbl미입력"), {}, bySire);
    m_leftOutNote->setText(kSortNote);
    bySire->layout()->addWidget(m_leftOutNote);
    // Each across the page: a line of the shipment tables holds nineteen columns.
    auto* all = new QVBoxLayout(page);
    all->setContentsMargins(6, 6, 6, 6);
    all->addWidget(bySire, 5);
    all->addWidget(tableBox(TableId::BySex, QStringLiteral("성별"), QStringLiteral("성별 출하성적"), page), 3);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(
        tableBox(TableId::ShipmentLeftOut, QStringLiteral("미입력"), QStringLiteral("출하 미입력 두수"), page), 3);
    bottom->addWidget(tableBox(TableId::OtherGrades, QStringLiteral("기타등급"), QStringLiteral("기타 등급"), page), 2);
    all->addLayout(bottom, 2);

    for (TableId id : {TableId::BySire, TableId::BySex}) {
        QHeaderView* header = m_grids[id]->horizontalHeader();
        header->setSectionsClickable(true);
        header->setSortIndicatorShown(false);
        connect(header, &QHeaderView::sectionClicked, this, [this, id](int logical) { sortBy(id, logical + 1); });
    }
    return page;
}

QString AnalysisWindow::periodText() const
{
    return m_period.listedText();
}

books::Period AnalysisWindow::period() const
{
    return books::periodOf(m_period.startDate(), m_period.endDate());
}

void AnalysisWindow::setPeriod(const QDate& start, const QDate& end)
{
    m_period.setPeriod(start, end);
}

void AnalysisWindow::query()
{
    if (!isConnected() || !isEnabled()) return;
    if (!typedDatesTaken(this)) return;
    const books::Period p = period();
    if (p.from > p.to) {
        showMessage(this, MsgIcon::Information, QStringLiteral("검색오류"),
                    QStringLiteral("시작날짜가 끝날짜보다 늦습니다. 기간을 다시 선택해 주세요."));
        return;
    }
    std::optional<HerdAnalysis> result;
    const auto read = [&result, &p] { result = loadHerdAnalysis(p, today()); };
    if (runQueryWork(QStringLiteral("번식성적과 출하성적을 분석하고 있습니다."), read) != QueryResult::Rows) return;
    m_result = std::move(result);
    m_period.markListed();
    showTables();
}

std::vector<ShownTable> AnalysisWindow::shownTables() const
{
    std::vector<ShownTable> tables;
    for (const ShownTable& t : m_shown) {
        const Sort s = m_sorts.value(t.id);
        tables.push_back(s.column > 0 ? sortedTable(t, s.column, s.order) : t);
    }
    return tables;
}

void AnalysisWindow::showTables()
{
    if (!m_result) return;
    m_shown.clear();
    for (ShownTable& t : fertilityTables(m_result->fertility, m_targets)) m_shown.insert(t.id, std::move(t));
    for (ShownTable& t : shipmentTables(m_result->shipment)) m_shown.insert(t.id, std::move(t));
    for (const ShownTable& t : shownTables()) {
        showTable(t);
        if (QGroupBox* box = m_boxes.value(t.id)) {
            box->setTitle(boxTitle(t));
            box->setAccessibleName(box->title());
        }
    }
    m_embryoNote->setText(embryoTransferNote(m_result->fertility));
    m_embryoNote->setAccessibleName(m_embryoNote->text());
    m_checkNote->setText(toCheckNote(m_result->fertility));
    m_checkNote->setAccessibleName(m_checkNote->text());
    m_checkNote->setVisible(!m_checkNote->text().isEmpty());
    const QString leftOut = shipmentLeftOutNote(m_result->shipment.total);
    m_leftOutNote->setText(kSortNote + (leftOut.isEmpty() ? QString() : QStringLiteral("\n") + leftOut));
    m_leftOutNote->setAccessibleName(m_leftOutNote->text());
    m_charts->showResult(*m_result, m_targets);
}

void AnalysisWindow::showTable(const ShownTable& t)
{
    Grid* g = m_grids.value(t.id);
    if (!g) return;  // the interval classes are the chart's
    g->setMaxRows(0);
    g->setHeaders(t.headers);
    g->setColumnKinds(t.kinds);
    QList<QStringList> rows = t.rows;
    QList<QColor> colors;
    for (QRgb c : t.colors) colors << (c ? QColor::fromRgb(c) : QColor());
    g->appendRows(std::move(rows), colors);
    for (int r = g->maxRows() - t.totalRows + 1; r <= g->maxRows(); ++r)
        for (int c = 1; c <= g->maxCols(); ++c) {
            g->setCol(c);
            g->setRow(r);
            g->setFontBold(true);
        }
    fitTable(g);
}

void AnalysisWindow::sortBy(TableId id, int column)
{
    if (!m_shown.contains(id)) return;
    Sort& s = m_sorts[id];
    if (s.column == column) {
        s.order = s.order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        s.column = column;
        // Figures largest first, as the head count is at the start; names from 가.
        s.order = m_shown[id].kinds.value(column - 1) == CellKind::Number ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
    showTable(sortedTable(m_shown[id], s.column, s.order));
    QHeaderView* header = m_grids[id]->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column - 1, s.order);
}

void AnalysisWindow::editTargets()
{
    TargetsDialog dialog(m_targets, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_targets = dialog.targets();
    m_targetNotes.clear();  // every target is now a stored one in its range
    showTargetNotes();
    showTables();
}

void AnalysisWindow::showTargetNotes()
{
    QString text = QStringLiteral(
                       "판정은 글자와 색으로 보입니다: 목표 달성(초록), 목표 미달(빨강), 자료 없음(회색). "
                       "분만간격의 조사 평균은 %1일입니다.")
                       .arg(kSurveyedCalvingInterval);
    if (!m_targetNotes.isEmpty())
        text += u'\n' + m_targetNotes.join(u' ') + QStringLiteral(" 목표 단추에서 다시 저장해 주세요.");
    m_targetsNote->setText(text);
    m_targetsNote->setAccessibleName(text);
    m_targetsNote->setStyleSheet(m_targetNotes.isEmpty() ? styles::note() : kWarningNoteStyle);
}

PrintRequest AnalysisWindow::printRequest()
{
    PrintRequest r;
    r.window = this;
    r.nothingToPrint = !hasResult();
    r.nothingMessage = QStringLiteral("출력할 성적분석이 없습니다. 먼저 조회해 주세요.");
    r.question = QStringLiteral("한우 성적분석을 출력 하시겠습니까?");
    r.reportFile = QStringLiteral("성적분석.rpt");
    r.previewTitle = QStringLiteral("한우 성적분석");
    r.workTable = kWorkTable;
    r.rows = [tables = shownTables()] { return printRows(tables); };
    const QString range = periodText().replace(u'~', QStringLiteral(" ~ "));
    r.formulas = [range] {
        report::Formulas f = books::farmNameFormula(farmHeader().name);
        f.set(QStringLiteral("기간"), range);
        return f;
    };
    return r;
}

void AnalysisWindow::print()
{
    runPrintSequence(printRequest());
}

QList<ExportTable> AnalysisWindow::exportTables() const
{
    QList<ExportTable> sheets;
    for (const ShownTable& t : shownTables()) {
        ExportTable e;
        e.title = t.name;
        e.farmName = farmHeader().name;
        e.period = QStringLiteral("기간 ") + periodText();
        e.date = today();
        e.headers = t.headers;
        e.rows = t.rows;
        e.rowColors = t.colors;
        e.kinds = t.kinds;
        sheets << e;
    }
    return sheets;
}

void AnalysisWindow::saveWorkbook()
{
    if (!hasResult()) {
        showMessage(this, MsgIcon::Critical, QStringLiteral("저장확인"),
                    QStringLiteral("저장할 내용이 없습니다. 먼저 성적을 조회해 주세요."));
        return;
    }
    saveTablesAs(this, QStringLiteral("성적분석 ") + periodText(), exportTables());
}
