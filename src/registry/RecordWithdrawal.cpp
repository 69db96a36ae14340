#include "registry/RecordWithdrawal.h"

#include "history/WithdrawalGuard.h"
#include "registry/model/LeavingDate.h"

bool confirmLeavingOutsideWithdrawal(QWidget* form, const AnimalRecord& r, const QString& storedNumber)
{
    const QString animal = storedNumber.trimmed().isEmpty() ? r.개체번호 : storedNumber.trimmed();
    return confirmOutsideWithdrawal(form, animal, leavingDate(r));
}
