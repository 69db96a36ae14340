#include "print/model/ReportDefinition.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <cmath>

namespace report {

namespace {

enum class Section { None, Report, Header, Form, Table, Footer };

struct Parser {
    Definition def;
    Section section = Section::None;
    int lineNo = 0;
    QString error;

    bool fail(const QString& what)
    {
        error = QStringLiteral("줄 %1: %2").arg(lineNo).arg(what);
        return false;
    }

    bool number(const QString& token, double* out, bool allowEdge = false, bool* edge = nullptr)
    {
        if (allowEdge && token == QLatin1String("*")) {
            *edge = true;
            *out = 0;
            return true;
        }
        bool ok = false;
        const double v = token.toDouble(&ok);
        if (!ok || v < 0) return fail(QStringLiteral("'%1'은(는) 올바른 숫자가 아닙니다.").arg(token));
        *out = v;
        return true;
    }

    // Parses a text with placeholders. Columns and row numbers exist only in table cells.
    bool parseTemplate(const QString& src, bool rowContext, Template* out)
    {
        Template t;
        QString literal;
        auto flush = [&] {
            if (!literal.isEmpty()) t.push_back({Part::Literal, literal, 0});
            literal.clear();
        };
        for (qsizetype i = 0; i < src.size(); ++i) {
            const QChar c = src.at(i);
            if (c == u'\\' && i + 1 < src.size() && src.at(i + 1) == u'n') {
                literal += u'\n';
                ++i;
            } else if (c == u'{' && i + 1 < src.size() && src.at(i + 1) == u'{') {
                literal += u'{';
                ++i;
            } else if (c == u'}' && i + 1 < src.size() && src.at(i + 1) == u'}') {
                literal += u'}';
                ++i;
            } else if (c == u'{') {
                const qsizetype end = src.indexOf(u'}', i + 1);
                if (end < 0) return fail(QStringLiteral("'{'를 닫는 '}'가 없습니다."));
                const QString name = src.mid(i + 1, end - i - 1).trimmed();
                if (name.isEmpty()) return fail(QStringLiteral("'{}' 안에 이름이 없습니다."));
                if (name.contains(u'{')) return fail(QStringLiteral("'{'를 닫는 '}'가 없습니다."));
                flush();
                bool digits = false;
                const int col = name.toInt(&digits);
                if (digits) {
                    if (!rowContext)
                        return fail(QStringLiteral("열 번호 {%1}은(는) 표의 칸에서만 쓸 수 있습니다.").arg(name));
                    if (col < 1) return fail(QStringLiteral("열 번호는 1부터 시작합니다."));
                    t.push_back({Part::Column, QString(), col});
                } else if (name.startsWith(u'@')) {
                    const QString b = name.mid(1).trimmed();
                    if (b == QStringLiteral("쪽"))
                        t.push_back({Part::Page, {}, 0});
                    else if (b == QStringLiteral("쪽수"))
                        t.push_back({Part::Pages, {}, 0});
                    else if (b == QStringLiteral("출력일"))
                        t.push_back({Part::PrintDate, {}, 0});
                    else if (b == QStringLiteral("제목"))
                        t.push_back({Part::Title, {}, 0});
                    else if (b == QStringLiteral("번호") && rowContext)
                        t.push_back({Part::RowNumber, {}, 0});
                    else
                        return fail(QStringLiteral("알 수 없는 이름 {%1}").arg(name));
                } else {
                    t.push_back({Part::Formula, name, 0});
                }
                i = end;
            } else {
                literal += c;
            }
        }
        flush();
        *out = t;
        return true;
    }

