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
