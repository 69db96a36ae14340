#pragma once
// What the assistant tells of an import in words: the columns matched, the preview's totals,
// the question before the run and the outcome after it.
#include "import/model/ImportRun.h"

#include <QString>

// Above the column table: a matching kept from an earlier file, or how many fields the headers named.
QString columnsNoteText(bool recalled, int matched);
// "모두 n행: 신규 n건, 갱신 n건, 동일 n건, 제외 n건, 거부 n건".
QString totalsText(const ImportTotals& totals);
// The records the run would write: the new and the changed ones.
qint64 recordsToStore(const ImportTotals& totals);
// The question before the run, the backup named.
QString importQuestion(ImportTarget target, qint64 storing);
// The finished import: each total, the backup and where the refused rows went.
QString outcomeText(const ImportOutcome& outcome);

// The fields the preview lists, by their place in importFields: those the plan gives a source.
QList<int> previewFields(const ImportPlan& plan);
// A row of the preview: its line, verdict and detail, then each of `fields`: a refused row's
// cell as typed, any other's value as it will be stored.
QStringList previewRow(const ImportPlan& plan, const QList<int>& fields, const QStringList& cells, qint64 line,
                       const RowVerdict& verdict);
