#include "mating/model/CatalogueRows.h"

#include "mating/model/Kpn.h"

#include <QLocale>

namespace {
QString wonCell(const std::optional<qint64>& won)
{
    return won ? QLocale(QLocale::Korean).toString(*won) : QString();
}
}  // namespace

QString valueCell(const std::optional<double>& v)
{
    return v ? QLocale::c().toString(*v, 'g', 6) : QString();
}

QStringList bullColumns()
{
    QStringList c{QStringLiteral("KPN"), QStringLiteral("구분"), QStringLiteral("아비"), QStringLiteral("외조부")};
    for (Trait t : kTraits) c << traitCaption(t);
    c << QStringLiteral("평가") << QStringLiteral("단가(원)") << QStringLiteral("재고");
    return c;
}

QStringList bullRow(const Bull& b, const std::map<QString, BullStock>& stock)
{
    QStringList r{kpn::shown(b.kpn), b.kind, kpn::shown(b.sire), kpn::shown(b.mgs)};
    for (Trait t : kTraits) r << valueCell(b.value(t));
    const auto it = stock.find(b.kpn);
    r << b.evaluation << wonCell(b.price)
      << (it == stock.end() ? QStringLiteral("-") : QString::number(it->second.left()));
    return r;
}

QStringList stockColumns()
{
    return {QStringLiteral("KPN"),       QStringLiteral("첫 입고일"), QStringLiteral("입고"),
            QStringLiteral("폐기·이동"), QStringLiteral("사용"),      QStringLiteral("남은 재고")};
}

QStringList stockRow(const BullStock& s)
{
    return {kpn::shown(s.kpn),           s.firstReceipt.toString(QStringLiteral("yyyy-MM-dd")),
            QString::number(s.received), QString::number(s.adjusted),
            QString::number(s.used),     QString::number(s.left())};
}

QStringList semenEntryColumns()
{
    return {QStringLiteral("일자"),     QStringLiteral("KPN"),    QStringLiteral("종류"), QStringLiteral("수량"),
            QStringLiteral("단가(원)"), QStringLiteral("공급처"), QStringLiteral("비고")};
}

QStringList semenEntryRow(const SemenEntry& e)
{
    return {e.day.toString(QStringLiteral("yyyy-MM-dd")),
            kpn::shown(e.kpn),
            e.kind,
            QString::number(e.straws),
            wonCell(e.price),
            e.supplier,
            e.note};
}
