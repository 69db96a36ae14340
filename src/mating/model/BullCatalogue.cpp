#include "mating/model/BullCatalogue.h"

#include "mating/model/CatalogueRows.h"
#include "mating/model/Kpn.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <cmath>

namespace {
constexpr qint64 kMaxPrice = 10'000'000;

// A KPN reference (아비, 외조부): empty, or another bull's number; `field` names it in the message.
std::optional<BullProblem> checkLink(const QString& field, const QString& typed, const QString& self, QString* digits)
{
    *digits = QString();
    if (typed.trimmed().isEmpty()) return std::nullopt;
    *digits = kpn::digitsOf(typed);
    if (digits->isEmpty())
        return BullProblem{
            field,
            QStringLiteral("%1의 KPN 번호를 바르게 입력해 주세요. (예: KPN1105, 모르면 비워 두세요)").arg(field)};
    if (*digits == self)
        return BullProblem{field, QStringLiteral("%1는 씨수소 자신(%2)일 수 없습니다.").arg(field, kpn::shown(self))};
    return std::nullopt;
}

// "보증", "보증씨수소", " 후보 " are kinds; "" is unknown.
std::optional<QString> kindOf(const QString& typed)
{
    QString t = typed.trimmed();
    if (t.endsWith(QStringLiteral("씨수소"))) t.chop(3);
    t = t.trimmed();
    if (t.isEmpty()) return QString();
    if (bullKinds().contains(t)) return t;
    return std::nullopt;
}

// "2026-08", "2026-8", "2026.08", "2026/08", "202608" are "2026-08"; "" is unknown.
std::optional<QString> evaluationOf(const QString& typed)
{
    const QString t = typed.trimmed();
    if (t.isEmpty()) return QString();
    static const QRegularExpression re(QStringLiteral("^(\\d{4})(?:[-./](\\d{1,2})|(\\d{2}))\\.?$"));
    const QRegularExpressionMatch m = re.match(t);
    if (!m.hasMatch()) return std::nullopt;
    const int year = m.captured(1).toInt();
    const int month = (m.captured(2).isEmpty() ? m.captured(3) : m.captured(2)).toInt();
    if (year < 1980 || year > 2100 || month < 1 || month > 12) return std::nullopt;
    return QStringLiteral("%1-%2").arg(year).arg(month, 2, 10, QLatin1Char('0'));
}

QVariant nullable(const std::optional<double>& v)
{
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::Double));
}

QVariantList bullValues(const Bull& b)
{
    QVariantList v{b.kpn, b.kind, b.sire, b.mgs};
    for (const auto& e : b.ebv) v << nullable(e);
    v << b.evaluation << (b.price ? QVariant(*b.price) : QVariant(QMetaType(QMetaType::LongLong)));
    return v;
}

BullProblem takenKpn(const QString& digits)
{
    return {QStringLiteral("KPN"), QStringLiteral("%1은(는) 이미 씨수소 목록에 있습니다.").arg(kpn::shown(digits))};
}

bool kpnStored(const QString& digits)
{
    QSqlQuery q = runQuery(QStringLiteral("select 1 from 씨수소 where KPN = ?"), {digits});
    return q.next();
}
}  // namespace

std::optional<qint64> strawPrice(const QString& typed, bool* ok)
{
    QString t = typed.trimmed();
    *ok = true;
    if (t.isEmpty()) return std::nullopt;
    if (t.endsWith(u'원')) t.chop(1);
    t = t.trimmed();
    static const QRegularExpression re(QStringLiteral("^(\\d{1,3}(,\\d{3})+|\\d+)$"));
    if (!re.match(t).hasMatch()) {
        *ok = false;
        return std::nullopt;
    }
    const qint64 v = t.remove(u',').toLongLong(ok);
    if (!*ok || v > kMaxPrice) {
        *ok = false;
        return std::nullopt;
    }
    return v;
}

QString strawPriceProblem()
{
    return QStringLiteral("단가는 0에서 10,000,000원 사이의 정수(원)로 입력해 주세요.");
}

TraitRange traitRange(Trait t)
{
    switch (t) {
    case Trait::Weight12:
    case Trait::Carcass: return {-100, 150};
    case Trait::EyeMuscle: return {-30, 30};
    case Trait::BackFat: return {-10, 10};
    case Trait::Marbling: return {-5, 5};
    }
    return {0, 0};
}

