#include "analysis/TargetsDialog.h"

#include "analysis/model/AnalysisTables.h"
#include "data/Values.h"
#include "kit/Accessibility.h"
#include "kit/DbMessages.h"
#include "kit/FieldFocus.h"
#include "kit/FieldTable.h"
#include "kit/Messages.h"
#include "kit/NoteLabel.h"
#include "kit/Styles.h"
#include "kit/WindowKeys.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace analysis;

namespace {
// What the default stands for, beside its box.
QString defaultNote(TargetFigure f)
{
    const TargetFigureInfo& info = figureInfo(f);
    QString note = QStringLiteral("기본 %1%2").arg(targetText(info.defaultTarget), info.unit);
    switch (f) {
    case TargetFigure::CalvingInterval:
        note += QStringLiteral(" (1년 1산, 조사 평균 %1일)").arg(targetText(kSurveyedCalvingInterval));
        break;
    case TargetFigure::DaysOpen: note += QStringLiteral(" (365일 - 임신기간 280일)"); break;
    case TargetFigure::FirstServiceInterval:
    case TargetFigure::ServicesPerConception:
    case TargetFigure::ConceptionRate:
    case TargetFigure::AgeAtFirstCalving: note += QStringLiteral(" (현장 실태조사)"); break;
    }
    return note + QStringLiteral(", 입력 범위 ") + targetRangeText(f);
}
}  // namespace

TargetsDialog::TargetsDialog(const Targets& current, QWidget* parent) : QDialog(parent), m_targets(current)
{
    setObjectName(QStringLiteral("frm성적목표"));
    setWindowTitle(QStringLiteral("번식성적 목표"));
    setModal(true);

    FieldTable table(this, QStringLiteral("fra성적목표"), 150);
    QWidget* frame = table.frame();
    for (TargetFigure f : kTargetFigures) {
        const TargetFigureInfo& info = figureInfo(f);
        table.addCaption(info.name);
        auto* box = new QLineEdit(targetText(current[f]), frame);
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(90);
        auto* unit = new QLabel(info.unit, frame);
        unit->setObjectName(info.key + QStringLiteral("단위"));
        unit->setMinimumWidth(30);
        auto* note = new QLabel(defaultNote(f), frame);
        note->setObjectName(info.key + QStringLiteral("기본"));
        note->setStyleSheet(styles::fieldNote());
        auto* cell = new QHBoxLayout;
        cell->addWidget(box);
        cell->addWidget(unit);
        cell->addWidget(note, 1);
        table.addInput(info.key, box, cell);
        m_inputs[size_t(f)] = box;
    }
    m_buttons = table.finish([this] { save(); }, [this] { reject(); });

    m_source = noteLabel(QStringLiteral("lbl출처"), targetSourceText(), this);
    m_source->setFrameShape(QFrame::StyledPanel);
    m_source->setMargin(6);
    // Between the boxes and the buttons.
    if (auto* all = qobject_cast<QVBoxLayout*>(layout())) all->insertWidget(1, m_source);
    setMinimumWidth(620);
    new WindowKeys(this);  // Enter does nothing, Esc closes without storing
}

bool TargetsDialog::save()
{
    Targets t;
    for (TargetFigure f : kTargetFigures) {
        QLineEdit* box = input(f);
        const QString text = box->text().trimmed();
        const TargetFigureInfo& info = figureInfo(f);
        QString problem;
        QString title = QStringLiteral("값 부정");
        MsgIcon icon = MsgIcon::Question;
        if (text.isEmpty()) {
            problem = QStringLiteral("%1 목표를 입력해 주세요.").arg(info.name);
            title = QStringLiteral("미입력");
            icon = MsgIcon::Information;
        } else if (!isNumeric(text)) {
            problem = QStringLiteral("%1 목표는 숫자로 입력해 주세요.").arg(info.name);
        } else {
            t[f] = numericValue(text);
            problem = targetProblem(f, t[f]);
        }
        if (!problem.isEmpty()) {
            showMessage(this, icon, title, problem, MsgButton::Ok);
            focusRefusedField(box);
            return false;
        }
    }
    try {
        storeTargets(t);
    } catch (const DbError& e) {
        showPlainError(this, e);
        return false;
    }
    m_targets = t;
    accept();
    return true;
}
