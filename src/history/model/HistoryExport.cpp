#include "history/model/HistoryExport.h"

#include <QSqlRecord>

namespace history {
namespace {
// The text of a stored field in the file.
QString exportedText(const EntryField& f, const StoredRecord& r)
{
    switch (f.kind) {
    case FieldKind::Text: return r.text(f.name);
    case FieldKind::Date:
    case FieldKind::CheckedDate:
        return r.isSet(f.name) ? r.date(f.name).toString(QStringLiteral("yyyy-MM-dd")) : QString();
    case FieldKind::Choice: {
        // An option outside its box's date was never chosen (stored -1).
        if (!f.group.isEmpty() && !r.isSet(f.group)) return QString();
        const double n = r.number(f.name);
        return n == 0 || n == 1 ? f.options.value(int(n)).second : QString();
    }
    }
    return {};
}

CellKind kindOf(const EntryField& f)
{
    if (f.kind == FieldKind::Date || f.kind == FieldKind::CheckedDate) return CellKind::Date;
    return f.kind == FieldKind::Text && f.store == TextStore::Number ? CellKind::Number : CellKind::Text;
}

// A caption padded for the dialog's layout ("비      고") as one word.
QString withoutBlanks(const QString& caption)
{
    QString s = caption;
    s.removeIf([](QChar c) { return c.isSpace(); });
    return s;
}
}  // namespace

ExportTable exportRecords(const HistoryDefinition& h, const QString& animal)
{
    ExportTable t;
    QList<const EntryField*> fields;
    t.headers << QString::fromUtf16(kExportNumberHeader);
    t.kinds << CellKind::Text;
    const QStringList grid = h.gridColumns();
    for (int c = 0; c < grid.size(); ++c) {
        const EntryField* f = h.field(grid[c]);
        if (!f) continue;
        fields << f;
        t.headers << h.headers.value(c, f->caption).simplified();
        t.kinds << h.columnKinds.value(c, kindOf(*f));
    }
    for (const EntryField& f : h.fields) {
        if (grid.contains(f.name)) continue;
        fields << &f;
        t.headers << withoutBlanks(f.caption);
        t.kinds << kindOf(f);
    }
    const BoundStatement st = loadQuery(h, animal);
    QSqlQuery q = runQuery(st.sql, st.binds);
    while (q.next()) {
        const QSqlRecord record = q.record();
        const StoredRecord r(record);
        QStringList row{animal};
        for (const EntryField* f : fields) row << exportedText(*f, r);
        t.rows << row;
    }
    return t;
}
}  // namespace history
