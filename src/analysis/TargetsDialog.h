#pragma once
// 목표: the farmer's targets for the six fertility figures of the herd analysis, each in its
// box with its unit, published default and the range it takes, the source of the defaults under
// them, 저 장 / 취 소. A value that is no number or outside its range is refused with a message
// that names the range, and the focus goes back to its box; the six are stored together in one
// transaction.
#include "analysis/model/AnalysisTargets.h"
#include "kit/SaveCancel.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;

class TargetsDialog : public QDialog {
    Q_OBJECT
public:
    // Opens on `current`, the targets the window judges by.
    TargetsDialog(const analysis::Targets& current, QWidget* parent = nullptr);

    // The box of figure `f`, named by its key in 성적목표 ("분만간격", "수태율", ...).
    QLineEdit* input(analysis::TargetFigure f) const { return m_inputs[size_t(f)]; }
    QLabel* sourceNote() const { return m_source; }  // "lbl출처"
    const SaveCancel& buttons() const { return m_buttons; }
    // The stored targets after a save; `current` before.
    const analysis::Targets& targets() const { return m_targets; }

    // Checks and stores the six; closes the dialog when stored. False when refused.
    bool save();

private:
    std::array<QLineEdit*, analysis::kTargetFigureCount> m_inputs{};
    QLabel* m_source = nullptr;
    SaveCancel m_buttons;
    analysis::Targets m_targets;
};
