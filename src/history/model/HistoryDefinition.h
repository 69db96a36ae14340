#pragma once
// A history of the record forms, declared as data: the table it is stored in, its grid, the
// fields of its entry dialog with their checks, and how each field is stored, loaded and shown.
// HistoryTab and HistoryEntryDialog run any history from its definition, so a new history is a
// new definition and nothing else. The rules here are UI-free.
#include "history/model/HistoryRules.h"
#include "sheets/model/CellKind.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <limits>
#include <optional>

class QSqlRecord;

enum class FieldKind {
    Text,         // a text box
    Date,         // a date picker
    CheckedDate,  // a date picker behind a caption-less check box named <name>체크
    Choice,       // two options, stored as 0 for the first and 1 for the second
};

// How a text box is stored.
enum class TextStore {
    Text,        // its text trimmed
    Number,      // the number typed, 0 when empty (see entry::storedNumber)
    TextOrZero,  // its text trimmed into a text column, "0" when empty
};

struct EntryField {
    QString name;     // control name, and the column it is stored in
    QString caption;  // the caption panel beside it
    FieldKind kind = FieldKind::Text;
    TextStore store = TextStore::Text;
    // The CheckedDate field whose box enables this field. While that box is clear the field is
    // stored empty (0, '' or -1), is not loaded, and a save shows it empty in the grid.
    QString group;
    // A CheckedDate field this one is stored and loaded with, although it stays enabled and its
    // text is always shown.
    QString storedWith;
    QList<QPair<QString, QString>> options;  // Choice: control name and caption of value 0, then 1
    QString frame;                           // Choice: objectName of the frame around its options
    QString note;                            // a small note beside the field
    bool right = false;                      // in the dialog's right-hand column
    bool wide = false;                       // a box for sentences rather than a word or number

    EntryField& inGroup(const QString& dateField);
    EntryField& storedWithDate(const QString& dateField);
    EntryField& inFrame(const QString& frameName);
    EntryField& withNote(const QString& text);
    EntryField& onRight();
    EntryField& asWide();
};

// One check of the entry dialog's input; a failing check names its field.
struct InputRule {
    enum class Test {
        Required,           // trimmed text empty: `message`, title "미입력"
        Numeric,            // not a number: "값을 다시 입력해 주세요."
        NumericIfFilled,    // not empty and not a number
        NumericWhileTicked  // the box of `box` ticked and not a number (empty included)
    };
    Test test = Test::Required;
    QString field;
    QString message;
    QString box;
    // The numeric tests also refuse a number outside [min, max] (counts and weights are never
    // negative; a scale such as BCS has its own ends).
    double min = -std::numeric_limits<double>::infinity();
    double max = std::numeric_limits<double>::infinity();

    InputRule& between(double lowest, double highest)
    {
        min = lowest;
        max = highest;
        return *this;
    }
    InputRule& notNegative() { return between(0, std::numeric_limits<double>::infinity()); }
};

// A date that sets another: whenever `from` changes, the box of `to` is ticked and `to`
// becomes `from` plus `days`.
struct DateFollow {
    QString from;
    QString to;
    int days = 0;
};

// What an entry dialog holds, by control name: box texts as typed, dates, the ticks of the
// CheckedDate boxes (by their date field) and the chosen option of each Choice (0 or 1).
struct EntryValues {
    QHash<QString, QString> texts;
    QHash<QString, QDate> dates;
    QHash<QString, bool> ticked;
    QHash<QString, int> choices;
};

// A stored record as the loaders read it: every value through NullTrim.
class StoredRecord {
public:
    explicit StoredRecord(const QSqlRecord& record) : m_record(record) {}
    QString text(const QString& column) const;
    // The value as a number (0 when it is none).
    double number(const QString& column) const;
    // True when the value, read as a number, is greater than 0.
    bool isSet(const QString& column) const;
    // The date a date number denotes (invalid for 0).
    QDate date(const QString& column) const;
    // A date number as a grid cell: "0000-00-00" digits, always (0 too) / only when set.
    QString dateCell(const QString& column) const;
    QString dateCellIfSet(const QString& column) const;

private:
    const QSqlRecord& m_record;
};