    // `column`: the options only a table column has are allowed.
    bool parseOptions(const QStringList& tokens, Style* s, bool column = false)
    {
        for (const QString& tok : tokens) {
            const qsizetype eq = tok.indexOf(u'=');
            const QString key = eq < 0 ? tok : tok.left(eq);
            const QString val = eq < 0 ? QString() : tok.mid(eq + 1);
            if (eq < 0) {
                if (key == QLatin1String("left"))
                    s->horizontal = Qt::AlignLeft;
                else if (key == QLatin1String("center"))
                    s->horizontal = Qt::AlignHCenter;
                else if (key == QLatin1String("right"))
                    s->horizontal = Qt::AlignRight;
                else if (key == QLatin1String("top"))
                    s->vertical = Qt::AlignTop;
                else if (key == QLatin1String("middle"))
                    s->vertical = Qt::AlignVCenter;
                else if (key == QLatin1String("bottom"))
                    s->vertical = Qt::AlignBottom;
                else if (key == QLatin1String("bold"))
                    s->bold = true;
                else if (key == QLatin1String("shade"))
                    s->shade = true;
                else if (key == QLatin1String("wrap"))
                    s->wrap = true;
                else
                    return fail(QStringLiteral("알 수 없는 선택 '%1'").arg(tok));
                continue;
            }
            double v = 0;
            if (!number(val, &v)) return false;
            if (key == QLatin1String("size")) {
                if (v <= 0) return fail(QStringLiteral("글자 크기는 0보다 커야 합니다."));
                s->size = v;
            } else if (key == QLatin1String("pen")) {
                s->pen = v;
            } else if (key == QLatin1String("label")) {
                s->label = v;
            } else if (key == QLatin1String("boldif") && column) {
                if (v < 1 || v != std::floor(v))
                    return fail(QStringLiteral("boldif에는 1부터 시작하는 열 번호를 씁니다."));
                s->boldIf = int(v);
            } else {
                return fail(QStringLiteral("알 수 없는 선택 '%1'").arg(tok));
            }
        }
        return true;
    }

    Band* band()
    {
        switch (section) {
        case Section::Header: return &def.header;
        case Section::Form: return &def.form;
        case Section::Footer: return &def.footer;
        default: return nullptr;
        }
    }

    bool startSection(const QString& line)
    {
        if (!line.endsWith(u']')) return fail(QStringLiteral("구역 이름이 ']'로 끝나지 않습니다."));
        const QString name = line.mid(1, line.size() - 2).trimmed();
        Section s = Section::None;
        if (name == QLatin1String("report"))
            s = Section::Report;
        else if (name == QLatin1String("header"))
            s = Section::Header;
        else if (name == QLatin1String("form"))
            s = Section::Form;
        else if (name == QLatin1String("table"))
            s = Section::Table;
        else if (name == QLatin1String("footer"))
            s = Section::Footer;
        else
            return fail(QStringLiteral("알 수 없는 구역 [%1]").arg(name));
        if (section == Section::None && s != Section::Report)
            return fail(QStringLiteral("파일은 [report] 구역으로 시작해야 합니다."));
        if (seen.contains(s)) return fail(QStringLiteral("구역 [%1]이(가) 두 번 나옵니다.").arg(name));
        seen.push_back(s);
        section = s;
        if (Band* b = band()) b->present = true;
        if (s == Section::Table) def.table.present = true;
        return true;
    }
    QList<Section> seen;

