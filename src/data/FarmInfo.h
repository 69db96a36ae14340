#pragma once
// The farm's own registration data: the one row of 농장정보.
#include <QString>
#include <optional>

struct FarmInfo {
    QString 등록번호;
    QString 고유번호;
    QString 성명;
    QString 주민번호;
    QString 사업장명칭;
    QString 소재지;
    QString 축종;
};

// The first row of 농장정보, every field trimmed; nullopt when the table has no row.
// Throws DbError when it cannot be read.
std::optional<FarmInfo> readFarmInfo();

// Stores `f` as the one row of 농장정보, every value trimmed: every row is changed, and an
// empty table gets the row. Throws DbError; nothing is changed then.
void storeFarmInfo(const FarmInfo& f);
