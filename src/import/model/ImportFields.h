#pragma once
// What an import can fill and how a file's columns are matched to it: the fields of 개체관리,
// 번식기록 and the bull catalogue (씨수소) with the headers that name them (the program's own export headers, the captions of
// the forms and the words farmers and the national traceability service use), the header row
// of a file, and the matching remembered for the next file with the same headers.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

enum class ImportTarget { Animals, Breeding, Bulls };

struct ImportField {
    QString key;            // the column of the table it fills
    QString caption;        // what the farmer reads
    QStringList aliases;    // headers naming it, the best first
    bool required = false;  // part of the record's key: a row without it is refused
};

// The fields of 개체관리 (Animals), 번식기록 (Breeding) or 씨수소 (Bulls), keys first.
const QList<ImportField>& importFields(ImportTarget target);
// "개체관리", "번식기록" or "씨수소".
QString targetTable(ImportTarget target);
// The place of a field in importFields, -1 when the target has none of that key.
int fieldIndex(ImportTarget target, const QString& key);

// Where a field's values come from.
struct FieldSource {
    int column = -1;   // the file's column (from 0); -1: none
    QString fallback;  // taken when there is no column or its cell is empty
    bool operator==(const FieldSource&) const = default;
};
using ColumnMapping = QList<FieldSource>;  // in the order of importFields

// A header as it is compared: no blanks, lower case, without a leading apostrophe.
QString foldedHeader(const QString& header);
// Each field's column by its header; each column serves one field at most. A header matches a
// field when it equals one of its names, or failing that when it does once a unit in
// parentheses is taken off both ("개월령(개월)" is 개월령). A better-ranked name wins a column.
ColumnMapping matchHeaders(ImportTarget target, const QStringList& headers);
// The number of fields with a column.
int matchedCount(const ColumnMapping& mapping);
// Among the first rows of a file, the header row: the first that names the most fields (a
// title row above it, as the program's own workbooks have, is passed over); -1 when none
// names any.
int findHeaderRow(ImportTarget target, const QList<QStringList>& rows);
// The target a file's first rows hold: the one whose fields its header row (found for each
// target) names most of; animals when even, then breeding.
ImportTarget likelyTarget(const QList<QStringList>& firstRows);

// Whether a field is given anything: a column, or a value for empty cells.
bool hasSource(const FieldSource& source);
// What a field takes from a row: its cell trimmed, or the value for empty cells when the cell
// is empty or the field has no column.
QString sourceText(const FieldSource& source, const QStringList& cells);
// The first required field the mapping gives nothing (its place in importFields), -1 when
// each has a source.
int firstRequiredWithoutSource(ImportTarget target, const ColumnMapping& mapping);

// The matching chosen for a file, kept in the settings file under [Import] by a digest of the
// header row, so the next file with the same headers starts with it.
void rememberMapping(const QString& settingsFile, ImportTarget target, const QStringList& headers,
                     const ColumnMapping& mapping);
// The matching kept for these headers; nothing when none was kept (or it names a column the
// headers do not have).
std::optional<ColumnMapping> recalledMapping(const QString& settingsFile, ImportTarget target,
                                             const QStringList& headers);

// The matching a header row starts with: the one kept for these headers, else the one its
// headers give.
struct StartingMapping {
    ColumnMapping mapping;
    bool recalled = false;  // kept from an earlier file with the same headers
};
StartingMapping startingMapping(const QString& settingsFile, ImportTarget target, const QStringList& headers);
