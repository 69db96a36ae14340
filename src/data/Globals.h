#pragma once
// The handful of values windows hand to each other for the whole run.
#include <QString>
#include <QtGlobal>

extern QString gs등록번호;    // farm registration number (농장정보.등록번호)
extern QString gs사업장명칭;  // farm business name (농장정보.사업장명칭)

// The farm every list, book and print is headed with: the two values above, read and written
// together so no window keeps a copy of its own.
struct FarmHeader {
    QString name;          // 사업장명칭
    QString registration;  // 등록번호
};
FarmHeader farmHeader();
void setFarmHeader(const FarmHeader& header);

// Product title used as the default title of plain message boxes and window captions.
inline const QString kAppTitle = QStringLiteral("한우암소관리");
