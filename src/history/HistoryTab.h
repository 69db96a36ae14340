#pragma once
// A history tab of the record forms: the animal's dated records in a grid, with
// 신규등록 / 수 정 / 삭 제 under it (double-click = 수 정) and fixed notes beside it.
// A concrete tab supplies its layout, its queries and its entry dialog; the dialog
// writes the stored record back into this tab's grid.
#include "history/model/HistoryRules.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class Grid;
class HistoryEntryDialog;
class QPushButton;
class QSqlRecord;

class HistoryTab : public QWidget {
    Q_OBJECT
public:
    struct Layout {
        QString gridName;        // objectName of the grid, e.g. "SS1"
        QStringList headers;     // column headers, 1..n
        QList<int> columnChars;  // column widths in characters (optional, per column)
        int keyColumn = 1;       // the grid column showing the record's date
        QString insertName;      // "cmdInsertN"
        QString updateName;      // "cmdUpateN"
        QString deleteName;      // "cmdDeleteN"
        QStringList notes;       // fixed notes beside the grid
        QString deleteQuestion;  // asked before a delete (title "삭제")
    };

    HistoryTab(const Layout& layout, QWidget* parent = nullptr);

    // The animal whose records are shown; the dialogs store under it (trimmed).
    QString animalNumber() const { return m_animal; }
    // For the owning form after it renumbered the animal: later saves use the new number.
    void setAnimalNumber(const QString& number) { m_animal = number; }

    Grid* grid() const { return m_grid; }
    int keyColumn() const { return m_layout.keyColumn; }
    // The form's row counter of this grid (lssNRowCount).
    virtual long& rowCount() = 0;

    // Empties the grid and loads the animal's records, selecting row 1.
    void reload(const QString& animalNumber);

    // The three commands (also reachable through the buttons and a double-click).
    void insertRecord();
    void changeRecord();
    void deleteRecord();

    QPushButton* insertButton() const { return m_insert; }
    QPushButton* updateButton() const { return m_update; }
    QPushButton* deleteButton() const { return m_delete; }

    // ---- for the entry dialogs ----
    // True when a row (1..rowCount, up to the first empty key cell) shows `date`.
    bool showsDate(const QDate& date);
    // Appends a row (raising the row count), makes it current and selects it; returns it.
    int appendRow();
    // Writes texts into columns 1.. of `row`.
    void writeRow(int row, const QStringList& texts);
    // The grid's current row (the row a change command set).
    int currentRow() const;

protected:
    // The animal's records in display order; the animal number is the first bound value.
    virtual BoundStatement loadQuery(const QString& animal) const = 0;
    // The grid texts of one stored record.
    virtual QStringList rowTexts(const QSqlRecord& record) const = 0;
    virtual BoundStatement deleteStatement(const QString& animal, qint64 date) const = 0;
    // A fresh dialog in its design state, owned by the caller.
    virtual HistoryEntryDialog* createDialog() = 0;

private:
    void openDialog(const QString& key);
    // The active row's date, or an invalid date after telling the user why not.
    QDate activeRowDate(int row, const QString& action);

    Layout m_layout;
    QString m_animal;
    Grid* m_grid = nullptr;
    QPushButton* m_insert = nullptr;
    QPushButton* m_update = nullptr;
    QPushButton* m_delete = nullptr;
};
