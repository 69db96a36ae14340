#include "import/model/ImportRun.h"

#include "backup/model/BackupCopies.h"
#include "data/ProgramDir.h"
#include "sheets/model/SheetCells.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace {
// How often the reader reports progress (and may be cancelled): every this many rows.
constexpr qint64 kProgressRows = 500;

bool isEmptyRow(const QStringList& cells)
{
    for (const QString& c : cells)
        if (!c.trimmed().isEmpty()) return false;
    return true;
}

// The refused rows as they come, gathered in a temporary file, then put whole beside the
// source (or, when its folder takes no file, beside the database): the source's header row and
// cells, then the reason and the row's line in the source.
class RefusedRows {
public:
    explicit RefusedRows(const QStringList& headers) : m_columns(int(headers.size()))
    {
        m_out = "\xEF\xBB\xBF";  // the byte-order mark tells Excel the file is UTF-8
        QStringList head = headers;
        head << QStringLiteral("거부 사유") << QStringLiteral("원본 행");
        record(head);
    }

    void add(const QStringList& cells, qint64 line, const QString& reason)
    {
        QStringList row = cells.mid(0, m_columns);
        while (row.size() < m_columns) row << QString();
        row << reason << QString::number(line);
        record(row);
        ++m_count;
        if (m_out.size() >= (1 << 16)) flush();
    }

    qint64 count() const { return m_count; }

    // The file written whole at the first of `paths` that takes it; "" when none did.
    QString save(const QStringList& paths)
    {
        if (!flush() || !m_temp.flush()) return {};
        for (const QString& path : paths) {
            QSaveFile out(path);
            if (!out.open(QIODevice::WriteOnly) || !m_temp.seek(0)) continue;
            bool ok = true;
            while (ok && !m_temp.atEnd()) {
                const QByteArray some = m_temp.read(1 << 20);
                ok = !some.isEmpty() && out.write(some) == some.size();
            }
            if (ok && out.commit()) return path;
        }
        return {};
    }

private:
    void record(const QStringList& cells)
    {
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0) m_out += ',';
            // A cell that a spreadsheet would run as a formula is shown as text, as the export does.
            appendCsvField(m_out, guardedCell(cells[i]));
        }
        m_out += "\r\n";
    }
    bool flush()
    {
        if (m_out.isEmpty() || !m_ok) return m_ok;
        if (!m_temp.isOpen()) m_ok = m_temp.open();
        m_ok = m_ok && m_temp.write(m_out) == m_out.size();
        m_out.clear();
        return m_ok;
    }

    QTemporaryFile m_temp;
    int m_columns;
    QByteArray m_out;
    qint64 m_count = 0;
    bool m_ok = true;
};

const QString kReadFailed = QStringLiteral("파일을 읽는 중에 오류가 발생했습니다.");
}  // namespace

bool readPlanRows(const ImportPlan& plan, QStringList* headers, const RowVisitor& visit, const ImportProgress& progress,
                  QString* error, bool* cancelled)
{
    *cancelled = false;
    QString openError;
    const std::unique_ptr<RowReader> rows = openRows(plan.file, &openError);
    if (!rows) {
        *error = openError;
        return false;
    }
    QStringList cells;
    qint64 index = 0, sinceProgress = 0;
    while (rows->next(cells)) {
        const qint64 at = index++;
        if (at < plan.headerRow) continue;
        if (at == plan.headerRow) {
            if (headers) *headers = cells;
            continue;
        }
        if (!isEmptyRow(cells)) visit(cells, rows->line());
        if (++sinceProgress >= kProgressRows) {
            sinceProgress = 0;
            if (progress && !progress(rows->done())) {
                *cancelled = true;
                return true;
            }
        }
    }
    if (!rows->error().isEmpty()) {
        *error = rows->error();
        return false;
    }
    return true;
}

PreviewResult previewImport(const ImportPlan& plan, const QDate& today, const PreviewSink& sink,
                            const ImportProgress& progress)
{
    PreviewResult result;
    try {
        RowJudge judge(plan, today);
        const bool read = readPlanRows(
            plan, &result.headers,
            [&](const QStringList& cells, qint64 line) {
                const RowVerdict v = judge.judge(cells, line, nullptr);
                ++result.totals.counts[size_t(v.verdict)];
                if (sink) sink(cells, line, v);
            },
            progress, &result.error, &result.cancelled);
        if (!read && result.error.isEmpty()) result.error = kReadFailed;
    } catch (const DbError& e) {
        const QString sentence = koreanErrorSentence(e);
        result.error = sentence.isEmpty() ? QStringLiteral("데이터베이스를 읽는 중에 오류가 발생했습니다.") : sentence;
    }
    return result;
}