struct HistoryDefinition {
    int number = 0;         // the tab's number N: grid SSN, buttons cmdInsertN, cmdUpateN, cmdDeleteN
    QString table;          // where the records are; also the dialog's name and the records' name
    QString caption;        // the tab's caption; the grid is heard by it
    QString dialogCaption;  // the entry dialog's window title
    QString keyField;       // the date field that, with 개체번호, addresses a record
    QStringList headers;
    QList<int> columnChars;       // column widths in characters
    QList<CellKind> columnKinds;  // what each column holds
    QStringList notes;            // fixed notes beside the grid
    // The grid texts of a stored record; when unset, each column shows its field by kind (see
    // history::loadedRow).
    std::function<QStringList(const StoredRecord&)> loadedRow;
    QList<EntryField> fields;  // in tab order
    QList<InputRule> checks;   // in order; the duplicate-date check of a new record follows them
    QStringList gridFields;    // the fields of grid columns 1, 2, ...; when empty, the fields in tab order
    std::optional<DateFollow> follow;
    // The field naming the bull a cow is served with: a calf that would be inbred is asked about
    // before the record is stored. Empty for records of no service.
    QString semenField;

    const EntryField* field(const QString& name) const;
    // The fields of grid columns 1, 2, ... (gridFields, or every field in tab order).
    QStringList gridColumns() const;
    // The grid column (1-based) showing the key date.
    int keyColumn() const;
    // "선택하신 <table> 내역을 삭제하시겠습니까?", "<table>을 신규등록하시겠습니까?",
    // "<table>을 수정하시겠습니까?" and "<keyField>를 다시 선택해 주세요.".
    QString deleteQuestion() const;
    QString newQuestion() const;
    QString changeQuestion() const;
    QString duplicateDateMessage() const;
};

// A definition with what names it: tab number, table, tab caption, dialog caption and key date.
HistoryDefinition historyNamed(int number, const QString& table, const QString& caption, const QString& dialogCaption,
                               const QString& keyField);

namespace entry {
EntryField textField(const QString& name, const QString& caption, TextStore store = TextStore::Text);
EntryField dateField(const QString& name, const QString& caption);
EntryField checkedDateField(const QString& name, const QString& caption);
// `options`: control name and caption of the option for 0, then of the one for 1.
EntryField choiceField(const QString& name, const QString& caption, const QList<QPair<QString, QString>>& options);

InputRule required(const QString& field, const QString& message);
InputRule numeric(const QString& field);
InputRule numericIfFilled(const QString& field);
InputRule numericWhileTicked(const QString& field, const QString& dateField);
// Weights, lengths and the like, in order: each, when filled, a number not below 0.
QList<InputRule> amountsIfFilled(const QStringList& fields);
}  // namespace entry

namespace history {
// The animal's records ordered by the key date.
BoundStatement loadQuery(const HistoryDefinition& h, const QString& animal);
// The stored record of (animal, key yyyymmdd).
BoundStatement recordQuery(const HistoryDefinition& h, const QString& animal, const QString& key);
BoundStatement deleteStatement(const HistoryDefinition& h, const QString& animal, qint64 keyDate);

// A new dialog's values: every date today, boxes clear, first options, empty texts; then the
// follow rule of the first date.
EntryValues openingValues(const HistoryDefinition& h, const QDate& today);
// `v` after loading `record`: fields outside a group first (a loaded date runs its follow
// rule), then each box ticked exactly when its stored date is set, with its fields.
EntryValues applyRecord(const HistoryDefinition& h, EntryValues v, const QSqlRecord& record);
// The checks in order; the first failing one.
CheckResult check(const HistoryDefinition& h, const EntryValues& v);
// INSERT for a new record of `animal`, UPDATE of the record (animal, key yyyymmdd): every
// column of the table that a field is stored in, in the table's order.
BoundStatement insertStatement(const HistoryDefinition& h, const QString& animal, const EntryValues& v);
// The values insertStatement binds, without its text (the same for every record of `h`): for
// many records in a row.
QVariantList insertValues(const HistoryDefinition& h, const QString& animal, const EntryValues& v);
// What insertStatement stores in each column (but the animal's), by column name.
QHash<QString, QVariant> storedValues(const HistoryDefinition& h, const EntryValues& v);
BoundStatement updateStatement(const HistoryDefinition& h, const QString& animal, const QString& key,
                               const EntryValues& v);
// The grid texts a save writes: texts as typed, dates "yyyy-mm-dd", options by caption.
QStringList savedRow(const HistoryDefinition& h, const EntryValues& v);
// The grid texts of a stored record: the definition's loadedRow, or else by each column's field:
// a text as stored, a date always in "0000-00-00" digits (0 too), a check-box date only when
// set, and a field of a group only when its box's date is set.
QStringList loadedRow(const HistoryDefinition& h, const StoredRecord& r);
// `v` after `follow.from` took `date`.
EntryValues follow(const DateFollow& rule, EntryValues v, const QDate& date);
}  // namespace history
