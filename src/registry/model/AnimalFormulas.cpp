#include "registry/model/AnimalFormulas.h"

#include "data/Values.h"

using namespace Qt::StringLiterals;

namespace animalprint {

QString cellDate(const QString& cell, const QString& pattern)
{
    const QString text = cell.trimmed();
    const QDate d = datenum::fromDashed(text);
    return d.isValid() ? formatDate(d, pattern) : text;
}

QString boxDate(qint64 dateNumber)
{
    return datenum::longText(dateNumber);
}

report::Formulas registrationFormulas(const AnimalRecord& a, const FarmHeader& farm)
{
    return {{u"개체번호"_s, a.개체번호.trimmed()},
            {u"개체생일"_s, boxDate(a.개체생일)},
            {u"등록번호"_s, a.등록번호.trimmed()},
            {u"별명"_s, a.별명.trimmed()},
            {u"입식일자"_s, boxDate(a.입식일자)},
            {u"정액번호"_s, a.정액번호.trimmed()},
            {u"부번호"_s, a.부번호.trimmed()},
            {u"농장명"_s, farm.name.trimmed()},
            {u"축산업등록번호"_s, farm.registration.trimmed()},
            {u"모번호"_s, a.모번호.trimmed()},
            {u"판매일"_s, boxDate(a.판매일)}};
}

}  // namespace animalprint
