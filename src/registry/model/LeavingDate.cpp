#include "registry/model/LeavingDate.h"

#include "data/Values.h"

QDate leavingDate(const AnimalRecord& r)
{
    return datenum::toDate(r.구분 == AnimalKind::Cow ? r.판매일 : r.출하일);
}
