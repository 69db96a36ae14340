#pragma once
// The semen tank (정액재고): straws received, straws thrown away or moved elsewhere, and the
// straws the breeding records used. A bull's stock counts from its first receipt: services
// before it used straws the farm kept no account of.
#include <QDate>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

// The kinds of a tank entry: 입고 adds straws, 폐기 and 이동 take them out.
QString receiptKind();          // "입고"
QStringList adjustmentKinds();  // "폐기", "이동"

// An entry as typed in its dialog. Straws are typed positive whatever the kind.
struct SemenEntryInput {
    QDate day;
    QString kpn;
    QString kind;  // 입고, 폐기 or 이동
    QString straws;
    QString price;     // won per straw, receipts only; empty: unknown
    QString supplier;  // receipts only
    QString note;
};

// A stored entry; `straws` as stored: positive for 입고, negative for 폐기 and 이동.
struct SemenEntry {
    qint64 rowId = 0;
    QDate day;
    QString kpn;  // digits
    QString kind;
    int straws = 0;
    std::optional<qint64> price;
    QString supplier;
    QString note;
};

// One bull's account. Only bulls with a receipt have one: without a receipt the farm never
// counted the bull's straws, and its stock is unknown (the windows show "-"), never 0.
struct BullStock {
    QString kpn;
    QDate firstReceipt;
    int received = 0;
    int adjusted = 0;  // thrown away or moved, as a positive number
    int used = 0;      // inseminations (번식기록, not embryo transfers) with this 정액번호 on or
                       // after the first receipt
    int left() const { return received - adjusted - used; }
};

// Every bull's account on the open farm, by KPN digits. Throws DbError.
std::map<QString, BullStock> semenStock();

// A service the breeding dialog is about to store, as far as the tank cares.
struct StrawService {
    QString semen;                // 정액번호 as typed
    QDate day;                    // 수정일
    bool embryoTransfer = false;  // 공란우 set: the embryo's sire, no straw
    QString storedSemen;          // the record's 정액번호 before this save; "" for a new record
};

// The KPN digits of the bull whose straw `s` takes though `stock` (read before the service)
// has none left of him; "" when the service takes no counted straw (no KPN number, an embryo
// transfer, a day before the bull's first receipt, a stored record of the same bull), when the
// bull's stock is unknown (no receipt), or when a straw is left.
QString bullOutOfStraws(const std::map<QString, BullStock>& stock, const StrawService& s);
// "정액 재고" and "정액 재고에 KPN1105 정액이 남아 있지 않습니다. 입고나 재고 조정을 확인해 주세요."
QString outOfStrawsTitle();
QString outOfStrawsMessage(const QString& kpnDigits);

// Every entry of the tank, newest first. Throws DbError.
std::vector<SemenEntry> loadSemenEntries();

// Why an entry is refused: the field (its control name: "일자", "KPN", "종류", "수량", "단가")
// and the Korean sentence.
struct SemenProblem {
    QString field;
    QString message;
};

// Checks and stores a receipt or an adjustment in one transaction. An adjustment may not take
// a bull's stock below 0 and needs a receipt before it. Throws DbError.
std::optional<SemenProblem> storeSemenEntry(const SemenEntryInput& in);
// Removes an entry; a receipt whose straws were used or taken out already is refused (the
// stock would fall below 0). Throws DbError.
std::optional<SemenProblem> deleteSemenEntry(qint64 rowId);
