#include "mating/BullCatalogueWindow.h"

#include "data/Db.h"
#include "kit/Accessibility.h"
#include "kit/CommandButton.h"
#include "kit/DbMessages.h"
#include "kit/Grid.h"
#include "kit/Messages.h"
#include "kit/WindowKeys.h"
#include "mating/BullEntryDialog.h"
#include "mating/MatingWindows.h"
#include "mating/model/BullCatalogue.h"
#include "mating/model/CatalogueRows.h"
#include "mating/model/Kpn.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

BullCatalogueWindow::BullCatalogueWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm씨수소목록"));
    setWindowTitle(QStringLiteral("씨수소 목록"));
    setModal(true);
    resize(1100, 560);
    auto* layout = new QVBoxLayout(this);

    m_grid = new Grid(this);
    nameControl(m_grid, QStringLiteral("grdBulls"), QStringLiteral("씨수소 목록"));
    const QStringList columns = bullColumns();
    m_grid->setHeaders(columns);
    QList<CellKind> kinds(columns.size(), CellKind::Number);
    for (int c : {0, 1, 2, 3, 9}) kinds[c] = CellKind::Text;
    m_grid->setColumnKinds(kinds);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_grid, 1);

    auto* commands = new QHBoxLayout;
    m_add = commandButton(QStringLiteral("cmdAdd"), QStringLiteral("추 가"), this);
    m_change = commandButton(QStringLiteral("cmdChange"), QStringLiteral("수 정"), this);
    m_delete = commandButton(QStringLiteral("cmdDelete"), QStringLiteral("삭 제"), this);
    QPushButton* close = commandButton(QStringLiteral("cmdClose"), QStringLiteral("닫 기"), this);
    for (QPushButton* b : {m_add, m_change, m_delete}) commands->addWidget(b);
    commands->addStretch(1);
    commands->addWidget(close);
    layout->addLayout(commands);

    connect(m_add, &QPushButton::clicked, this, [this] { addBull(); });
    connect(m_change, &QPushButton::clicked, this, [this] { changeBull(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteBull(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
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
    m_grid->setMaxRows(0);
    m_kpns.clear();
    QList<QStringList> rows;
    int active = bulls.empty() ? 0 : 1;
    for (const Bull& b : bulls) {
        rows << bullRow(b, stock);
        m_kpns << b.kpn;
        if (b.kpn == kpn) active = int(m_kpns.size());
    }
    m_grid->appendRows(std::move(rows));
    m_grid->fitToContents();
    if (active > 0) m_grid->setActiveCell(1, active);
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
