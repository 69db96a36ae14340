#pragma once
// The shipment results of the herd analysis (출하성적), computed from the carcass gradings
// (등급판정) whose 판정일 falls in the period, free of any window:
//  - one line per sire of the shipped animal (개체관리.정액번호, "미입력" when empty) and one per
//    sex (구분: 암 for 0, 수 otherwise), most head first, and a total line;
//  - averages leave out values of 0 (not entered) and say how many; the age at shipment is the
//    days from 개체생일 to 판정일 as months (÷ 30.4375, one decimal);
//  - the quality grade (1++, 1+, 1, 2, 3) and the yield grade (A, B, C) are read from 최종등급 as
//    farmers write them ("1++A", "1+B", "2C", "1+"; blanks and letter case do not matter); each
//    quality share is over the head with a recognised grade, each yield share over the head with
//    a yield letter. Anything else is 기타, counted and listed; an empty grade is not entered.
#include "analysis/model/AnalysisValues.h"
#include "books/model/PeriodBook.h"

#include <QHash>
#include <QString>
#include <array>
#include <functional>
#include <vector>

namespace analysis {

inline constexpr int kQualityGrades = 5;  // 1++, 1+, 1, 2, 3
inline constexpr int kYieldGrades = 3;    // A, B, C
// "1++", "1+", "1", "2", "3" for 0..4.
QString qualityGradeName(int index);
// "A", "B", "C" for 0..2.
QString yieldGradeName(int index);

// What a 최종등급 says.
struct GradeReading {
    bool entered = false;  // not empty
    int quality = -1;      // index into the quality grades; -1 when not recognised
    int yield = -1;        // index into the yield grades; -1 when none
    // Entered but not recognised: counted as 기타.
    bool other() const { return entered && quality < 0; }
    bool operator==(const GradeReading&) const = default;
};
GradeReading readGrade(const QString& finalGrade);

// One 등급판정 row with what the analysis needs of its animal (개체관리).
struct GradingRow {
    QString animal;            // 개체번호
    bool cow = false;          // 개체관리.구분 = 0
    qint64 birth = 0;          // 개체관리.개체생일
    QString sire;              // 개체관리.정액번호
    qint64 graded = 0;         // 판정일
    double liveWeight = 0;     // 생체중, kg
    double carcassWeight = 0;  // 도체중, kg
    double loinEye = 0;        // 등심단면적, cm²
    double backfat = 0;        // 등지방두께, mm
    double marbling = 0;       // 근내지방
    QString grade;             // 최종등급
    double price = 0;          // 경락가, won per kg
};

// One line of the shipment table.
struct ShipmentRow {
    QString label;
    int head = 0;
    Figure age;                                 // months at shipment, one decimal; left out: no 개체생일
    Figure liveWeight;                          // kg, one decimal
    Figure carcassWeight;                       // kg, one decimal
    Figure loinEye;                             // cm², one decimal
    Figure backfat;                             // mm, one decimal
    Figure marbling;                            // one decimal
    Figure price;                               // won per kg, whole won
    std::array<int, kQualityGrades> quality{};  // head of each quality grade
    int qualityHead = 0;                        // head with a recognised quality grade
    std::array<int, kYieldGrades> yield{};
    int yieldHead = 0;  // head with a yield letter
    int other = 0;      // 기타: a grade entered but not recognised
    int ungraded = 0;   // no grade entered

    // Shares in per cent, one decimal.
    double qualityShare(int index) const { return percent(quality[size_t(index)], qualityHead); }
    double yieldShare(int index) const { return percent(yield[size_t(index)], yieldHead); }
    bool operator==(const ShipmentRow&) const = default;
};

// A grading whose 최종등급 is 기타.
struct OtherGrade {
    QString animal;
    qint64 graded = 0;
    QString grade;
    bool operator==(const OtherGrade&) const = default;
};

struct ShipmentResult {
    std::vector<ShipmentRow> bySire;      // most head first, then by label
    std::vector<ShipmentRow> bySex;       // the same order
    ShipmentRow total;                    // "합계"
    std::vector<OtherGrade> otherGrades;  // by date
};

// Collects the shipment table from a stream of gradings, in any order; gradings outside the
// period are skipped.
class ShipmentAnalysis {
public:
    explicit ShipmentAnalysis(const books::Period& period) : m_period(period) {}
    void add(const GradingRow& row);
    ShipmentResult finish();

private:
    struct Sums {
        int head = 0;
        Mean age, liveWeight, carcassWeight, loinEye, backfat, marbling, price;
        std::array<int, kQualityGrades> quality{};
        std::array<int, kYieldGrades> yield{};
        int other = 0, ungraded = 0;
        void add(const GradingRow& r, const GradeReading& g);
        ShipmentRow row(const QString& label) const;
    };
    static std::vector<ShipmentRow> sortedRows(const QHash<QString, Sums>& groups);

    books::Period m_period;
    QHash<QString, Sums> m_bySire, m_bySex;
    QHash<QString, GradeReading> m_grades;  // a farm writes the same few grades again and again
    Sums m_total;
    std::vector<OtherGrade> m_other;
};

ShipmentResult analyseShipments(const std::vector<GradingRow>& rows, const books::Period& period);

// Streams the gradings whose 판정일 falls in the period, with their animal, to `each`. Throws
// DbError.
void readGradingRows(const books::Period& period, const std::function<void(const GradingRow&)>& each);
// The shipment table of the open farm. Throws DbError.
ShipmentResult loadShipments(const books::Period& period);

}  // namespace analysis
