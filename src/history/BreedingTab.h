#pragma once
// The cow form's first tab: the cow's breeding records (grid SS1) with new/change/delete.
#include <QString>
#include <QWidget>

class Grid;

class BreedingTab : public QWidget {
    Q_OBJECT
public:
    explicit BreedingTab(QWidget* parent = nullptr);

    // Empties the grid and reloads the records of `animalNumber` ordered by 수정일,
    // selecting row 1. The tab remembers the number for its entry dialog.
    void ReflashData1(const QString& animalNumber);

    Grid* SS1 = nullptr;
    long lss1RowCount = 0;
};
