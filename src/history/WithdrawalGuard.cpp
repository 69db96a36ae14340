#include "history/WithdrawalGuard.h"

#include "history/model/Withdrawal.h"
#include "kit/DbMessages.h"
#include "kit/Messages.h"

bool confirmOutsideWithdrawal(QWidget* parent, const QString& animal, const QDate& day)
{
    if (!day.isValid()) return true;
    std::optional<withdrawal::Period> period;
    try {
        period = withdrawal::latest(withdrawal::treatmentsOf(animal.trimmed()));
    } catch (const DbError& e) {
        // Unchecked is unsafe: nothing is stored until the treatments can be read.
        showPlainError(parent, e);
        return false;
    }
    if (!withdrawal::within(period, day)) return true;
    return showMessage(parent, MsgIcon::Exclamation, withdrawal::warningTitle(), withdrawal::warningText(*period),
                       MsgButton::Yes | MsgButton::No, MsgButton::No) == MsgButton::Yes;
}
