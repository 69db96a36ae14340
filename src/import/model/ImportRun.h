#pragma once
// The import itself, without a window: each row of the file judged against the farm (신규,
// 갱신, 동일, 제외 or 거부 with its reason) the same way for the preview and for the run, and
// the run: an automatic backup first, then every row in one transaction that a cancel rolls
// back whole, then the refused rows in a CSV file beside the source.
//
// Every value goes through what the record forms and the breeding dialog use: the animal's
// checks and stored form (registry/model/AnimalEntry.h), the breeding history's opening values,
// date rule, checks and statements (history/model/HistoryDefinition.h); a catalogue bull's
// checks and statements (mating/model/BullCatalogue.h).
#include "data/Db.h"
#include "history/model/HistoryDefinition.h"
#include "import/model/ImportFields.h"
#include "mating/model/Bull.h"
#include "sheets/model/ImportSource.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace mating {
class CalfRisks;
}

enum class ImportPolicy {
    AddOnly,       // records already stored stay as they are (the default)
    AddAndUpdate,  // a stored record takes the file's values where the file has one
};

enum class Verdict : quint8 {
    New,      // 신규: a record the farm does not have
    Update,   // 갱신: changes a stored record
    Same,     // 동일: the stored record already holds these values
    Kept,     // 제외: would change a stored record, but only new records are added
    Refused,  // 거부: not imported, for the reason given
};
inline constexpr int kVerdicts = 5;
// 신규, 갱신, 동일, 제외, 거부.
QString verdictText(Verdict v);

struct RowVerdict {
    Verdict verdict = Verdict::Refused;
    // Refused: why. Update and Kept: each field that changes, "caption: old → new".
    QString detail;
    // But for Refused: each field's value as the import stores it (Kept: would store), as the
    // preview shows it, in the order of importFields: dates read, an expected calving computed,
    // choices by their words. The run leaves it empty for a new record: nothing shows it.
    QStringList values;
};

struct ImportPlan {
    ImportFile file;
    ImportTarget target = ImportTarget::Animals;
    int headerRow = 0;      // the header row's place among the file's rows, from 0
    ColumnMapping mapping;  // in the order of importFields(target)
    ImportPolicy policy = ImportPolicy::AddOnly;
};

struct ImportTotals {
    std::array<qint64, kVerdicts> counts{};
    qint64 of(Verdict v) const { return counts[size_t(v)]; }
    qint64 rows() const;
};

// What the import will take for what the file does not say, one sentence each, for the
// preview to tell once rather than on every row: a breeding file without a BCS column.
QStringList importAssumptions(const ImportPlan& plan);

// Judges the rows of a plan against the open farm. Built once per pass; it reads the animals'
// numbers (and which of them have breeding records), and for breeding the pedigree and the
// farm's inbreeding limit, then, and each stored record only when a row names it. Throws DbError.
class RowJudge {
public:
    RowJudge(const ImportPlan& plan, const QDate& today);
    ~RowJudge();
    RowJudge(const RowJudge&) = delete;
    RowJudge& operator=(const RowJudge&) = delete;

    // The verdict of a row (its cells, its line in the file); for New and Update `write` gets
    // the statement that stores it.
    RowVerdict judge(const QStringList& cells, qint64 line, BoundStatement* write);

private:
    QString value(int field, const QStringList& cells) const;
    // Whether the plan gives the field a column or a value for empty cells.
    bool hasColumn(int field) const;
    // The line of an earlier row with the same key, or 0 (the key is noted for later rows).
    qint64 earlierLine(const QString& key, qint64 line);
    RowVerdict judgeAnimal(const QStringList& cells, qint64 line, BoundStatement* write);
    // A catalogue row: its KPN, the stored bull's values where the file has none, the
    // catalogue's checks.
    RowVerdict judgeBull(const QStringList& cells, qint64 line, BoundStatement* write);
    // A breeding row goes through the dialog's steps, each refusal ending it: its key (number,
    // insemination day, a cow of the farm), the dialog opened on it, its cells typed in, the
    // choices left unanswered, the dialog's checks, and the verdict.
    RowVerdict judgeBreeding(const QStringList& cells, qint64 line, BoundStatement* write);
    struct BreedingKey {
        QString number;
        QDate day;
        qint64 dayNumber = 0;
    };
    struct BreedingDialog {
        EntryValues values;
        QSqlRecord stored;  // the stored record of the key, when `exists`
        bool exists = false;
    };
    std::optional<RowVerdict> readBreedingKey(const QStringList& cells, qint64 line, BreedingKey* key);
    BreedingDialog openBreedingDialog(const BreedingKey& key);
    std::optional<RowVerdict> typeBreedingCells(const QStringList& cells, BreedingDialog* dialog) const;
    std::optional<RowVerdict> unansweredChoice(const QStringList& cells, const BreedingDialog& dialog) const;
    std::optional<RowVerdict> checkBreeding(const EntryValues& v) const;
    // A service whose calf would reach the farm's inbreeding limit.
    std::optional<RowVerdict> inbredCalf(const BreedingKey& key, const BreedingDialog& dialog);
    RowVerdict breedingVerdict(const BreedingKey& key, const BreedingDialog& dialog, BoundStatement* write) const;
    RowVerdict changed(const QStringList& changes, QStringList values) const;

