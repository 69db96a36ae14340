#include "mating/SemenStockWindow.h"

#include "data/Db.h"
#include "kit/CaptionPanel.h"
#include "kit/CatalogueControls.h"
#include "kit/DbMessages.h"
#include "kit/Grid.h"
#include "kit/Messages.h"
#include "kit/WindowKeys.h"
#include "mating/MatingWindows.h"
#include "mating/SemenEntryDialog.h"
#include "mating/model/CatalogueRows.h"
#include "mating/model/Kpn.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace {
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
    m_stock = catalogueGrid(this, QStringLiteral("grdStock"), QStringLiteral("씨수소별 정액 재고"), stockColumns(),
                            {K::Text, K::Date, K::Number, K::Number, K::Number, K::Number});
    layout->addWidget(m_stock, 1);
    layout->addWidget(captionPanel(QStringLiteral("lbl기록"), QStringLiteral("입고·조정 기록"),
                                   CaptionLook{.height = 26, .tinted = true}, this));
    m_entries = catalogueGrid(this, QStringLiteral("grdEntries"), QStringLiteral("정액 입고·조정 기록"),
                              semenEntryColumns(), {K::Date, K::Text, K::Text, K::Number, K::Number, K::Text, K::Text});
    layout->addWidget(m_entries, 2);

    const auto buttons =
        commandRow(this, layout,
                   {{{QStringLiteral("cmdReceipt"), QStringLiteral("입 고"), [this] { addReceipt(); }},
                     {QStringLiteral("cmdAdjust"), QStringLiteral("조정(폐기·이동)"), [this] { addAdjustment(); }},
                     {QStringLiteral("cmdDelete"), QStringLiteral("삭 제"), [this] { deleteEntry(); }}}});
    m_receipt = buttons[0];
    m_adjust = buttons[1];
    m_delete = buttons[2];

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
    fillGrid(m_stock, std::move(stockRows), m_kpns.isEmpty() ? 0 : 1);

    QList<QStringList> entryRows;
    m_rowIds.clear();
    for (const SemenEntry& e : entries) {
        entryRows << semenEntryRow(e);
        m_rowIds.push_back(e.rowId);
    }
    fillGrid(m_entries, std::move(entryRows), m_rowIds.empty() ? 0 : 1);
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