    bool setting(const QString& key, const QString& value)
    {
        double v = 0;
        switch (section) {
        case Section::Report:
            if (key == QLatin1String("page")) {
                if (value.compare(QLatin1String("A4"), Qt::CaseInsensitive) != 0)
                    return fail(QStringLiteral("용지는 A4만 쓸 수 있습니다."));
                return true;
            }
            if (key == QLatin1String("orientation")) {
                if (value == QLatin1String("portrait"))
                    def.landscape = false;
                else if (value == QLatin1String("landscape"))
                    def.landscape = true;
                else
                    return fail(QStringLiteral("방향은 portrait 또는 landscape입니다."));
                return true;
            }
            if (key == QLatin1String("margins")) {
                const QStringList p = value.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
                if (p.size() != 4) return fail(QStringLiteral("여백은 왼쪽 위 오른쪽 아래 네 숫자입니다."));
                double m[4];
                for (int i = 0; i < 4; ++i)
                    if (!number(p[i], &m[i])) return false;
                def.margins = QMarginsF(m[0], m[1], m[2], m[3]);
                return true;
            }
            if (key == QLatin1String("font")) {
                if (value.isEmpty()) return fail(QStringLiteral("글꼴 이름이 없습니다."));
                def.font = value;
                return true;
            }
            if (key == QLatin1String("size")) {
                if (!number(value, &v)) return false;
                if (v <= 0) return fail(QStringLiteral("글자 크기는 0보다 커야 합니다."));
                def.size = v;
                return true;
            }
            break;
        case Section::Header:
        case Section::Form:
        case Section::Footer:
            if (key == QLatin1String("height")) {
                if (!number(value, &v)) return false;
                band()->height = v;
                return true;
            }
            if (key == QLatin1String("fixed") && section == Section::Form) {
                if (value == QLatin1String("yes"))
                    def.form.fixed = true;
                else if (value == QLatin1String("no"))
                    def.form.fixed = false;
                else
                    return fail(QStringLiteral("fixed는 yes 또는 no입니다."));
                return true;
            }
            break;
        case Section::Table:
            if (key == QLatin1String("source")) {
                if (value.isEmpty()) return fail(QStringLiteral("source에 작업 테이블 이름이 없습니다."));
                def.table.source = value;
                return true;
            }
            if (key == QLatin1String("size")) {
                if (!number(value, &v)) return false;
                if (v <= 0) return fail(QStringLiteral("글자 크기는 0보다 커야 합니다."));
                def.table.size = v;
                return true;
            }
            if (key == QLatin1String("header-height") || key == QLatin1String("row-height")) {
                if (!number(value, &v)) return false;
                if (v <= 0) return fail(QStringLiteral("높이는 0보다 커야 합니다."));
                (key == QLatin1String("row-height") ? def.table.rowHeight : def.table.headerHeight) = v;
                return true;
            }
            if (key == QLatin1String("empty")) return parseTemplate(value, false, &def.table.empty);
            if (key == QLatin1String("section-title")) return rowMark(key, value, &def.table.sectionTitle);
            if (key == QLatin1String("section-header")) return rowMark(key, value, &def.table.sectionHeader);
            break;
        case Section::None: return fail(QStringLiteral("파일은 [report] 구역으로 시작해야 합니다."));
        }
        return fail(QStringLiteral("이 구역에서 알 수 없는 설정 '%1'").arg(key));
    }

    // "N TEXT": the rows whose work-table column N holds TEXT.
    bool rowMark(const QString& key, const QString& value, RowMark* out)
    {
        const qsizetype space = value.indexOf(QRegularExpression(QStringLiteral("\\s")));
        bool ok = false;
        const int column = value.left(space).toInt(&ok);
        const QString text = space < 0 ? QString() : value.mid(space + 1).trimmed();
        if (!ok || column < 1 || text.isEmpty())
            return fail(QStringLiteral("%1에는 열 번호와 그 열의 글자를 씁니다 (예: %1 = 1 제목).").arg(key));
        *out = RowMark{column, text};
        return true;
    }

    bool element(const QString& kind, const QString& line)
    {
        const qsizetype bar = line.indexOf(u'|');
        const QString head = bar < 0 ? line : line.left(bar);
        const QString tail = bar < 0 ? QString() : line.mid(bar + 1);
        QStringList tokens = head.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        tokens.removeFirst();  // the kind

        if (kind == QLatin1String("column")) {
            if (section != Section::Table) return fail(QStringLiteral("column은 [table] 구역에만 쓸 수 있습니다."));
            if (tokens.isEmpty()) return fail(QStringLiteral("column에 너비가 없습니다."));
            Column c;
            if (!number(tokens.takeFirst(), &c.width)) return false;
            if (c.width <= 0) return fail(QStringLiteral("열 너비는 0보다 커야 합니다."));
            if (!parseOptions(tokens, &c.style, true)) return false;
            const qsizetype bar2 = tail.indexOf(u'|');
            if (bar < 0 || bar2 < 0) return fail(QStringLiteral("column은 '| 제목 | 칸 내용' 형식입니다."));
            if (!parseTemplate(tail.left(bar2).trimmed(), false, &c.header)) return false;
            if (!parseTemplate(tail.mid(bar2 + 1).trimmed(), true, &c.cell)) return false;
            def.table.columns.push_back(c);
            return true;
        }

        Band* b = band();
        if (!b) return fail(QStringLiteral("%1은(는) [header], [form], [footer] 구역에만 쓸 수 있습니다.").arg(kind));
        Element e;
        if (kind == QLatin1String("text"))
            e.kind = Element::Text;
        else if (kind == QLatin1String("box"))
            e.kind = Element::Box;
        else if (kind == QLatin1String("field"))
            e.kind = Element::Field;
        else
            e.kind = Element::Line;
        if (e.kind == Element::Box) e.style.horizontal = Qt::AlignHCenter;
        if (tokens.size() < 4) return fail(QStringLiteral("%1에는 위치와 크기 네 숫자가 필요합니다.").arg(kind));
        if (!number(tokens[0], &e.x) || !number(tokens[1], &e.y) || !number(tokens[2], &e.w, true, &e.toEdge) ||
            !number(tokens[3], &e.h))
            return false;
        if (!parseOptions(tokens.mid(4), &e.style)) return false;
        if (e.kind == Element::Line) {
            if (bar >= 0) return fail(QStringLiteral("line에는 글자를 쓸 수 없습니다."));
        } else if (e.kind == Element::Field) {
            const qsizetype bar2 = tail.indexOf(u'|');
            if (bar < 0 || bar2 < 0) return fail(QStringLiteral("field는 '| 이름표 | 값' 형식입니다."));
            if (!parseTemplate(tail.left(bar2).trimmed(), false, &e.label)) return false;
            if (!parseTemplate(tail.mid(bar2 + 1).trimmed(), false, &e.text)) return false;
        } else {
            if (!parseTemplate(tail.trimmed(), false, &e.text)) return false;
        }
        b->elements.push_back(e);
        return true;
    }

