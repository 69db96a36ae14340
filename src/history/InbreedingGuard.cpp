#include "history/InbreedingGuard.h"

#include "kit/DbMessages.h"
#include "kit/Messages.h"
#include "mating/model/ServiceCheck.h"

bool confirmCalfInbreeding(QWidget* parent, const QString& cow, const QString& semen)
{
    std::optional<mating::CalfRisk> risk;
    try {
        risk = mating::calfRiskOf(cow.trimmed(), semen);
    } catch (const DbError& e) {
        // Unchecked is unsafe: nothing is stored until the pedigree can be read.
        showPlainError(parent, e);
        return false;
    }
    if (!risk || !mating::asksAboutCalf(*risk)) return true;
    return showMessage(parent, MsgIcon::Exclamation, mating::calfRiskTitle(), mating::calfRiskQuestion(*risk),
                       MsgButton::Yes | MsgButton::No, MsgButton::No) == MsgButton::Yes;
}
