#pragma once
// The carcass grading of an animal (등급판정, the last tab of both record forms): one row per
// animal, typed in from the grading office's report and edited in place. Its boxes, checks,
// price formats and statements; no widget.
#include "history/model/HistoryDefinition.h"

#include <QDate>
#include <QString>
#include <QVariant>

class QSqlRecord;

namespace grading {
// The fifteen boxes in screen order (the table's order after 개체번호) and their checks in order.
// `table` is 등급판정; no grid, no key date.
const HistoryDefinition& definition();
// The two whole-number price boxes, 지육단가 and 경락가.
bool isPrice(const QString& field);

// A price box while the user edits it: "##0" (12,345.6 gives 12346).
QString priceForEditing(const QString& text);
// A price box otherwise: "#,##0" (12,345.6 gives 12,346).
// Both leave an empty or non-numeric text as it is.
QString priceForShowing(const QString& text);
// A price as stored: 0 when empty, the nearest whole number (half away from zero) otherwise.
QVariant storedPrice(const QString& text);

// The boxes of an animal without a grading: all empty, 판정일 `today`.
EntryValues emptyValues(const QDate& today);
// The boxes showing a stored row: its values as read, the prices with thousands separators,
// 판정일 from its date number. A 판정일 that is no date (0, 20100230, -1, none) is left unset:
// guessing one would move the animal into another period of the shipment book.
EntryValues loadedValues(const QSqlRecord& record, const QDate& today);
// What the tab says when a stored row's 판정일 is no date and was left unset; "" otherwise.
QString badDateNote(const QSqlRecord& record);
// The checks in order (작업장 required; every number, when filled, a number not below 0); the
// first failing one.
CheckResult check(const EntryValues& v);

// The question before a save: a change when the animal has a grading row, else a new one.
QString saveQuestion(bool hasRow);
QString saveTitle(bool hasRow);
QString deleteQuestion();

// The stored value of each column after 개체번호, in the table's order: texts trimmed, numbers
// 0 when empty, prices whole, 판정일 as yyyymmdd (0 while unset).
QVariantList storedValues(const EntryValues& v);

BoundStatement loadQuery(const QString& animal);
BoundStatement insertStatement(const QString& animal, const EntryValues& v);
// An unset 판정일 is no column of the update: the stored value stays as it was.
BoundStatement updateStatement(const QString& animal, const EntryValues& v);
BoundStatement deleteStatement(const QString& animal);
}  // namespace grading
