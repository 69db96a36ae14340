#pragma once
// The file step without its window: the choices of its boxes as a file to read, the file's
// first rows (for its look, the target and the header row), what is told of them, and whether
// 다음 may lead on from them.
#include "import/model/ImportFields.h"
#include "sheets/model/ImportSource.h"

#include <QList>
#include <QString>
#include <QStringList>

// Rows read for the file's look and its header row.
inline constexpr int kFirstRows = 20;

struct FirstRows {
    QList<QStringList> rows;
    QString error;  // why the reading stopped, if it did
};

// The file at `path` as the step's boxes read it: the encoding (자동, UTF-8, CP949), the
// separator (자동, 쉼표, 세미콜론, 탭) and the sheet by their place; no choice (-1) is the first.
ImportFile chosenFile(const QString& path, int encodingChoice, int separatorChoice, int sheetChoice);
// Up to `limit` rows from the start of `file`.
FirstRows readFirstRows(const ImportFile& file, int limit = kFirstRows);
// Why the file cannot be imported from: the reader's reason, or that it has no row; "" when
// 다음 may lead on.
QString firstRowsProblem(const FirstRows& first);
// What the step says of the file: the reader's reason, 엑셀 통합 문서, or the encoding read.
QString fileInfoText(const ImportFile& file, const FirstRows& first);
// The header row for `target` among the first rows; the first row when none names a field.
int headerRowFor(ImportTarget target, const QList<QStringList>& firstRows);
