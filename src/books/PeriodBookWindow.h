#pragma once
// A period book on the list window frame: the search frame "검색조건" with the book's date
// criterion and the period 시작날짜 ~ 끝날짜, the book's note, the query over the period with
// its not-found message, and the print that hands the farm name to the report. What a book
// lists and prints is its BookSpec (books/model/RecordBooks.h).
#include "books/model/PeriodBook.h"
#include "kit/ListWindow.h"
#include "kit/PeriodFrame.h"
#include "print/ListPrint.h"

class QDateEdit;
class QGroupBox;
class QLabel;

class PeriodBookWindow : public ListWindow {
    Q_OBJECT
public:
    // Builds the window for `book` and loads it: the connection, both pickers on the book's
    // opening dates and the farm header. No query runs until the user asks.
    explicit PeriodBookWindow(const books::BookSpec& book, QWidget* parent = nullptr);

    const books::BookSpec& book() const { return m_book; }
    QDateEdit* startDate() const { return m_period.start(); }    // "시작날짜"
    QDateEdit* endDate() const { return m_period.end(); }        // "끝날짜"
    QGroupBox* searchFrame() const { return m_period.frame(); }  // "SSPanel2"
    QLabel* note() const { return m_note; }                      // "Label2"

    // The period the pickers show.
    books::Period period() const;
    void setPeriod(const QDate& start, const QDate& end);

    // The print command's texts, work table and formulas.
    ListPrint printSpec() const;

    void query() override;  // the period query (also F11)
    void print() override;

    // The key of listed row `row` (1..rowCount()) when the book keeps one (BookSpec::rowKey);
    // 0 otherwise.
    qint64 rowKey(int row) const;

protected:
    // Sets the key of a row the window wrote itself (an appended entry).
    void setRowKey(int row, qint64 key);

private:
    void buildSearchFrame();
    void setColumns();

    books::BookSpec m_book;
    // Its listed period is that of the last query: what a saved list names.
    PeriodFrame m_period;
    QLabel* m_note = nullptr;
    // Rows read but not yet in the grid; handed over in batches while a query reads.
    QList<QStringList> m_pending;
    // The keys of rows 1, 2, ...; only those of the rows the grid shows are meaningful.
    QList<qint64> m_keys;
};