QString refusedRowsPath(const QString& source)
{
    const QFileInfo info(source);
    return info.absolutePath() + u'/' + info.completeBaseName() + QStringLiteral("-거부된행.csv");
}

namespace {
// The statements of the run, each prepared once: a million rows use one or two statements.
class Statements {
public:
    void run(const BoundStatement& s)
    {
        auto it = m_prepared.find(s.sql);
        if (it == m_prepared.end()) {
            QSqlQuery q(gConn);
            if (!q.prepare(s.sql)) throw DbError(q.lastError());
            it = m_prepared.insert(s.sql, q);
        }
        QSqlQuery& q = *it;
        for (int i = 0; i < s.binds.size(); ++i) q.bindValue(i, bindable(s.binds[i]));
        if (!q.exec()) throw DbError(q.lastError());
    }

private:
    QHash<QString, QSqlQuery> m_prepared;
};
}  // namespace

ImportOutcome runImport(const ImportPlan& plan, const QDate& today, const QDateTime& now,
                        const ImportProgress& progress)
{
    ImportOutcome out;
    // The file is opened first: one that cannot be read stops the import before any backup.
    // The header row is needed before the first refused row too: it heads their file.
    QStringList headers;
    {
        const std::unique_ptr<RowReader> rows = openRows(plan.file, &out.error);
        if (!rows) return out;
        QStringList cells;
        for (qint64 i = 0; i <= plan.headerRow && rows->next(cells); ++i) headers = cells;
    }
    // The second folder is a spare, as for every automatic backup: its trouble stops nothing.
    const BackupResult backup = writeAutomaticBackup(databaseFilePath(), now, kImportBackupLabel).local;
    if (!backup.ok) {
        out.status = ImportOutcome::Status::BackupFailed;
        out.error = QStringLiteral("가져오기 전에 데이터베이스를 백업하지 못해 가져오지 않았습니다.");
        out.details = backup.error;
        return out;
    }
    out.backupFile = backup.file;

    RefusedRows refused(headers);
    try {
        RowJudge judge(plan, today);
        Statements statements;
        Transaction tx;
        bool cancelled = false;
        QString readError;
        const bool read = readPlanRows(
            plan, nullptr,
            [&](const QStringList& cells, qint64 line) {
                BoundStatement write;
                const RowVerdict v = judge.judge(cells, line, &write);
                ++out.totals.counts[size_t(v.verdict)];
                if (v.verdict == Verdict::Refused) refused.add(cells, line, v.detail);
                if (!write.sql.isEmpty()) statements.run(write);
            },
            progress, &readError, &cancelled);
        if (cancelled) {
            out.status = ImportOutcome::Status::Cancelled;
            out.totals = {};
            return out;  // the transaction rolls back as it goes
        }
        if (!read) {
            out.error = readError.isEmpty() ? kReadFailed : readError;
            out.totals = {};
            return out;
        }
        tx.commit();
    } catch (const DbError& e) {
        const QString sentence = koreanErrorSentence(e);
        out.error = sentence.isEmpty() ? QStringLiteral("데이터베이스에 저장하는 중에 오류가 발생했습니다.") : sentence;
        out.details = technicalText(e);
        out.totals = {};
        return out;
    }
    out.status = ImportOutcome::Status::Done;
    const QString besideSource = refusedRowsPath(plan.file.path);
    if (refused.count() == 0) {
        // A file left by an earlier import would read as this one's refusals.
        if (QFileInfo(besideSource).isFile()) QFile::remove(besideSource);
        return out;
    }
    const QString besideDatabase =
        QFileInfo(databaseFilePath()).absolutePath() + u'/' + QFileInfo(besideSource).fileName();
    out.refusedFile = refused.save({besideSource, besideDatabase});
    out.refusedMoved = !out.refusedFile.isEmpty() && out.refusedFile != besideSource;
    if (out.refusedFile.isEmpty())
        out.error = QStringLiteral(
            "거부된 행의 파일을 저장하지 못했습니다. 원본 파일의 폴더와 데이터베이스 폴더에 쓸 수 있는지, 디스크에 "
            "남은 공간이 있는지 확인해 주세요.");
    return out;
}
