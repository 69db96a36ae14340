#pragma once
// The farm's own registration data: the one row of 농장정보, and the farm's support contact.
#include <QString>
#include <optional>

// Whom the farm calls for help with the program: only what the farm typed, empty until then.
// Kept in a table of its own (지원연락처), so 농장정보 keeps the columns older files have.
struct SupportContact {
    QString 이름;
    QString 전화번호;

    bool isEmpty() const { return 이름.isEmpty() && 전화번호.isEmpty(); }
};

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

// The stored support contact, trimmed; empty when none is stored or the table is missing.
// Throws DbError when it cannot be read.
SupportContact readSupportContact();
// Stores `c` trimmed as the one support contact; an empty one removes it. Throws DbError;
// nothing is changed then.
void storeSupportContact(const SupportContact& c);
// Both at once, as the farm information window saves them: all or nothing.
void storeFarmInfo(const FarmInfo& f, const SupportContact& c);
// The support contact stored in the database file `file`, read through a read-only connection
// of its own (for the messages shown when the program's connection failed); empty when the file
// cannot be read or holds none.
SupportContact supportContactIn(const QString& file);
