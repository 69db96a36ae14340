#pragma once
// The mating, calving and shipment performance books: each one a BookSpec, and the cell rules
// that are their own.
#include "books/model/PeriodBook.h"

namespace books {

// 교배기록부: the inseminations of a period, by insemination date.
const BookSpec& matingBook();
// 분만기록부: the calvings of a period, by insemination date.
const BookSpec& calvingBook();
// 출하성적기록부: the carcass gradings of a period, by grading (shipment) date.
const BookSpec& shipmentBook();

// "ㅇ" for an embryo transfer (a donor cow is recorded), "×" otherwise.
QString embryoTransferMark(const QString& donor);
// Column 10 of the mating book: the calving difficulty, then " (yy-mm-dd)" of the expected
// calving date when one is recorded (above 0). Throws DbError when that is no number or no date.
QString matingRemark(const QString& difficulty, const QVariant& expected, const QString& animal);
// A grid date "yyyy-mm-dd" as "yy-mm-dd"; a text that is no date stays as it is.
QString shortDate(const QString& dashed);
// The 14 values of a shipment work-table row: the cells trimmed, the shipment date as yy-mm-dd.
QVariantList shipmentTableRow(const QStringList& cells);

// The grid row of each book's query record (by column position).
QStringList matingRow(const QSqlQuery& q);
QStringList calvingRow(const QSqlQuery& q);
QStringList shipmentRow(const QSqlQuery& q);

}  // namespace books
