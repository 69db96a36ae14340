#include "support/ExportReaders.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>

namespace {
QJsonObject runPython(const QString& script, const QString& file)
{
    // Debian's python3-openpyxl belongs to the system interpreter, which another python3
    // earlier on the PATH would not see.
    const QString system = QStringLiteral("/usr/bin/python3");
    QProcess p;
    p.start(QFileInfo::exists(system) ? system : QStringLiteral("python3"), {QStringLiteral("-c"), script, file});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {{QStringLiteral("error"), QString::fromUtf8(p.readAllStandardError())}};
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}
}  // namespace

QJsonObject readXlsx(const QString& file)
{
    // The first sheet, as readXlsxSheets reads it.
    return readXlsxSheets(file).value(QStringLiteral("sheets")).toArray().at(0).toObject();
}

QJsonObject checkXlsxPackage(const QString& file)
{
    static const QString script = QStringLiteral(R"(
import sys, json, zipfile, openpyxl
import xml.etree.ElementTree as ET
z = zipfile.ZipFile(sys.argv[1])
bad = z.testzip()
parts = z.namelist()
malformed = []
for name in parts:
    try: ET.fromstring(z.read(name))
    except ET.ParseError: malformed.append(name)
wb = openpyxl.load_workbook(sys.argv[1])
sheets = [{'name': ws.title, 'filter': ws.auto_filter.ref, 'freeze': ws.freeze_panes, 'rows': ws.max_row}
          for ws in wb.worksheets]
print(json.dumps({'bad': bad, 'parts': parts, 'malformed': malformed, 'sheets': sheets}))
)");
    return runPython(script, file);
}

QJsonObject readXlsxSheets(const QString& file)
{
    static const QString script = QStringLiteral(R"(
import sys, json, datetime, openpyxl
sheets = []
for ws in openpyxl.load_workbook(sys.argv[1]).worksheets:
    rows = []
    for row in ws.iter_rows():
        cells = []
        for c in row:
            v = c.value
            if v is None: kind = 'empty'
            elif isinstance(v, datetime.datetime): kind, v = 'date', v.strftime('%Y-%m-%d')
            elif isinstance(v, (int, float)): kind = 'number'
            else: kind = 'text'
            color = c.font.color.rgb if c.font.color is not None and isinstance(c.font.color.rgb, str) else None
            cells.append({'v': v, 'kind': kind, 'fmt': c.number_format, 'bold': bool(c.font.b), 'color': color})
        rows.append(cells)
    widths = {k: d.width for k, d in ws.column_dimensions.items()}
    sheets.append({'sheet': ws.title, 'freeze': ws.freeze_panes, 'widths': widths, 'rows': rows})
print(json.dumps({'sheets': sheets}))
)");
    return runPython(script, file);
}

QJsonObject readCsv(const QString& file)
{
    static const QString script = QStringLiteral(R"(
import sys, json, csv, io
raw = open(sys.argv[1], 'rb').read()
rows = list(csv.reader(io.StringIO(raw.decode('utf-8-sig'), newline='')))
print(json.dumps({'bom': raw.startswith(b'\xef\xbb\xbf'), 'crlf': raw.endswith(b'\r\n'), 'rows': rows}))
)");
    return runPython(script, file);
}

QStringList xlsxTexts(const QJsonArray& row)
{
    QStringList texts;
    for (const auto& cell : row) {
        const QJsonValue v = cell.toObject().value(QStringLiteral("v"));
        texts << (v.isDouble() ? QString::number(v.toDouble(), 'g', 15) : v.toString());
    }
    return texts;
}

QJsonObject readICalendar(const QString& file)
{
    static const QString script = QStringLiteral(R"(
import sys, json, icalendar
raw = open(sys.argv[1], 'rb').read()
lines = raw.split(b'\r\n')
utf8 = True
for line in lines:
    try:
        line.decode('utf-8')
    except UnicodeDecodeError:
        utf8 = False
cal = icalendar.Calendar.from_ical(raw)
events = []
for ev in cal.walk('VEVENT'):
    start, end = ev.decoded('DTSTART'), ev.decoded('DTEND')
    events.append({'uid': str(ev['UID']), 'summary': str(ev['SUMMARY']), 'description': str(ev['DESCRIPTION']),
                   'start': start.isoformat(), 'end': end.isoformat(),
                   'allDay': ev['DTSTART'].params.get('VALUE') == 'DATE' and ev['DTEND'].params.get('VALUE') == 'DATE'
                             and type(start).__name__ == 'date' and type(end).__name__ == 'date',
                   'stamp': ev.decoded('DTSTAMP').isoformat()})
print(json.dumps({'calendar': {k: str(v) for k, v in cal.items()}, 'events': events,
                  'crlf': raw.endswith(b'\r\n') and b'\n' not in raw.replace(b'\r\n', b''),
                  'longest': max(len(l) for l in lines), 'utf8': utf8,
                  'folded': sum(1 for l in lines if l.startswith(b' '))}))
)");
    return runPython(script, file);
}
