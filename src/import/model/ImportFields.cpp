#include "import/model/ImportFields.h"

#include <QCryptographicHash>
#include <QSettings>
#include <algorithm>
#include <tuple>

namespace {
ImportField field(const char16_t* key, const char16_t* caption, std::initializer_list<const char16_t*> aliases,
                  bool required = false)
{
    ImportField f{QString::fromUtf16(key), QString::fromUtf16(caption), {}, required};
    for (const char16_t* a : aliases) f.aliases << QString::fromUtf16(a);
    return f;
}

// The animal's number goes by many names; the same for both tables.
const std::initializer_list<const char16_t*> kNumberNames = {
    u"개체번호", u"개체식별번호", u"이력번호", u"개체식별", u"개체번호(개체식별)", u"귀표번호", u"소번호"};

QList<ImportField> animalFields()
{
    return {
        field(u"개체번호", u"개체번호", kNumberNames, true),
        // The search list's own "구분" holds 순종/교잡종 beside its "암/수소": ranked after the
        // sex's better names, so a file with both gives each its own.
        field(u"구분", u"암/수 구분", {u"암/수소", u"암/수", u"암수", u"성별", u"암수구분", u"구분"}),
        field(u"구분2", u"순종/교잡종", {u"순종/교잡종", u"품종구분", u"순종여부", u"구분2", u"품종", u"구분"}),
        field(u"개체생일", u"개체생일", {u"개체생일", u"생년월일", u"출생일자", u"출생일", u"생일"}),
        field(u"등록번호", u"종축등록번호", {u"종축등록번호", u"등록번호", u"혈통등록번호", u"종축등록"}),
        field(u"별명", u"목장명", {u"목장명", u"별명", u"이름"}),
        field(u"우방번호", u"우방번호", {u"우방번호", u"우방", u"축사번호", u"방번호"}),
        field(u"입식일자", u"입식일자", {u"입식일자", u"입식일", u"전입일자", u"전입일"}),
        field(u"정액번호", u"부번호(정액번호) KPN",
              {u"부번호(정액번호)kpn-", u"정액번호", u"kpn", u"아비(kpn)", u"부kpn", u"씨수소", u"씨수소정액번호"}),
        field(u"부번호", u"부번호(바코드)",
              {u"부번호(바코드)", u"부번호", u"아비번호", u"부개체번호", u"부이력번호", u"아비"}),
        field(u"모번호", u"모번호", {u"모번호", u"어미", u"어미소", u"모개체번호", u"어미번호", u"모이력번호"}),
        field(u"판매일", u"판매일(거세일)", {u"판매일(거세일)", u"판매일", u"판매일자", u"거세일"}),
        field(u"개체특징", u"개체특징", {u"개체특징", u"특징", u"특이사항", u"메모"}),
        field(u"점수", u"흑비경(점수)", {u"흑비경", u"점수", u"흑비경점수"}),
        field(u"출하예정일", u"출하예정일", {u"출하예정일"}),
        field(u"출하일", u"출하일", {u"출하일", u"출하일자", u"도축일"}),
    };
}

QList<ImportField> breedingFields()
{
    return {
        field(u"개체번호", u"개체번호", kNumberNames, true),
        field(u"수정일", u"수정일", {u"수정일", u"교배일", u"수정일자", u"교배일자", u"인공수정일"}, true),
        field(u"산차", u"산차", {u"산차"}),
        field(u"회수", u"회수", {u"회수", u"수정회수", u"교배회수", u"횟수"}),
        field(u"정액번호", u"씨수소 정액번호",
              {u"씨수소정액번호", u"정액번호", u"kpn", u"아비(kpn)", u"씨수소", u"정액", u"아비"}),
        field(u"공란우", u"공란우", {u"공란우"}),
        field(u"BCS", u"BCS", {u"bcs", u"살찐점수"}),
        field(u"판정일", u"임신판정일", {u"임신판정일", u"판정일", u"임신감정일"}),
        field(u"가부", u"가부", {u"가부", u"임신여부", u"판정결과", u"임신판정"}),
        field(u"예정일", u"분만예정일", {u"분만예정일", u"예정일"}),
        field(u"분만일", u"분만일", {u"분만일", u"분만일자"}),
        field(u"송아지번호", u"송아지번호", {u"송아지번호", u"송아지"}),
        field(u"성별", u"송아지 성별", {u"성별", u"송아지성별"}),
        field(u"분만난이도", u"분만난이도 특이사항", {u"분만난이도특이사항", u"분만난이도", u"특이사항"}),
        field(u"인공수정자", u"인공수정자", {u"인공수정자", u"수정사"}),
        field(u"생시체중", u"생시체중", {u"생시체중"}),
        field(u"비고", u"비고", {u"비고"}),
    };
}

// A breeder's catalogue: the KPN, the kind, the sire and maternal grandsire, the five breeding
// values under the names the national evaluation and the semen suppliers print, the evaluation
// and the straw's price.
QList<ImportField> bullFields()
{
    return {
        field(u"KPN", u"KPN 번호", {u"kpn", u"kpn번호", u"씨수소", u"정액번호", u"씨수소번호", u"씨수소kpn"}, true),
        field(u"구분", u"구분", {u"구분", u"씨수소구분", u"종류"}),
        field(u"아비", u"아비 KPN", {u"아비", u"부", u"부kpn", u"아비kpn", u"아비(kpn)", u"부번호"}),
        field(u"외조부", u"외조부 KPN", {u"외조부", u"모부", u"외조부kpn", u"모부kpn", u"외조부(kpn)"}),
        field(u"12개월령체중", u"12개월령체중 육종가",
              {u"12개월령체중", u"12개월체중", u"12개월령체중ebv", u"12개월체중ebv", u"12개월령체중육종가",
               u"12개월체중육종가"}),
        field(u"도체중", u"도체중 육종가", {u"도체중", u"도체중ebv", u"도체중육종가"}),
        field(u"등심단면적", u"등심단면적 육종가",
              {u"등심단면적", u"등심단면적ebv", u"등심단면적육종가", u"등심ebv", u"등심육종가", u"등심"}),
        field(u"등지방두께", u"등지방두께 육종가",
              {u"등지방두께", u"등지방두께ebv", u"등지방두께육종가", u"등지방ebv", u"등지방육종가", u"등지방"}),
        field(u"근내지방도", u"근내지방도 육종가",
              {u"근내지방도", u"근내지방도ebv", u"근내지방도육종가", u"근내지방육종가", u"근내지방ebv", u"근내지방"}),
        field(u"평가", u"평가 시기", {u"평가", u"평가시기", u"평가년월", u"평가일"}),
        field(u"단가", u"단가(원)", {u"단가", u"가격", u"정액단가", u"정액가격"}),
    };
}

QString targetKey(ImportTarget target)
{
    switch (target) {
    case ImportTarget::Animals: return QStringLiteral("animals");
    case ImportTarget::Breeding: return QStringLiteral("breeding");
    case ImportTarget::Bulls: return QStringLiteral("bulls");
    }
    return {};
}

// The header without a unit in parentheses at its end: "생시체중(kg)" is 생시체중.
QString withoutUnit(const QString& folded)
{
    if (!folded.endsWith(u')')) return folded;
    const qsizetype open = folded.lastIndexOf(u'(');
    return open > 0 ? folded.left(open) : folded;
}

QString digestOf(ImportTarget target, const QStringList& headers)
{
    QStringList folded;
    for (const QString& h : headers) folded << foldedHeader(h);
    const QByteArray hash =
        QCryptographicHash::hash(folded.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha1).toHex().left(20);
    return QStringLiteral("Import/%1-%2").arg(targetKey(target), QString::fromLatin1(hash));
}
}  // namespace

