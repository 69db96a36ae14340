#pragma once
// How the plan and the ranking mark a calf's inbreeding: an amber cell from 6.25 %, red text for
// a bull never recommended, and the line under the list that says so in words.
#include "mating/model/MatingPlan.h"

#include <QColor>

class Grid;
class QLabel;
class QWidget;

QColor amberColor();
QColor excludedColor();
// Gives cell (col, row) the amber mark when `band` is Amber or Never, the grid's own otherwise.
void markInbreeding(Grid* grid, int col, int row, mating::InbreedingBand band);
// "lblMarks": what the colours mean.
QLabel* markLegend(QWidget* parent);
