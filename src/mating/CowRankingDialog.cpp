#include "mating/CowRankingDialog.h"

#include "data/Clock.h"
#include "data/Globals.h"
#include "kit/Accessibility.h"
#include "kit/ColumnFit.h"
#include "kit/CommandButton.h"
#include "kit/Grid.h"
#include "kit/GridExport.h"
#include "kit/NoteLabel.h"
#include "kit/WindowKeys.h"
#include "kit/WindowUtil.h"
#include "mating/MatingMarks.h"
#include "mating/model/PlanRows.h"
#include "sheets/model/RowOrder.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace mating;

CowRankingDialog::CowRankingDialog(const MatingData& data, const StrawsLeft& straws, const CowPlan& plan,
                                   QWidget* parent)
    : QDialog(parent), m_cow(plan.cow.number), m_summaryText(cowSummary(plan))
{
    setObjectName(QStringLiteral("frm교배순위"));
    setWindowTitle(QStringLiteral("교배 순위 - %1").arg(m_cow));
    setModal(true);

    m_summary = noteLabel(QStringLiteral("lblCow"), m_summaryText, this);
    m_summary->setWordWrap(true);

    m_grid = new Grid(this);
    nameControl(m_grid, QStringLiteral("grdRanking"), QStringLiteral("%1의 씨수소 순위").arg(m_cow));
    const QStringList columns = rankingColumns();
    m_kinds = QList<CellKind>(columns.size(), CellKind::Number);
    for (int c : {kRankingKpnColumn, 3, 5, int(columns.size())}) m_kinds[c - 1] = CellKind::Text;
    m_grid->setHeaders(columns);
    m_grid->setColumnKinds(m_kinds);
    fitColumns(m_grid, {}, {.cellAir = 8, .twoLineHeaders = true});
    QHeaderView* header = m_grid->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    connect(header, &QHeaderView::sectionClicked, this, [this](int logical) { sortBy(logical + 1); });
    setExportName(m_grid, [this] { return QStringLiteral("교배 순위 %1").arg(m_cow); });

    QHash<QString, QString> kinds;
    for (const Bull& b : data.bulls) kinds.insert(b.kpn, b.kind);
    const std::vector<BullChoice> ranking = rankBulls(data, m_cow, straws);
    int rank = 0;
    for (const BullChoice& c : ranking) {
        m_rows << rankingRow(++rank, c, kinds.value(c.kpn), straws, data.settings);
        m_bands.push_back(c.band);
        m_excluded.push_back(c.inbreeding >= std::min(data.settings.inbreedingLimit, kNeverFrom));
    }
    std::vector<qsizetype> order(size_t(m_rows.size()));
    for (qsizetype i = 0; i < m_rows.size(); ++i) order[size_t(i)] = i;
    show(order);

    m_print = commandButton(QStringLiteral("cmdPrint"), QStringLiteral("인 쇄"), this);
    connect(m_print, &QPushButton::clicked, this, [this] { runPrintSequence(printRequest()); });
    m_save = commandButton(QStringLiteral("cmdSave"), QStringLiteral("엑셀저장"), this);
    attachGridExportMenu(m_save, m_grid);
    QPushButton* close = commandButton(QStringLiteral("cmdClose"), QStringLiteral("닫 기"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_print);
    buttons->addWidget(m_save);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* all = new QVBoxLayout(this);
    all->addWidget(m_summary);
    all->addWidget(m_grid, 1);
    all->addWidget(markLegend(this));
    all->addLayout(buttons);
    new WindowKeys(this);
    openAtSize(this, QSize(1220, 640));
}

void CowRankingDialog::show(const std::vector<qsizetype>& order)
{
    QList<QStringList> rows;
    QList<QColor> colors;
    for (qsizetype i : order) {
        rows << m_rows[i];
        colors << (m_excluded[size_t(i)] ? excludedColor() : QColor());
    }
    m_grid->setMaxRows(0);
    m_grid->appendRows(std::move(rows), colors);
    for (size_t r = 0; r < order.size(); ++r)
        markInbreeding(m_grid, kRankingInbreedingColumn, int(r) + 1, m_bands[size_t(order[r])]);
    m_grid->fitToContents();
    if (!order.empty()) m_grid->setActiveCell(1, 1);
}

void CowRankingDialog::sortBy(int column)
{
    if (column < 1 || column > m_kinds.size()) return;
    if (m_sortColumn == column) {
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        m_sortColumn = column;
        // The rank and the inbreeding smallest first, the other figures largest first.
        const bool smallFirst = column == 1 || column == kRankingInbreedingColumn;
        m_sortOrder = m_kinds[column - 1] == CellKind::Number && !smallFirst ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
    show(sortedRowOrder(m_rows, m_rows.size(), column, m_kinds[column - 1], m_sortOrder));
    QHeaderView* header = m_grid->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column - 1, m_sortOrder);
}

PrintRequest CowRankingDialog::printRequest() const
{
    PrintRequest r;
    r.window = const_cast<CowRankingDialog*>(this);
    r.nothingToPrint = m_rows.isEmpty();
    r.nothingMessage = QStringLiteral("출력할 씨수소가 없습니다. 씨수소 목록에 씨수소를 먼저 등록해 주세요.");
    r.question = QStringLiteral("%1의 교배 순위를 출력 하시겠습니까?").arg(m_cow);
    r.reportFile = QStringLiteral("교배순위.rpt");
    r.previewTitle = QStringLiteral("교배 순위 - %1").arg(m_cow);
    r.workTable = planWorkTable();
    // The rows as the list shows them now, sorted or not.
    QList<QVariantList> rows;
    for (int row = 1; row <= m_grid->maxRows(); ++row) {
        QVariantList cells;
        for (const QString& cell : m_grid->rowTexts(row)) cells << cell;
        cells.resize(kPlanPrintColumns);
        cells[kPlanPrintColumns - 1] =
            m_grid->cellBackground(kRankingInbreedingColumn, row).isValid() ? QStringLiteral("1") : QString();
        rows << cells;
    }
    r.rows = [rows] { return rows; };
    r.formulas = [summary = m_summaryText, cow = m_cow] {
        report::Formulas f;
        f.set(QStringLiteral("농장명"), farmHeader().name);
        f.set(QStringLiteral("개체번호"), cow);
        f.set(QStringLiteral("개체요약"), summary);
        f.set(QStringLiteral("기준일"), today().toString(QStringLiteral("yyyy-MM-dd")));
        return f;
    };
    return r;
}
