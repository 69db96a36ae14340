#pragma once
// Who is due for a vaccination, and with which dose: the fixed rule, free of the database.
//  - The doses of an animal for a program are its treatment records whose 처치 contains one of
//    the program's words (isDoseOf: case and blanks ignored).
//  - No dose: due at birth + the first-dose age (1차). Exactly one dose: due at that dose + the
//    booster days (2차). Two or more: due at the latest dose + the interval (정기).
//  - Sold or shipped animals are never due. The other skips are judged on the due day: an
//    animal the program is not for (a bull for a cows' program; an animal no longer younger
//    than the calves' months), a cow whose expected calving lies within the program's calving
//    days of it, either side, and an animal whose 출하예정일 lies within the shipment days of it,
//    either side.
//  - A calf not yet at the first-dose age has its due day ahead; whether that day is near
//    enough to be listed is the list's question (DueList.h).
#include "vaccination/model/VaccinationProgram.h"

#include <QDate>
#include <QList>
#include <QString>

namespace vaccination {

// An animal as far as the rule goes.
struct HerdAnimal {
    QString number;   // 개체번호
    QString pen;      // 우방번호
    bool cow = true;  // 구분 0
    QDate birth;      // 개체생일; invalid when not known
    // Left the farm: a cow's 판매일 or anyone's 출하일 (a bull's 판매일 is its castration).
    bool gone = false;
    QDate plannedShipment;  // 출하예정일; invalid when none
    QDate expectedCalving;  // a pregnant cow's (mating::cowStateOf); invalid otherwise
};

enum class DoseKind { First, Second, Regular };
// "1차", "2차", "정기".
QString doseKindText(DoseKind k);

enum class Verdict {
    Due,           // has a due day (which may still lie ahead)
    Gone,          // sold or shipped
    NoBirthDate,   // never dosed (or a calves' program) and no birth date to count from
    NotTarget,     // the program is not for this animal on the due day
    NearCalving,   // the due day lies within the calving days of her expected calving
    NearShipment,  // the due day lies within the shipment days of the planned shipment
};
// Why an animal is left out, as the farmer reads it ("판매·출하", "생일 없음", "접종 대상 아님",
// "분만 예정 전후", "출하 예정 전후"); "" for Due.
QString verdictText(Verdict v);

struct Judgement {
    Verdict verdict = Verdict::Due;
    QDate due;  // the due day; invalid for Gone and NoBirthDate
    DoseKind kind = DoseKind::First;
    QDate lastDose;  // the latest dose; invalid when none
    bool operator==(const Judgement&) const = default;
};

// The rule for one program and one animal; `doses` are the dates of its doses of that program,
// in any order (invalid dates are not counted).
Judgement judge(const VaccinationProgram& program, const HerdAnimal& animal, const QList<QDate>& doses);

}  // namespace vaccination