std::optional<BullProblem> checkBull(const BullEntry& e, Bull* bull)
{
    Bull b;
    b.kpn = kpn::digitsOf(e.kpn);
    if (b.kpn.isEmpty())
        return BullProblem{QStringLiteral("KPN"),
                           QStringLiteral("씨수소 KPN 번호를 바르게 입력해 주세요. (예: KPN1105)")};
    const std::optional<QString> kind = kindOf(e.kind);
    if (!kind)
        return BullProblem{QStringLiteral("구분"),
                           QStringLiteral("구분은 보증, 후보, 기타 가운데 하나로 입력해 주세요.")};
    b.kind = *kind;
    if (auto p = checkLink(QStringLiteral("아비"), e.sire, b.kpn, &b.sire)) return p;
    if (auto p = checkLink(QStringLiteral("외조부"), e.mgs, b.kpn, &b.mgs)) return p;
    for (Trait t : kTraits) {
        const QString typed = e.ebv[size_t(t)].trimmed();
        if (typed.isEmpty()) continue;
        bool ok = false;
        const double v = typed.toDouble(&ok);
        const TraitRange r = traitRange(t);
        if (!ok || !std::isfinite(v) || v < r.low || v > r.high)
            return BullProblem{traitColumn(t), QStringLiteral("%1 육종가는 %2에서 %3 사이의 숫자로 입력해 주세요. "
                                                              "(모르면 비워 두세요)")
                                                   .arg(traitCaption(t), valueCell(r.low), valueCell(r.high))};
        b.ebv[size_t(t)] = v;
    }
    const std::optional<QString> evaluation = evaluationOf(e.evaluation);
    if (!evaluation)
        return BullProblem{QStringLiteral("평가"),
                           QStringLiteral("평가 시기는 2026-08처럼 연도와 월로 입력해 주세요.")};
    b.evaluation = *evaluation;
    bool priceOk = true;
    b.price = strawPrice(e.price, &priceOk);
    if (!priceOk) return BullProblem{QStringLiteral("단가"), strawPriceProblem()};
    if (bull) *bull = std::move(b);
    return std::nullopt;
}

BullEntry entryOf(const Bull& b)
{
    BullEntry e{kpn::shown(b.kpn), b.kind, kpn::shown(b.sire), kpn::shown(b.mgs), {}, b.evaluation, {}};
    for (Trait t : kTraits) e.ebv[size_t(t)] = valueCell(b.value(t));
    if (b.price) e.price = QString::number(*b.price);
    return e;
}

std::optional<Bull> findBull(const QString& kpnDigits)
{
    for (Bull& b : loadBulls())
        if (b.kpn == kpnDigits) return std::move(b);
    return std::nullopt;
}

BoundStatement insertBullStatement(const Bull& b)
{
    return {
        QStringLiteral("insert into 씨수소 (KPN, 구분, 아비, 외조부, \"12개월령체중\", 도체중, 등심단면적, 등지방두께, "
                       "근내지방도, 평가, 단가) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        bullValues(b)};
}

BoundStatement updateBullStatement(const Bull& b, const QString& oldKpn)
{
    QVariantList binds = bullValues(b);
    binds << oldKpn;
    return {
        QStringLiteral("update 씨수소 set KPN = ?, 구분 = ?, 아비 = ?, 외조부 = ?, \"12개월령체중\" = ?, 도체중 = ?, "
                       "등심단면적 = ?, 등지방두께 = ?, 근내지방도 = ?, 평가 = ?, 단가 = ? where KPN = ?"),
        binds};
}

std::optional<BullProblem> addBull(const BullEntry& e)
{
    Bull b;
    if (auto p = checkBull(e, &b)) return p;
    Transaction tx;
    if (kpnStored(b.kpn)) return takenKpn(b.kpn);
    const BoundStatement s = insertBullStatement(b);
    execStatement(s.sql, s.binds);
    tx.commit();
    return std::nullopt;
}

std::optional<BullProblem> changeBull(const QString& oldKpn, const BullEntry& e)
{
    Bull b;
    if (auto p = checkBull(e, &b)) return p;
    Transaction tx;
    if (!kpnStored(oldKpn))
        return BullProblem{QStringLiteral("KPN"),
                           QStringLiteral("%1은(는) 씨수소 목록에 없습니다. 다른 곳에서 삭제되었을 수 있습니다.")
                               .arg(kpn::shown(oldKpn))};
    if (b.kpn != oldKpn) {
        if (kpnStored(b.kpn)) return takenKpn(b.kpn);
        execStatement(QStringLiteral("update 정액재고 set KPN = ? where KPN = ?"), {b.kpn, oldKpn});
    }
    const BoundStatement s = updateBullStatement(b, oldKpn);
    execStatement(s.sql, s.binds);
    tx.commit();
    return std::nullopt;
}

void deleteBull(const QString& kpnDigits)
{
    Transaction tx;
    execStatement(QStringLiteral("delete from 씨수소 where KPN = ?"), {kpnDigits});
    tx.commit();
}
