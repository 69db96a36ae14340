#include "mating/model/SemenStock.h"

#include "data/Db.h"
#include "data/Values.h"
#include "mating/model/BullCatalogue.h"
#include "mating/model/Kpn.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QStringList>

namespace {
constexpr int kMaxStraws = 100'000;

std::optional<int> strawsOf(const QString& typed)
{
    static const QRegularExpression re(QStringLiteral("^\\d{1,6}$"));
    const QString t = typed.trimmed();
    if (!re.match(t).hasMatch()) return std::nullopt;
    const int n = t.toInt();
    if (n <= 0 || n > kMaxStraws) return std::nullopt;
    return n;
}

// The account of one bull, or of every bull when `onlyKpn` is empty.
std::map<QString, BullStock> accounts(const QString& onlyKpn)
{
    std::map<QString, BullStock> stock;
    QSqlQuery q = runQuery(QStringLiteral("select KPN, 종류, 수량, 일자 from 정액재고 order by 일자"));
    while (q.next()) {
        const QString kpn = q.value(0).toString();
        if (!onlyKpn.isEmpty() && kpn != onlyKpn) continue;
        const int straws = q.value(2).toInt();
        const QDate day = datenum::toDate(q.value(3).toLongLong());
        if (q.value(1).toString() == receiptKind()) {
            BullStock& s = stock[kpn];
            s.kpn = kpn;
            s.received += straws;
            if (day.isValid() && (!s.firstReceipt.isValid() || day < s.firstReceipt)) s.firstReceipt = day;
        } else if (auto it = stock.find(kpn); it != stock.end()) {
            it->second.adjusted -= straws;
        } else {
            // An adjustment dated before the receipt it belongs to still counts.
            stock[kpn].kpn = kpn;
            stock[kpn].adjusted -= straws;
        }
    }
    // Bulls whose entries hold no receipt have no account.
    std::erase_if(stock, [](const auto& e) { return e.second.received == 0; });
    if (stock.empty()) return stock;
    // 정액번호 may have been typed "KPN1105" in older records: read every way as its digits. An
    // embryo transfer (공란우) names the embryo's sire but takes no straw from the tank.
    QSqlQuery s = runQuery(
        QStringLiteral("select 정액번호, 수정일 from 번식기록 where 정액번호 <> '' and coalesce(공란우, '') = ''"));
    while (s.next()) {
        const auto it = stock.find(kpn::digitsOf(s.value(0).toString()));
        if (it == stock.end()) continue;
        const QDate day = datenum::toDate(s.value(1).toLongLong());
        if (day.isValid() && it->second.firstReceipt.isValid() && day >= it->second.firstReceipt) ++it->second.used;
    }
    return stock;
}

SemenProblem problem(const char16_t* field, const QString& message)
{
    return {QString::fromUtf16(field), message};
}
}  // namespace

QString receiptKind()
{
    return QStringLiteral("입고");
}

QStringList adjustmentKinds()
{
    return {QStringLiteral("폐기"), QStringLiteral("이동")};
}

std::map<QString, BullStock> semenStock()
{
    return accounts(QString());
}

QString bullOutOfStraws(const std::map<QString, BullStock>& stock, const StrawService& s)
{
    const QString kpn = kpn::digitsOf(s.semen);
    if (kpn.isEmpty() || s.embryoTransfer) return {};
    // A changed record of the same bull took its straw when it was first stored.
    if (!s.storedSemen.isEmpty() && kpn::digitsOf(s.storedSemen) == kpn) return {};
    const auto it = stock.find(kpn);
    if (it == stock.end()) return {};
    const BullStock& b = it->second;
    // As the account counts: a service before the first receipt used a straw nobody counted.
    if (!s.day.isValid() || !b.firstReceipt.isValid() || s.day < b.firstReceipt) return {};
    return b.left() <= 0 ? kpn : QString();
}

QString outOfStrawsTitle()
{
    return QStringLiteral("정액 재고");
}

QString outOfStrawsMessage(const QString& kpnDigits)
{
    return QStringLiteral("정액 재고에 %1 정액이 남아 있지 않습니다. 입고나 재고 조정을 확인해 주세요.")
        .arg(kpn::shown(kpnDigits));
}