const QList<ImportField>& importFields(ImportTarget target)
{
    static const QList<ImportField> animals = animalFields();
    static const QList<ImportField> breeding = breedingFields();
    static const QList<ImportField> bulls = bullFields();
    switch (target) {
    case ImportTarget::Animals: return animals;
    case ImportTarget::Breeding: return breeding;
    case ImportTarget::Bulls: return bulls;
    }
    return animals;
}

QString targetTable(ImportTarget target)
{
    switch (target) {
    case ImportTarget::Animals: return QStringLiteral("개체관리");
    case ImportTarget::Breeding: return QStringLiteral("번식기록");
    case ImportTarget::Bulls: return QStringLiteral("씨수소");
    }
    return {};
}

int fieldIndex(ImportTarget target, const QString& key)
{
    const QList<ImportField>& fields = importFields(target);
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].key == key) return i;
    return -1;
}

QString foldedHeader(const QString& header)
{
    QString s;
    s.reserve(header.size());
    for (QChar c : header) {
        if (c.isSpace()) continue;
        if (c == u'（') c = u'(';
        if (c == u'）') c = u')';
        s += c.toLower();
    }
    if (s.startsWith(u'\'')) s.remove(0, 1);
    return s;
}

ColumnMapping matchHeaders(ImportTarget target, const QStringList& headers)
{
    const QList<ImportField>& fields = importFields(target);
    QStringList exact, bare;
    for (const QString& h : headers) {
        exact << foldedHeader(h);
        bare << withoutUnit(exact.last());
    }
    // Every (pass, rank, field, column) that matches; the best are taken first.
    std::vector<std::tuple<int, int, int, int>> candidates;
    for (int f = 0; f < fields.size(); ++f) {
        for (int rank = 0; rank < fields[f].aliases.size(); ++rank) {
            const QString name = foldedHeader(fields[f].aliases[rank]);
            for (int c = 0; c < headers.size(); ++c) {
                if (exact[c].isEmpty()) continue;
                if (exact[c] == name)
                    candidates.emplace_back(0, rank, f, c);
                else if (bare[c] == withoutUnit(name))
                    candidates.emplace_back(1, rank, f, c);
            }
        }
    }
    std::sort(candidates.begin(), candidates.end());
    ColumnMapping mapping(fields.size());
    QList<bool> taken(headers.size(), false);
    for (const auto& [pass, rank, f, c] : candidates) {
        if (mapping[f].column >= 0 || taken[c]) continue;
        mapping[f].column = c;
        taken[c] = true;
    }
    return mapping;
}

