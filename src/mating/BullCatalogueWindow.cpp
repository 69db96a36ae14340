#include "mating/BullCatalogueWindow.h"

#include "data/Db.h"
#include "kit/CatalogueControls.h"
#include "kit/DbMessages.h"
#include "kit/Grid.h"
#include "kit/Messages.h"
#include "kit/WindowKeys.h"
#include "mating/BullEntryDialog.h"
#include "mating/MatingWindows.h"
#include "mating/model/BullCatalogue.h"
#include "mating/model/CatalogueRows.h"
#include "mating/model/Kpn.h"

#include <QPushButton>
#include <QVBoxLayout>

BullCatalogueWindow::BullCatalogueWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm씨수소목록"));
    setWindowTitle(QStringLiteral("씨수소 목록"));
    setModal(true);
    resize(1100, 560);
    auto* layout = new QVBoxLayout(this);

    const QStringList columns = bullColumns();
    QList<CellKind> kinds(columns.size(), CellKind::Number);
    for (int c : {0, 1, 2, 3, 9}) kinds[c] = CellKind::Text;
    m_grid = catalogueGrid(this, QStringLiteral("grdBulls"), QStringLiteral("씨수소 목록"), columns, kinds);
    layout->addWidget(m_grid, 1);
    const auto buttons =
        commandRow(this, layout,
                   {{{QStringLiteral("cmdAdd"), QStringLiteral("추 가"), [this] { addBull(); }},
                     {QStringLiteral("cmdChange"), QStringLiteral("수 정"), [this] { changeBull(); }},
                     {QStringLiteral("cmdDelete"), QStringLiteral("삭 제"), [this] { deleteBull(); }}}});
    m_add = buttons[0];
    m_change = buttons[1];
    m_delete = buttons[2];

    connect(m_grid, &Grid::dblClick, this, [this](int, int row) {
        if (row >= 1) changeBull();
    });
    new WindowKeys(this);
    reload();
}

void BullCatalogueWindow::reload(const QString& kpn)
{
    std::vector<Bull> bulls;
    std::map<QString, BullStock> stock;
    try {
        bulls = loadBulls();
        stock = semenStock();
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
    m_kpns.clear();
    QList<QStringList> rows;
    int active = bulls.empty() ? 0 : 1;
    for (const Bull& b : bulls) {
        rows << bullRow(b, stock);
        m_kpns << b.kpn;
        if (b.kpn == kpn) active = int(m_kpns.size());
    }
    fillGrid(m_grid, std::move(rows), active);
    m_change->setEnabled(!bulls.empty());
    m_delete->setEnabled(!bulls.empty());
}

QString BullCatalogueWindow::selectedKpn() const
{
    const int row = m_grid->activeRow();
    return row >= 1 && row <= m_kpns.size() ? m_kpns[row - 1] : QString();
}

void BullCatalogueWindow::addBull()
{
    BullEntryDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) reload(dialog.savedKpn());
}

void BullCatalogueWindow::changeBull()
{
    const QString kpn = selectedKpn();
    if (kpn.isEmpty()) return;
    std::optional<Bull> stored;
    try {
        stored = findBull(kpn);
    } catch (const DbError& e) {
        showPlainError(this, e);
        return;
    }
    if (!stored) {
        reload();
        return;
    }
    BullEntryDialog dialog(this, stored);
    if (dialog.exec() == QDialog::Accepted) reload(dialog.savedKpn());
}

void BullCatalogueWindow::deleteBull()
{
    const QString kpn = selectedKpn();
    if (kpn.isEmpty()) return;
    if (showMessage(this, MsgIcon::Question, QStringLiteral("삭제"),
                    QStringLiteral("%1을(를) 씨수소 목록에서 삭제하시겠습니까?").arg(kpn::shown(kpn)),
                    MsgButton::Yes | MsgButton::No, MsgButton::No) != MsgButton::Yes)
        return;
    try {
        ::deleteBull(kpn);
    } catch (const DbError& e) {
        showPlainError(this, e);
        return;
    }
    reload();
}

void openBullCatalogue(QWidget* parent)
{
    BullCatalogueWindow window(parent);
    window.exec();
}
