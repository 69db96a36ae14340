#pragma once
// The individual search list without its window: the query for the chosen conditions,
// how a record becomes a grid row, the age filter and the rows of the list print.
#include "registry/model/AnimalRow.h"
#include "sheets/model/CellKind.h"

#include <QColor>
#include <QDate>
#include <QHash>
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

enum class SexFilter { All, Cows, Bulls };

struct SearchConditions {
    SexFilter sex = SexFilter::All;
    QString word;              // as typed; blanks around it do not count
    bool olderThan28 = false;  // only applies while the age box is shown (bulls)
};

struct SearchQuery {
    QString sql;
    QVariantList binds;
};

// The query of the search: sex, the word matching 개체번호, 별명 or 등록번호 exactly
// (a bound value, so any character is just a character), unshipped animals for the
// age filter; youngest first, then by number.
SearchQuery buildSearchQuery(const SearchConditions& c);

// The filter "28 months and older": a record is skipped while the day 28 calendar
// months after its birth (clamped to the month's end) lies after today. No birth date
// (0 or no real date) is never skipped.
bool skippedByAge(qint64 birth, const QDate& today);

constexpr int kSearchColumns = 17;
QStringList searchHeaders();
// What each column holds, in the headers' order.
QList<CellKind> searchColumnKinds();

// The one way an animal becomes a list row, whether a query read it or a record form saved
// it. Keeps the texts it made before (dates, ages, the fixed words) so that equal cells share
// one string: a list of a hundred thousand animals then costs a fraction of the memory and time.
class SearchRowFormatter {
public:
    explicit SearchRowFormatter(const QDate& today);
    // The 17 cells of an animal as 개체관리 holds it.
    QStringList cells(const AnimalRecord& r);
    // The cells a record form's save writes into the animal's row, columns 1 to 16: the form's
    // boxes as typed (blanks and a zero score included), everything else as cells() shows it.
    // The age column is the query's; a save leaves it as it was.
    QStringList savedCells(const AnimalRecord& typed);
    // "yyyy년 mm월 dd일" for a date number above 0, else "".
    const QString& dateText(qint64 n);
    // "N 개월령" for an unshipped animal with a birth date, else "".
    QString ageText(const AnimalRecord& r);

private:
    QStringList columns1To16(const AnimalRecord& r, const QString& score);

    QDate m_today;
    QHash<qint64, QString> m_dates;
    QHash<int, QString> m_ages;
    const QString m_cow, m_bull, m_pure, m_cross;
};

// The text colour of an animal's row: bulls in blue, cows in the default black.
QColor searchRowColor(const AnimalRecord& r);

// The animal a list row shows, read back from its cells as they are (blanks kept): a cow only
// for exactly "암소", purebred only for exactly "순종", a date cell as its date number (0 when
// empty). The inverse of the formatter for columns 1 to 16; the age column is not read.
AnimalRecord animalOfRow(const QStringList& cells);

// The 18 values of a 개체관리워크 row from the 17 cells of a list row: columns 1-10,
// two empty texts, columns 11-16, each trimmed; column 17 (age) is not printed.
QVariantList listPrintRow(const QStringList& cells);