std::vector<SemenEntry> loadSemenEntries()
{
    QSqlQuery q = runQuery(QStringLiteral(
        "select rowid, 일자, KPN, 종류, 수량, 단가, 공급처, 비고 from 정액재고 order by 일자 desc, rowid desc"));
    std::vector<SemenEntry> entries;
    while (q.next()) {
        SemenEntry e;
        e.rowId = q.value(0).toLongLong();
        e.day = datenum::toDate(q.value(1).toLongLong());
        e.kpn = q.value(2).toString();
        e.kind = q.value(3).toString();
        e.straws = q.value(4).toInt();
        if (!q.value(5).isNull()) e.price = q.value(5).toLongLong();
        e.supplier = q.value(6).toString();
        e.note = q.value(7).toString();
        entries.push_back(std::move(e));
    }
    return entries;
}

std::optional<SemenProblem> storeSemenEntry(const SemenEntryInput& in)
{
    if (!in.day.isValid()) return problem(u"일자", QStringLiteral("일자를 바르게 입력해 주세요."));
    const QString kpn = kpn::digitsOf(in.kpn);
    if (kpn.isEmpty()) return problem(u"KPN", QStringLiteral("씨수소 KPN 번호를 바르게 입력해 주세요. (예: KPN1105)"));
    const bool receipt = in.kind == receiptKind();
    if (!receipt && !adjustmentKinds().contains(in.kind))
        return problem(u"종류", QStringLiteral("종류는 입고, 폐기, 이동 가운데 하나로 골라 주세요."));
    const std::optional<int> straws = strawsOf(in.straws);
    if (!straws)
        return problem(u"수량", QStringLiteral("수량은 1에서 %L1 사이의 스트로 수로 입력해 주세요.").arg(kMaxStraws));
    bool priceOk = true;
    const std::optional<qint64> price = receipt ? strawPrice(in.price, &priceOk) : std::nullopt;
    if (!priceOk) return problem(u"단가", strawPriceProblem());

    Transaction tx;
    if (!receipt) {
        const std::map<QString, BullStock> stock = accounts(kpn);
        const auto it = stock.find(kpn);
        if (it == stock.end())
            return problem(
                u"KPN",
                QStringLiteral("%1은(는) 입고 기록이 없어 %2할 재고가 없습니다.").arg(kpn::shown(kpn), in.kind));
        if (*straws > it->second.left())
            return problem(u"수량", QStringLiteral("%1의 남은 재고는 %2스트로입니다. 재고보다 많이 %3할 수 없습니다.")
                                        .arg(kpn::shown(kpn))
                                        .arg(it->second.left())
                                        .arg(in.kind));
    }
    execStatement(QStringLiteral("insert into 정액재고 (일자, KPN, 종류, 수량, 단가, 공급처, 비고) "
                                 "values (?, ?, ?, ?, ?, ?, ?)"),
                  {datenum::fromDate(in.day), kpn, in.kind, receipt ? *straws : -*straws,
                   price ? QVariant(*price) : QVariant(QMetaType(QMetaType::LongLong)),
                   receipt ? in.supplier.trimmed() : QString(), in.note.trimmed()});
    tx.commit();
    return std::nullopt;
}

std::optional<SemenProblem> deleteSemenEntry(qint64 rowId)
{
    Transaction tx;
    QSqlQuery q = runQuery(QStringLiteral("select KPN, 종류, 수량 from 정액재고 where rowid = ?"), {rowId});
    if (!q.next()) return std::nullopt;  // gone already: nothing to remove
    const QString kpn = q.value(0).toString();
    const bool receipt = q.value(1).toString() == receiptKind();
    const int straws = q.value(2).toInt();
    execStatement(QStringLiteral("delete from 정액재고 where rowid = ?"), {rowId});
    if (receipt) {
        const std::map<QString, BullStock> after = accounts(kpn);
        const auto it = after.find(kpn);
        // The last receipt gone, adjustments left would have no straws to come from.
        const bool below = it == after.end()
                               ? runQuery(QStringLiteral("select 1 from 정액재고 where KPN = ?"), {kpn}).next()
                               : it->second.left() < 0;
        if (below)
            return problem(u"수량",
                           QStringLiteral("%1의 입고 %2스트로는 이미 쓰였거나 폐기·이동되어 삭제할 수 없습니다.")
                               .arg(kpn::shown(kpn))
                               .arg(straws));
    }
    tx.commit();
    return std::nullopt;
}
