#pragma once
// UI-free pieces shared by every history tab and entry dialog: bound statements,
// the failed-check record, and the value rules of the grids and statements.
#include "kit/model/MessageKinds.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <optional>

#include "data/Db.h"

// A check that refused the input: its message box and the field (objectName) to focus.
struct EntryCheck {
    // What went wrong, for code that words it otherwise (the import's reasons); set by the
    // makers below.
    enum class Kind { Missing, Invalid, Duplicate };
    QString message;
    QString title;
    MsgIcon icon = MsgIcon::Information;
    QString field;
    Kind kind = Kind::Invalid;

    // The same box on the same field (its kind goes with its box).
    bool operator==(const EntryCheck& o) const
    {
        return message == o.message && title == o.title && icon == o.icon && field == o.field;
    }
};
using CheckResult = std::optional<EntryCheck>;

namespace entry {
// Required input left empty: information icon, title "미입력".
EntryCheck missing(const QString& field, const QString& message);
// A number box holding something else: question icon, title "값 부정".
EntryCheck invalidValue(const QString& field);
// A new record on a date the grid already shows: information icon, title "선택오류".
EntryCheck duplicateDate(const QString& field, const QString& message);

// A text box as stored: its text trimmed.
QString storedText(const QString& text);
// A number box as stored: 0 when empty, its value when numeric; any other text is passed
// on unchanged so the database refuses it with its own message.
QVariant storedNumber(const QString& text);
// A date as the stored date number yyyymmdd.
qint64 dateNumber(const QDate& date);
// True when a field's text, read as a number, is greater than 0 (the loaders' test).
bool positive(const QString& text);
// A stored date number as a grid cell: "0000-00-00" digits, "" unless greater than 0.
QString dateCellIfSet(const QString& stored);
// A stored date number as a grid cell, always ("0000-00-00" digits, 0 included).
QString dateCell(const QString& stored);
// A date as the dialogs write it into a grid: "yyyy-mm-dd".
QString gridDate(const QDate& date);
// The date a grid date cell shows (invalid when it shows none).
QDate cellDate(const QString& cellText);
}  // namespace entry