int matchedCount(const ColumnMapping& mapping)
{
    return int(std::count_if(mapping.begin(), mapping.end(), [](const FieldSource& s) { return s.column >= 0; }));
}

int findHeaderRow(ImportTarget target, const QList<QStringList>& rows)
{
    int best = -1, bestCount = 0;
    for (int r = 0; r < rows.size(); ++r) {
        const int n = matchedCount(matchHeaders(target, rows[r]));
        if (n > bestCount) {
            best = r;
            bestCount = n;
        }
    }
    return best;
}

ImportTarget likelyTarget(const QList<QStringList>& firstRows)
{
    const auto named = [&firstRows](ImportTarget target) {
        const int header = std::max(0, findHeaderRow(target, firstRows));
        return matchedCount(matchHeaders(target, firstRows.value(header)));
    };
    ImportTarget best = ImportTarget::Animals;
    int bestCount = named(best);
    for (ImportTarget t : {ImportTarget::Breeding, ImportTarget::Bulls})
        if (const int n = named(t); n > bestCount) {
            best = t;
            bestCount = n;
        }
    return best;
}

bool hasSource(const FieldSource& source)
{
    return source.column >= 0 || !source.fallback.trimmed().isEmpty();
}

QString sourceText(const FieldSource& source, const QStringList& cells)
{
    const QString text = source.column >= 0 ? cells.value(source.column).trimmed() : QString();
    return text.isEmpty() ? source.fallback.trimmed() : text;
}

int firstRequiredWithoutSource(ImportTarget target, const ColumnMapping& mapping)
{
    const QList<ImportField>& fields = importFields(target);
    for (int f = 0; f < fields.size(); ++f)
        if (fields[f].required && !hasSource(mapping.value(f))) return f;
    return -1;
}

StartingMapping startingMapping(const QString& settingsFile, ImportTarget target, const QStringList& headers)
{
    if (std::optional<ColumnMapping> kept = recalledMapping(settingsFile, target, headers))
        return {std::move(*kept), true};
    return {matchHeaders(target, headers), false};
}

void rememberMapping(const QString& settingsFile, ImportTarget target, const QStringList& headers,
                     const ColumnMapping& mapping)
{
    const QList<ImportField>& fields = importFields(target);
    QStringList entries;
    for (int f = 0; f < fields.size() && f < mapping.size(); ++f)
        entries << QStringLiteral("%1\t%2\t%3").arg(fields[f].key).arg(mapping[f].column).arg(mapping[f].fallback);
    QSettings ini(settingsFile, QSettings::IniFormat);
    ini.setValue(digestOf(target, headers), entries);
    ini.sync();
}

std::optional<ColumnMapping> recalledMapping(const QString& settingsFile, ImportTarget target,
                                             const QStringList& headers)
{
    const QSettings ini(settingsFile, QSettings::IniFormat);
    const QString key = digestOf(target, headers);
    if (!ini.contains(key)) return std::nullopt;
    ColumnMapping mapping(importFields(target).size());
    for (const QString& entry : ini.value(key).toStringList()) {
        const QStringList parts = entry.split(u'\t');
        const int f = fieldIndex(target, parts.value(0));
        bool ok = false;
        const int column = parts.value(1).toInt(&ok);
        if (f < 0 || !ok || column >= headers.size()) return std::nullopt;
        mapping[f] = FieldSource{std::max(column, -1), parts.mid(2).join(u'\t')};
    }
    return mapping;
}
