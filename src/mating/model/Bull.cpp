#include "mating/model/Bull.h"

#include "data/Db.h"

#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

QString traitColumn(Trait t)
{
    switch (t) {
    case Trait::Weight12: return QStringLiteral("12개월령체중");
    case Trait::Carcass: return QStringLiteral("도체중");
    case Trait::EyeMuscle: return QStringLiteral("등심단면적");
    case Trait::BackFat: return QStringLiteral("등지방두께");
    case Trait::Marbling: return QStringLiteral("근내지방도");
    }
    return {};
}

QString traitCaption(Trait t)
{
    switch (t) {
    case Trait::Weight12: return QStringLiteral("12개월령체중(kg)");
    case Trait::Carcass: return QStringLiteral("도체중(kg)");
    case Trait::EyeMuscle: return QStringLiteral("등심단면적(㎠)");
    case Trait::BackFat: return QStringLiteral("등지방두께(mm)");
    case Trait::Marbling: return QStringLiteral("근내지방도(점)");
    }
    return {};
}

QStringList bullKinds()
{
    return {QStringLiteral("보증"), QStringLiteral("후보"), QStringLiteral("기타")};
}

namespace {
std::optional<double> optionalReal(const QVariant& v)
{
    if (v.isNull()) return std::nullopt;
    return v.toDouble();
}
}  // namespace

std::vector<Bull> loadBulls()
{
    QSqlQuery q =
        runQuery(QStringLiteral("select KPN, 구분, 아비, 외조부, \"12개월령체중\", 도체중, 등심단면적, "
                                "등지방두께, 근내지방도, 평가, 단가 from 씨수소"));
    std::vector<Bull> bulls;
    while (q.next()) {
        Bull b;
        b.kpn = q.value(0).toString();
        b.kind = q.value(1).toString();
        b.sire = q.value(2).toString();
        b.mgs = q.value(3).toString();
        for (int i = 0; i < kTraitCount; ++i) b.ebv[size_t(i)] = optionalReal(q.value(4 + i));
        b.evaluation = q.value(9).toString();
        if (!q.value(10).isNull()) b.price = q.value(10).toLongLong();
        bulls.push_back(std::move(b));
    }
    std::sort(bulls.begin(), bulls.end(), [](const Bull& a, const Bull& b) {
        return a.kpn.size() != b.kpn.size() ? a.kpn.size() < b.kpn.size() : a.kpn < b.kpn;
    });
    return bulls;
}