    const ImportPlan& m_plan;
    QDate m_today;
    QHash<QString, int> m_kinds;                  // stored animals: 구분 by number
    QHash<QString, Bull> m_bulls;                 // bulls: the catalogue by KPN digits
    QSet<QString> m_withBreeding;                 // animals with stored breeding records
    QHash<quint64, qint64> m_seen;                // keys of the file's rows (a digest), with their first line
    QSqlQuery m_stored;                           // the stored record of a key
    QList<const EntryField*> m_entryFields;       // breeding: the dialog's field of each import field
    QString m_insertSql;                          // breeding: the dialog's insert, the same for every row
    EntryValues m_opening;                        // breeding: a new dialog's values
    HistoryDefinition m_withoutBcs;               // breeding: the dialog's checks but the BCS's
    std::unique_ptr<mating::CalfRisks> m_calves;  // breeding: the pedigree, read once
    double m_inbreedingLimit = 0;                 // breeding: a calf from this F on is refused
};

// Called now and then with how much of the file has been read (0 to 1); false cancels.
using ImportProgress = std::function<bool(double done)>;

// The rows of the plan's file after its header row, empty rows skipped, each with its line.
// The header row's cells go to `headers`. False (and the reason in `error`) when the file
// cannot be read; a cancel through `progress` ends it early with true.
using RowVisitor = std::function<void(const QStringList& cells, qint64 line)>;
bool readPlanRows(const ImportPlan& plan, QStringList* headers, const RowVisitor& visit, const ImportProgress& progress,
                  QString* error, bool* cancelled);

struct PreviewResult {
    ImportTotals totals;
    QStringList headers;
    bool cancelled = false;
    QString error;  // Korean; the file or the database could not be read
};
using PreviewSink = std::function<void(const QStringList& cells, qint64 line, const RowVerdict& verdict)>;
// Judges every row without writing anything.
PreviewResult previewImport(const ImportPlan& plan, const QDate& today, const PreviewSink& sink,
                            const ImportProgress& progress = {});

struct ImportOutcome {
    enum class Status {
        Done,
        Cancelled,     // nothing was stored
        BackupFailed,  // nothing was stored: no backup, no import
        Failed,        // nothing was stored: the file or the database failed part way
    };
    Status status = Status::Failed;
    ImportTotals totals;
    QString backupFile;   // the backup made just before
    QString refusedFile;  // the refused rows' file, "" when no row was refused
    // The source's folder took no file: the refused rows went beside the database instead.
    bool refusedMoved = false;
    QString error;    // Korean, when not Done; or why the refused rows' file could not be saved
    QString details;  // the database's own words, for the details button and the log
};
// The run: the backup (named "가져오기전"), then the rows in one transaction. `now` names the backup.
ImportOutcome runImport(const ImportPlan& plan, const QDate& today, const QDateTime& now,
                        const ImportProgress& progress = {});

// "<folder>/<name>-거부된행.csv" beside the source file "<folder>/<name>.<suffix>": where the
// refused rows go (beside the database when that folder takes no file), and what an import
// without a refused row removes, so an earlier import's refusals never stay beside the file.
QString refusedRowsPath(const QString& source);
