#pragma once
// The breeding records of a cow: grid layout, the entry dialog's values, its checks,
// statements and grid rows. UI-free, so the rules can be tested directly.
#include "history/model/HistoryRules.h"

#include <QDate>
#include <QString>
#include <QStringList>

class QSqlRecord;

// What the entry dialog holds: box texts as typed, dates, ticks and options.
struct BreedingInput {
    QString 산차;
    QString 회수;
    QDate 수정일;
    QString 정액번호;
    QString 공란우;
    QString BCS;
    bool 판정일체크 = false;
    QDate 판정일;
    bool 가 = true;  // SSOption1 "가(O)"; false = SSOption2 "부(X)"
    bool 예정일체크 = false;
    QDate 예정일;
    bool 분만일체크 = false;
    QDate 분만일;
    QString 송아지번호;
    bool 암 = true;  // SSOption3 "암"; false = SSOption4 "수"
    QString 생시체중;
    QString 분만난이도;
    QString 인공수정자;
    QString 비고;
};

namespace breeding {
// Days from insemination to the expected calving.
inline constexpr int kGestationDays = 280;

QStringList headers();                // the 13 headers of SS1
QStringList notes();                  // the three notes beside SS1
inline constexpr int kKeyColumn = 3;  // 수정일

// The cow's records ordered by insemination date.
BoundStatement loadQuery(const QString& animal);
// Grid texts of a stored record, as the loader shows them.
QStringList loadedRow(const QSqlRecord& record);
BoundStatement deleteStatement(const QString& animal, qint64 inseminated);

// The stored record of (animal, key yyyymmdd).
BoundStatement recordQuery(const QString& animal, const QString& key);
// The dialog's values after loading `record` into `in` (BCS only with an expected date).
BreedingInput applyRecord(BreedingInput in, const QSqlRecord& record);

// The dialog's own checks in order (the duplicate-date check is the tab's).
CheckResult check(const BreedingInput& in);
// INSERT for a new record of `animal`.
BoundStatement insertStatement(const QString& animal, const BreedingInput& in);
// UPDATE of the record (animal, key yyyymmdd); it may move the record to another date.
BoundStatement updateStatement(const QString& animal, const QString& key, const BreedingInput& in);
// Grid texts the dialog writes after storing.
QStringList savedRow(const BreedingInput& in);
}  // namespace breeding
