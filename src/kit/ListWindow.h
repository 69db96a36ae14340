#pragma once
// The frame every list window shares (the search list, the daily due lists, the mating,
// calving and shipment books and the manure ledger): the button bar with query / print /
// close, a place for the list's own search conditions, the grid in its panel, the
// please-wait label, the resize rules, the farm header, the keys, the query frame that fills
// the grid, the work-table rows for the print sequence, and closing.
#include "kit/Grid.h"

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QWidget>
#include <functional>

class WindowKeys;

// The buttons of a list window's bar; each value is the number in the button's control name
// "Com_Function_N".
enum class ListButton {
    Query = 0,   // 조회(F11)
    Print = 1,   // the list's print caption
    Save = 2,    // 엑셀저장: the list as an Excel or CSV file
    Close = 99,  // 닫기(ESC)
};

class ListWindow : public QWidget {
    Q_OBJECT
public:
    // `name` is the window's object name, `caption` its title, `printCaption` the caption of
    // the print button. Builds the controls; the list then adds its own into conditionHost(),
    // sets the grid's columns and calls openConnection() to load.
    ListWindow(const QString& name, const QString& caption, const QString& printCaption, QWidget* parent = nullptr);
    ~ListWindow() override;

    // The number of data rows the list holds (lss1RowCount), equal to the grid's rows after every
    // query. Rows are added only through the frame; other windows go through the list's own
    // commands.
    int rowCount() const { return m_rowCount; }

    QFrame* buttonBar() const { return m_bar; }                 // "SSPanel1_2"
    QFrame* gridPanel() const { return m_gridPanel; }           // "SP_SpreadPN"
    QLabel* waitLabel() const { return m_wait; }                // "ML_INFO", shown only while a query runs
    QPushButton* functionButton(ListButton role) const;         // "Com_Function_N"
    QWidget* conditionHost() const { return m_conditionHost; }  // the list's own search conditions

    // The commands of the query (also F11) and print buttons.
    virtual void query() = 0;
    virtual void print() = 0;

    // True once the connection opened at load (false: the program has ended).
    bool isConnected() const { return m_connected; }
    // True while a query runs (the window is disabled meanwhile).
    bool isQuerying() const { return m_querying; }

    // The work-table rows of the print: grid rows 1..rowCount(), `columns` cells each,
    // every cell as shown, trimmed (texts reach the table exactly as typed).
    QList<QVariantList> workTableRows(int columns) const;
    // The cells 1..columns of data row `row` as shown.
    QStringList shownCells(int row, int columns) const;
    // Whether cell `col` of data row `row` is shown bold.
    bool shownBold(int row, int col) const;

    // The waiting text under every list's own wait text.
    static QString waitCaption(const QString& waitText);

protected:
    // The list's grid (control "SS"), for the list's own columns, cells and selection.
    Grid* grid() const { return m_grid; }

    // Whether the window may close now; a running query always keeps it open.
    virtual bool mayClose() const { return true; }

    // The search conditions sit in the left part of the button bar unless the list asks for
    // a band of `heightPx` across the top of the window, with the bar below it.
    void placeConditionsAbove(int heightPx);
    // Height of the button bar in pixels (default 52).
    void setBarHeight(int px);
    // What a screen reader calls the list (default: the window caption).
    void setListName(const QString& heard);
    // The grid keeps `size` whatever the window's size: the resize rules move it with its panel
    // but no longer size it.
    void keepGridSize(const QSize& size);
    // Puts the function buttons and then the grid after `last` in the tab order.
    void tabToFrameAfter(QWidget* last);

    // Load, first steps: empties the grid, sets the row count to 0 and opens the connection.
    // False when the connection failed and the program has ended: the caller stops loading.
    bool openConnection();
    // Reads the farm header (gs등록번호, gs사업장명칭) from 농장정보 (kept when it has no row).
    void loadFarmHeader();

    // One list query.
    struct ListQuery {
        QString waitText;
        QString sql;
        QVariantList binds;
        // Runs per record in query order and appends rows with appendRow() or appendRows();
        // it may throw DbError, which stops the query with the plain error message.
        std::function<void(const QSqlQuery&)> eachRecord;
        // Runs once after the records, also when an error stopped them: a list that gathers
        // rows in batches hands over the last batch here, so the rows read stay shown.
        std::function<void()> afterRecords;
        // Period books and the search list: shown with the question icon under "검색오류"
        // when nothing is found.
        QString notFoundText;
    };
    enum class QueryResult {
        Rows,          // read to the end (rows may all have been skipped)
        NothingFound,  // the query returned no record
        Failed,        // an error stopped it; the rows written so far stay
        NotRun,        // a query was running already, or there is no connection
    };
    // The query frame: wait label, window disabled, grid emptied and refilled, first row
    // selected.
    QueryResult runListQuery(const ListQuery& q);
    // The same frame around a query that is not one SQL statement (a list shown in its own
    // tables): `work` reads and shows; a DbError it throws ends the query with the plain error
    // message (Failed). Rows once it returns.
    QueryResult runQueryWork(const QString& waitText, const std::function<void()>& work);
    // Appends a data row (height 18) and returns its number.
    int appendRow();
    // Appends many filled rows at once (see Grid::appendRows).
    void appendRows(QList<QStringList>&& rows, const QList<QColor>& colors);
    // Takes the last appended row back; the next appended row takes its place.
    void takeBackRow();
    // Empties every cell and removes every row, as a query does before it reads.
    void clearRows();
    // Writes one cell of a data row, optionally in bold.
    void writeCell(int col, int row, const QString& text, bool bold = false);

    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void applyResizeRules();
    void beginQuery(const QString& waitText);
    void readRecords(QSqlQuery& q, const ListQuery& lq);
    void endQuery();

    Grid* m_grid = nullptr;
    int m_rowCount = 0;
    QFrame* m_bar = nullptr;
    QFrame* m_gridPanel = nullptr;
    QLabel* m_wait = nullptr;
    QPushButton* m_query = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_export = nullptr;  // "엑셀저장": saves the list as an Excel or CSV file
    QPushButton* m_close = nullptr;
    QWidget* m_conditionHost = nullptr;
    int m_conditionsAboveHeight = 0;  // 0: the conditions sit in the button bar
    bool m_gridKeepsSize = false;
    WindowKeys* m_keys = nullptr;
    bool m_connected = false;
    bool m_closed = false;
    bool m_querying = false;
};
