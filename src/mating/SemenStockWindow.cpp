#include "mating/SemenStockWindow.h"

#include "data/Db.h"
#include "kit/Accessibility.h"
#include "kit/CaptionPanel.h"
#include "kit/CommandButton.h"
#include "kit/DbMessages.h"
#include "kit/Grid.h"
#include "kit/Messages.h"
#include "kit/WindowKeys.h"
#include "mating/MatingWindows.h"
#include "mating/SemenEntryDialog.h"
#include "mating/model/CatalogueRows.h"
#include "mating/model/Kpn.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
Grid* listGrid(QWidget* parent, const QString& name, const QString& heard, const QStringList& columns,
               const QList<CellKind>& kinds)
{
    auto* g = new Grid(parent);
    nameControl(g, name, heard);
    g->setHeaders(columns);
    g->setColumnKinds(kinds);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    return g;
}

using K = CellKind;
}  // namespace

SemenStockWindow::SemenStockWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm정액재고"));
    setWindowTitle(QStringLiteral("정액 재고"));
    setModal(true);
    resize(900, 640);
    auto* layout = new QVBoxLayout(this);

    layout->addWidget(captionPanel(QStringLiteral("lbl재고"), QStringLiteral("씨수소별 재고 (입고 기록이 있는 씨수소)"),
                                   CaptionLook{.height = 26, .tinted = true}, this));
    m_stock = listGrid(this, QStringLiteral("grdStock"), QStringLiteral("씨수소별 정액 재고"), stockColumns(),
                       {K::Text, K::Date, K::Number, K::Number, K::Number, K::Number});
    layout->addWidget(m_stock, 1);
    layout->addWidget(captionPanel(QStringLiteral("lbl기록"), QStringLiteral("입고·조정 기록"),
                                   CaptionLook{.height = 26, .tinted = true}, this));
    m_entries = listGrid(this, QStringLiteral("grdEntries"), QStringLiteral("정액 입고·조정 기록"), semenEntryColumns(),
                         {K::Date, K::Text, K::Text, K::Number, K::Number, K::Text, K::Text});
    layout->addWidget(m_entries, 2);

    auto* commands = new QHBoxLayout;
    m_receipt = commandButton(QStringLiteral("cmdReceipt"), QStringLiteral("입 고"), this);
    m_adjust = commandButton(QStringLiteral("cmdAdjust"), QStringLiteral("조정(폐기·이동)"), this);
    m_delete = commandButton(QStringLiteral("cmdDelete"), QStringLiteral("삭 제"), this);
    QPushButton* close = commandButton(QStringLiteral("cmdClose"), QStringLiteral("닫 기"), this);
    for (QPushButton* b : {m_receipt, m_adjust, m_delete}) commands->addWidget(b);
    commands->addStretch(1);
    commands->addWidget(close);
    layout->addLayout(commands);

    connect(m_receipt, &QPushButton::clicked, this, [this] { addReceipt(); });
    connect(m_adjust, &QPushButton::clicked, this, [this] { addAdjustment(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteEntry(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    new WindowKeys(this);
    reload();
}

void SemenStockWindow::reload()
{
    std::map<QString, BullStock> stock;
    std::vector<SemenEntry> entries;
    try {
        stock = semenStock();
        entries = loadSemenEntries();
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
    // By KPN number as the catalogue lists them: 950 before 1105.
    m_kpns.clear();
    for (const auto& entry : stock) m_kpns << entry.first;
    std::sort(m_kpns.begin(), m_kpns.end(),
              [](const QString& a, const QString& b) { return a.size() != b.size() ? a.size() < b.size() : a < b; });
    QList<QStringList> stockRows;
    for (const QString& kpn : m_kpns) stockRows << stockRow(stock.at(kpn));
    m_stock->setMaxRows(0);
    m_stock->appendRows(std::move(stockRows));
    m_stock->fitToContents();
    if (!m_kpns.isEmpty()) m_stock->setActiveCell(1, 1);

    QList<QStringList> entryRows;
    m_rowIds.clear();
    for (const SemenEntry& e : entries) {
        entryRows << semenEntryRow(e);
        m_rowIds.push_back(e.rowId);
    }
    m_entries->setMaxRows(0);
    m_entries->appendRows(std::move(entryRows));
    m_entries->fitToContents();
    if (!m_rowIds.empty()) m_entries->setActiveCell(1, 1);
    m_adjust->setEnabled(!m_kpns.isEmpty());
    m_delete->setEnabled(!m_rowIds.empty());
}

QString SemenStockWindow::selectedKpn() const
{
    const int row = m_stock->activeRow();
    return row >= 1 && row <= m_kpns.size() ? m_kpns[row - 1] : QString();
}

void SemenStockWindow::addReceipt()
{
    SemenEntryDialog dialog(this, true);
    if (dialog.exec() == QDialog::Accepted) reload();
}

void SemenStockWindow::addAdjustment()
{
    SemenEntryDialog dialog(this, false, selectedKpn());
    if (dialog.exec() == QDialog::Accepted) reload();
}

void SemenStockWindow::deleteEntry()
{
    const int row = m_entries->activeRow();
    if (row < 1 || row > int(m_rowIds.size())) return;
    const QString what = QStringLiteral("%1 %2 %3 %4스트로")
                             .arg(m_entries->cellText(1, row), m_entries->cellText(2, row), m_entries->cellText(3, row),
                                  m_entries->cellText(4, row));
    if (showMessage(this, MsgIcon::Question, QStringLiteral("삭제"),
                    QStringLiteral("%1 기록을 삭제하시겠습니까?").arg(what), MsgButton::Yes | MsgButton::No,
                    MsgButton::No) != MsgButton::Yes)
        return;
    try {
        if (const std::optional<SemenProblem> p = deleteSemenEntry(m_rowIds[size_t(row - 1)])) {
            showMessage(this, MsgIcon::Information, QStringLiteral("삭제 불가"), p->message);
            return;
        }
    } catch (const DbError& e) {
        showPlainError(this, e);
        return;
    }
    reload();
}

void openSemenStock(QWidget* parent)
{
    SemenStockWindow window(parent);
    window.exec();
}
