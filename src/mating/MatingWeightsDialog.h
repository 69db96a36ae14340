#pragma once
// 지수 가중치: the weight each trait has in the selection index the plan ranks bulls by, and the
// inbreeding a recommended calf stays below, each in its box with its default beside it;
// 저 장 / 취 소. A value that is no number or out of bounds is refused with a message and the
// focus goes back to its box; everything is stored together in one transaction.
#include "kit/SaveCancel.h"
#include "mating/model/MatingSettings.h"

#include <QDialog>
#include <array>

class QLineEdit;

class MatingWeightsDialog : public QDialog {
    Q_OBJECT
public:
    MatingWeightsDialog(const mating::MatingSettings& current, QWidget* parent = nullptr);

    // The box of trait `t`, named after its column ("도체중").
    QLineEdit* weightInput(Trait t) const { return m_weights[size_t(t)]; }
    QLineEdit* limitInput() const { return m_limit; }  // "근교계수한계", in percent
    const SaveCancel& buttons() const { return m_buttons; }
    // The stored settings after a save; `current` before.
    const mating::MatingSettings& settings() const { return m_settings; }

    // Checks and stores; closes the dialog when stored. False when refused.
    bool save();

private:
    std::array<QLineEdit*, kTraitCount> m_weights{};
    QLineEdit* m_limit = nullptr;
    SaveCancel m_buttons;
    mating::MatingSettings m_settings;
};
