#include "kit/CatalogueControls.h"

#include "kit/Accessibility.h"
#include "kit/CommandButton.h"
#include "kit/Grid.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

Grid* catalogueGrid(QWidget* parent, const QString& name, const QString& heard, const QStringList& columns,
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

void fillGrid(Grid* grid, QList<QStringList>&& rows, int active)
{
    grid->setMaxRows(0);
    grid->appendRows(std::move(rows));
    grid->fitToContents();
    if (active > 0) grid->setActiveCell(1, active);
}

std::array<QPushButton*, 3> commandRow(QDialog* window, QVBoxLayout* layout, const std::array<Command, 3>& commands)
{
    auto* row = new QHBoxLayout;
    std::array<QPushButton*, 3> buttons{};
    for (size_t i = 0; i < commands.size(); ++i) {
        buttons[i] = commandButton(commands[i].name, commands[i].caption, window);
        QObject::connect(buttons[i], &QPushButton::clicked, window, commands[i].run);
        row->addWidget(buttons[i]);
    }
    row->addStretch(1);
    QPushButton* close = commandButton(QStringLiteral("cmdClose"), QStringLiteral("닫 기"), window);
    row->addWidget(close);
    layout->addLayout(row);
    QObject::connect(close, &QPushButton::clicked, window, &QDialog::accept);
    return buttons;
}
