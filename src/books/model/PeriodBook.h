#pragma once
// The period books without their windows: what one book declares (its texts, its query over
// a date range, how a record becomes a grid row, its print) and the cell rules the books share.
// The window over it is PeriodBookWindow.
#include "print/model/ReportFormulas.h"
#include "sheets/model/CellKind.h"

#include <QDate>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace books {

// The two ends of a period as date numbers, both included. A start after the end selects
// nothing.
struct Period {
    qint64 from = 0;
    qint64 to = 0;
};
Period periodOf(const QDate& start, const QDate& end);

// "select <columns> from <tables> where [<join> and ]( <dateColumn> >= ? and <dateColumn> <= ? )
// order by <orderBy>", the period's ends as its two bound values.
QString periodSql(const QString& columns, const QString& tables, const QString& join, const QString& dateColumn,
                  const QString& orderBy);

// The books' one report formula: 농장명, the farm name trimmed.
report::Formulas farmNameFormula(const QString& farmName);

// One period book.
struct BookSpec {
    QString name;          // window object name
    QString caption;       // window title
    QString criterion;     // caption of the date criterion, e.g. "수 정 일"
    QString note;          // the note Label2
    QString printCaption;  // caption of the print button: the book's name
    QStringList headers;
    QStringList usualCells;  // a usual text of each column; the columns are made wide enough for it
    QList<CellKind> kinds;   // what each column holds
    int stretchColumn = 0;   // the column (1-based) taking the spare width; 0: the last text column
    QString waitText;
    QString notFoundText;
    QString sql;  // periodSql(): the period's ends are its two bound values
    // The grid row of the query's current record; throws DbError for a record it cannot read.
    QStringList (*row)(const QSqlQuery& q) = nullptr;
    // The first day of the period a window opens with; null: today.
    QDate (*openingStart)(const QDate& today) = nullptr;
    // A key the window keeps for each listed row, read from the query's current record (the
    // ledger's row ids); null: none.
    qint64 (*rowKey)(const QSqlQuery& q) = nullptr;

    // Print.
    QString nothingMessage;
    QString question;
    QString reportFile;
    QString previewTitle;  // also what a screen reader calls the list
    QString workTable;
    int columns = 0;
    // The work-table row of a grid row's cells 1..columns; null: the cells, trimmed.
    QVariantList (*tableRow)(const QStringList& cells) = nullptr;
};

// Cell rules shared by the books. `animal` names the record in an error.

// A date number in the pattern "0000-00-00" (0 gives 0000-00-00).
QString dashedDate(const QVariant& dateNumber);
// A date number as the date "yy-mm-dd"; empty when it is no date (0 included).
QString shortDateOf(qint64 dateNumber);
// A number in the pattern "#,##0" (650.4 gives 650, 1250 gives 1,250); an empty value stays
// empty and a text that is no number is shown as it is.
QString thousands(const QVariant& number);
// A value read as a number; throws DbError when it is none.
double numberField(const QVariant& value, const QString& column, const QString& animal);
// 수 for any flag but 0, 암 for 0 (a calf's 성별, an animal's 구분).
QString sexText(const QVariant& flag, const QString& column, const QString& animal);

}  // namespace books
