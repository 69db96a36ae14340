#pragma once
// The cow form's first tab: the cow's breeding records (grid SS1) with new/change/delete.
#include "history/HistoryTab.h"

#include <QString>

class Grid;

class BreedingTab : public HistoryTab {
    Q_OBJECT
public:
    explicit BreedingTab(QWidget* parent = nullptr);

    // Empties the grid and reloads the records of `animalNumber` ordered by 수정일,
    // selecting row 1. The tab remembers the number for its entry dialog.
    void ReflashData1(const QString& animalNumber) { reload(animalNumber); }

    long& rowCount() override { return lss1RowCount; }

    Grid* SS1 = nullptr;
    long lss1RowCount = 0;

protected:
    BoundStatement loadQuery(const QString& animal) const override;
    QStringList rowTexts(const QSqlRecord& record) const override;
    BoundStatement deleteStatement(const QString& animal, qint64 date) const override;
    HistoryEntryDialog* createDialog() override;
};