    bool line(const QString& raw)
    {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) return true;
        if (line.startsWith(u'[')) return startSection(line);
        if (section == Section::None) return fail(QStringLiteral("파일은 [report] 구역으로 시작해야 합니다."));
        const QString kind = line.section(QRegularExpression(QStringLiteral("[\\s|=]")), 0, 0);
        static const QStringList kinds = {QStringLiteral("text"), QStringLiteral("box"), QStringLiteral("field"),
                                          QStringLiteral("line"), QStringLiteral("column")};
        if (kinds.contains(kind) && !line.mid(kind.size()).trimmed().startsWith(u'=')) return element(kind, line);
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) return fail(QStringLiteral("알아볼 수 없는 줄입니다: %1").arg(line));
        return setting(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }

    bool finish()
    {
        if (section == Section::None) return fail(QStringLiteral("[report] 구역이 없습니다."));
        if (def.table.present) {
            if (def.table.source.isEmpty()) return fail(QStringLiteral("[table]에 source가 없습니다."));
            if (def.table.columns.isEmpty()) return fail(QStringLiteral("[table]에 column이 없습니다."));
        }
        const double usable = pageHeight(def) - def.margins.top() - def.margins.bottom();
        if (def.header.height + def.footer.height >= usable)
            return fail(QStringLiteral("머리말과 꼬리말이 쪽보다 높습니다."));
        if (def.header.height + def.form.height + def.footer.height > usable + 1e-6)
            return fail(QStringLiteral("[form]이 한 쪽에 들어가지 않습니다. height를 줄여 주세요."));
        if (pageWidth(def) - def.margins.left() - def.margins.right() <= 0)
            return fail(QStringLiteral("여백이 용지보다 넓습니다."));
        return true;
    }
};

}  // namespace

bool RowMark::picks(const QStringList& row) const
{
    return column > 0 && row.value(column - 1).trimmed() == value;
}

double pageWidth(const Definition& d)
{
    return d.landscape ? 297.0 : 210.0;
}
double pageHeight(const Definition& d)
{
    return d.landscape ? 210.0 : 297.0;
}

bool parseDefinition(const QString& text, Definition* out, QString* error)
{
    Parser p;
    const QStringList lines = text.split(u'\n');
    for (const QString& l : lines) {
        ++p.lineNo;
        if (!p.line(l)) {
            if (error) *error = p.error;
            return false;
        }
    }
    p.lineNo = int(lines.size());
    if (!p.finish()) {
        if (error) *error = p.error;
        return false;
    }
    *out = p.def;
    return true;
}

bool loadDefinition(const QString& path, Definition* out, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("출력 양식 파일을 열 수 없습니다: %1").arg(path);
        return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(f.readAll());
    if (utf8.hasError()) {
        if (error) *error = QStringLiteral("출력 양식 파일이 UTF-8 글자가 아닙니다: %1").arg(path);
        return false;
    }
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    text.remove(u'\r');
    return parseDefinition(text, out, error);
}

}  // namespace report
