#pragma once
// A history tab of the record forms: one animal's dated records in a grid, with 신규등록 /
// 수 정 / 삭 제 under it (double-click = 수 정) and fixed notes beside it. Everything particular
// to a history comes from its HistoryDefinition; the tab owns the grid's row count, and its
// entry dialog writes the stored record back into the grid.
#include "history/HistoryPage.h"
#include "history/model/HistoryDefinition.h"

#include <QDate>

class Grid;
class QPushButton;
class QVBoxLayout;

class HistoryTab : public HistoryPage {
    Q_OBJECT
public:
    // The definition must outlive the tab.
    explicit HistoryTab(const HistoryDefinition& definition, QWidget* parent = nullptr);

    const HistoryDefinition& definition() const { return m_def; }
    Grid* grid() const { return m_grid; }
    // Rows in the grid (lssNRowCount): set by every reload, raised by every new record stored.
    long rowCount() const { return m_rows; }

    // Empties the grid and loads the animal's records, selecting row 1.
    void reload(const QString& number) override;

    // The three commands (also reachable through the buttons and a double-click).
    void insertRecord();
    void changeRecord();
    void deleteRecord();

    // ---- for the entry dialog ----
    // True when a row (1..rowCount, up to the first empty key cell) shows `date`.
    bool showsDate(const QDate& date) const;
    // Appends a row (raising the row count), makes it current and selects it; returns it.
    int appendRow();
    // Writes texts into columns 1.. of `row`.
    void writeRow(int row, const QStringList& texts);
    // The grid's current row (the row a change command set).
    int currentRow() const;

    // A widget shown under the grid (for example a chart of the rows), so that the grid keeps
    // the tab's whole width for its columns; the tab takes it over.
    void setWidgetBelow(QWidget* below);

signals:
    // The grid's rows were reloaded, or the entry dialog wrote one (a new or changed record).
    void rowsChanged();

private:
    void openDialog(const QString& key);
    // The active row's date, or an invalid date after telling the user why not.
    QDate activeRowDate(int row, const QString& action);

    const HistoryDefinition& m_def;
    long m_rows = 0;
    Grid* m_grid = nullptr;
    QVBoxLayout* m_top = nullptr;  // the grid and the widget under it
    bool m_loading = false;        // a reload writes its rows: one rowsChanged at its end
};
