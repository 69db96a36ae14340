#pragma once
// Files to import, made in a folder of the test's own: bytes as given, text in CP949 through
// Python's codec, workbooks through openpyxl (neither shares code with the program's readers).
#include "data/Db.h"
#include "data/Values.h"
#include "import/model/ImportFields.h"
#include "import/model/ImportRun.h"
#include "sheets/model/ImportSource.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QProcess>
#include <QSqlRecord>
#include <QTemporaryDir>

class ImportFiles {
public:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString bytes(const QString& name, const QByteArray& content) const
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path(name);
    }
    QString utf8(const QString& name, const QString& text, bool bom = false) const
    {
        return bytes(name, (bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8());
    }
    QString cp949(const QString& name, const QString& text) const
    {
        const QString source = utf8(name + QStringLiteral(".utf8"), text);
        python(QStringLiteral("import sys; open(sys.argv[1], 'wb').write(open(sys.argv[2], 'rb').read().decode('utf-8')"
                              ".encode('cp949'))"),
               {path(name), source});
        return path(name);
    }
    // A workbook of sheets; each cell of a row is [value] or [value, number format] (a date
    // cell's value is "yyyy-mm-dd" with a format), null for an empty cell. Text values stay text.
    QString xlsx(const QString& name, const QJsonArray& sheets) const
    {
        static const QString script = QStringLiteral(R"(
import sys, json, datetime, openpyxl
wb = openpyxl.Workbook()
wb.remove(wb.active)
for sheet in json.loads(sys.argv[2]):
    ws = wb.create_sheet(sheet['name'])
    for r, row in enumerate(sheet['rows'], start=1):
        for c, cell in enumerate(row, start=1):
            if cell is None: continue
            v = cell[0]
            target = ws.cell(row=r, column=c)
            if len(cell) > 1:
                if isinstance(v, str): v = datetime.datetime.strptime(v, '%Y-%m-%d')
                target.value = v
                target.number_format = cell[1]
            else:
                target.value = v
                if isinstance(v, str): target.data_type = 's'
wb.save(sys.argv[1])
)");
        python(script, {path(name), QString::fromUtf8(QJsonDocument(sheets).toJson(QJsonDocument::Compact))});
        return path(name);
    }

    // A workbook of the given parts (zip entry name -> content) exactly as written, for what
    // openpyxl never writes: phonetic guides, runs, cells without a reference, error cells, the
    // 1904 date system. The parts go through a folder: a large sheet is no command-line argument.
    QString xlsxParts(const QString& name, const QMap<QString, QByteArray>& parts) const
    {
        const QString folder = path(name + QStringLiteral(".parts"));
        for (auto p = parts.constBegin(); p != parts.constEnd(); ++p) {
            const QString file = folder + u'/' + p.key();
            QDir().mkpath(QFileInfo(file).absolutePath());
            bytes(QDir(m_dir.path()).relativeFilePath(file), p.value());
        }
        python(QStringLiteral("import sys, os, zipfile\n"
                              "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
                              "    for root, _, files in os.walk(sys.argv[2]):\n"
                              "        for f in files:\n"
                              "            full = os.path.join(root, f)\n"
                              "            z.write(full, os.path.relpath(full, sys.argv[2]))\n"),
               {path(name), folder});
        return path(name);
    }

private:
    static void python(const QString& script, const QStringList& args)
    {
        const QString system = QStringLiteral("/usr/bin/python3");
        QProcess p;
        p.start(QFileInfo::exists(system) ? system : QStringLiteral("python3"),
                QStringList{QStringLiteral("-c"), script} + args);
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }

    QTemporaryDir m_dir;
};

// Every row of a file as the reader gives it.
inline QList<QStringList> allRows(const ImportFile& file, QList<qint64>* lines = nullptr)
{
    QString error;
    const std::unique_ptr<RowReader> rows = openRows(file, &error);
    EXPECT_TRUE(rows) << error.toStdString();
    QList<QStringList> out;
    if (!rows) return out;
    QStringList cells;
    while (rows->next(cells)) {
        out << cells;
        if (lines) *lines << rows->line();
    }
    EXPECT_TRUE(rows->error().isEmpty()) << rows->error().toStdString();
    return out;
}

// Every row of a table of the open farm as its values' texts joined by '|', in `order`.
inline QStringList storedRows(const QString& table, const QString& order)
{
    QStringList rows;
    QSqlQuery q = runQuery(QStringLiteral("select * from %1 order by %2").arg(table, order));
    while (q.next()) {
        QStringList cells;
        for (int c = 0; c < q.record().count(); ++c) cells << NullTrim(q.value(c));
        rows << cells.join(u'|');
    }
    return rows;
}

// The plan the assistant would make of a file: its header row found, its columns matched.
inline ImportPlan planFor(const QString& file, ImportTarget target, ImportPolicy policy = ImportPolicy::AddOnly)
{
    ImportPlan plan;
    plan.file.path = file;
    plan.target = target;
    plan.policy = policy;
    QList<QStringList> first = allRows(plan.file);
    first = first.mid(0, 20);
    plan.headerRow = std::max(0, findHeaderRow(target, first));
    plan.mapping = matchHeaders(target, first.value(plan.headerRow));
    return plan;
}

// Each row's verdict in a preview of `plan`, keyed by the row's first cell (the case's name).
inline QHash<QString, RowVerdict> verdictsByFirstCell(const ImportPlan& plan, const QDate& today)
{
    QHash<QString, RowVerdict> out;
    const PreviewResult r = previewImport(
        plan, today, [&](const QStringList& cells, qint64, const RowVerdict& v) { out.insert(cells.value(0), v); });
    EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    return out;
}
