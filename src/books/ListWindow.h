#pragma once
// The frame every list window shares (daily due lists, mating, calving, shipment and manure
// books): the button bar with query / print / close, the grid in its panel, the please-wait
// label, the resize rules, the farm header, the keys, the query frame that fills the grid
// row by row, the work-table rows for the print sequence, and closing.
#include "app/Grid.h"
#include "print/PrintSequence.h"

#include <QFrame>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <QWidget>
#include <functional>

class WindowKeys;

class ListWindow : public QWidget {
    Q_OBJECT
public:
    // `name` is the window's object name, `caption` its title, `printCaption` the caption of
    // the print button (Com_Function 1). Builds the controls; the subclass then adds its own
    // into conditionHost(), sets the grid's columns and calls openConnection() to load.
    ListWindow(const QString& name, const QString& caption, const QString& printCaption, QWidget* parent = nullptr);
    ~ListWindow() override;

    // Number of data rows in SS; matches the grid after every query.
    qint32 lss1RowCount = 0;

    // The frame's controls, named as everywhere in the program.
    QFrame* SSPanel1 = nullptr;                  // the button bar (element 2; object name "SSPanel1_2")
    QFrame* SP_SpreadPN = nullptr;               // the panel holding the grid
    Grid* SS = nullptr;                          // the list
    QLabel* ML_INFO = nullptr;                   // please-wait label, visible only while a query runs
    QPushButton* Com_Function(int index) const;  // 0 query, 1 print, 99 close

    // True once DBOpen succeeded at load (false: the program has ended).
    bool isConnected() const { return m_connected; }
    // True while a query runs (the window is disabled meanwhile).
    bool isQuerying() const { return m_querying; }

    // The work-table rows of the print: grid rows 1..lss1RowCount, `columns` cells each,
    // every cell as shown, trimmed (texts reach the table exactly as typed).
    QList<QVariantList> workTableRows(int columns) const;

    // What a list's print command hands to the common print sequence: its texts, its work
    // table (refilled with workTableRows(columns)) and its formulas, asked for at print time.
    struct ListPrint {
        QString nothingMessage;  // lss1RowCount is 0
        QString question;
        QString reportFile;
        QString previewTitle;
        QString workTable;
        int columns = 0;
        std::function<QStringList()> formulas;
    };

    // The waiting text under every list's own wait text.
    static QString waitCaption(const QString& waitText);

protected:
    // Com_Function 0 (and F11): the list's query.
    virtual void query() = 0;
    // Com_Function 1: the list's print command.
    virtual void print() = 0;

    // Left part of the button bar, for the list's own controls (options, period pickers).
    QWidget* conditionHost() const { return m_conditionHost; }
    // Height of the button bar in pixels (default 52).
    void setBarHeight(int px);

    // Load, first steps: empties the grid, sets lss1RowCount to 0 and opens the connection.
    // False when the connection failed and the program has ended: the caller stops loading.
    bool openConnection();
    // Reads gs등록번호 and gs사업장명칭 from 농장정보 (kept when it has no row).
    void loadFarmHeader();

    // One list query. eachRecord runs per record in query order and appends rows with
    // appendRow(); it may throw DbError, which stops the query with the plain error message.
    struct ListQuery {
        QString waitText;
        QString sql;
        QVariantList binds;
        std::function<void(const QSqlQuery&)> eachRecord;
        // Period books: shown with the question icon under "검색오류" when nothing is found.
        QString notFoundText;
    };
    // The query frame: wait label, window disabled, grid emptied and refilled, first row
    // selected. Returns false when an error stopped it (rows written so far stay).
    bool runListQuery(const ListQuery& q);
    // Appends a data row (height 18) and returns its number.
    int appendRow();
    // Takes the last appended row back; the next appended row takes its place.
    void takeBackRow();
    // Writes one cell of a data row, optionally in bold.
    void writeCell(int col, int row, const QString& text, bool bold = false);

    // The print command through the common print sequence.
    PrintOutcome printList(const ListPrint& p);

    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void applyResizeRules();
    void endQuery();

    QPushButton* m_query = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_close = nullptr;
    QWidget* m_conditionHost = nullptr;
    WindowKeys* m_keys = nullptr;
    bool m_connected = false;
    bool m_closed = false;
    bool m_querying = false;
};
