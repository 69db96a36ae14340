#pragma once
// What the small catalogue windows share (bulls, the semen tank, the vaccination programs): a
// list grid of whole rows, one selected at a time, and the command row under it with 닫 기 at
// its right.
#include "sheets/model/CellKind.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class Grid;
class QDialog;
class QPushButton;
class QVBoxLayout;

// A grid named `name` for automation and heard as `heard`, with its headers and column kinds.
Grid* catalogueGrid(QWidget* parent, const QString& name, const QString& heard, const QStringList& columns,
                    const QList<CellKind>& kinds);

// Replaces the grid's rows with `rows` and makes row `active` (1-based; 0: none) the active row.
void fillGrid(Grid* grid, QList<QStringList>&& rows, int active);

// A command: its control name, its caption and what a click does.
struct Command {
    QString name;
    QString caption;
    std::function<void()> run;
};
// The three commands at the left of a row added to `layout`, and 닫 기 ("cmdClose") at its right,
// which closes `window`. Returns the three buttons.
std::array<QPushButton*, 3> commandRow(QDialog* window, QVBoxLayout* layout, const std::array<Command, 3>& commands);
