#include "mating/MatingWeightsDialog.h"

#include "data/Db.h"
#include "data/Values.h"
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

using namespace mating;

namespace {
QString numberText(double v)
{
    return QString::number(v, 'g', 6);
}

QLineEdit* numberBox(const QString& text, QWidget* parent)
{
    auto* box = new QLineEdit(text, parent);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(80);
    return box;
}

QHBoxLayout* boxWithNote(QLineEdit* box, const QString& unit, const QString& note, QWidget* parent)
{
    auto* cell = new QHBoxLayout;
    cell->addWidget(box);
    auto* u = new QLabel(unit, parent);
    u->setMinimumWidth(16);
    cell->addWidget(u);
    auto* n = new QLabel(note, parent);
    n->setStyleSheet(styles::fieldNote());
    cell->addWidget(n, 1);
    return cell;
}

// The number typed in `box`, or the message refusing it.
std::optional<double> typedNumber(QWidget* parent, QLineEdit* box, const QString& name)
{
    const QString text = box->text().trimmed();
    if (text.isEmpty()) {
        showMessage(parent, MsgIcon::Information, QStringLiteral("미입력"),
                    QStringLiteral("%1을(를) 입력해 주세요.").arg(name), MsgButton::Ok);
    } else if (!isNumeric(text)) {
        showMessage(parent, MsgIcon::Question, QStringLiteral("값 부정"),
                    QStringLiteral("%1은(는) 숫자로 입력해 주세요.").arg(name), MsgButton::Ok);
    } else {
        return numericValue(text);
    }
    focusRefusedField(box);
    return std::nullopt;
}
}  // namespace

MatingWeightsDialog::MatingWeightsDialog(const MatingSettings& current, QWidget* parent)
    : QDialog(parent), m_settings(current)
{
    setObjectName(QStringLiteral("frm지수가중치"));
    setWindowTitle(QStringLiteral("지수 가중치"));
    setModal(true);

    const MatingSettings defaults = defaultMatingSettings();
    FieldTable table(this, QStringLiteral("fra지수가중치"), 150);
    QWidget* frame = table.frame();
    for (Trait t : kTraits) {
        table.addCaption(traitCaption(t));
        QLineEdit* box = numberBox(numberText(current.weight(t)), frame);
        QString note = QStringLiteral("기본 %1").arg(numberText(defaults.weight(t)));
        if (t == Trait::BackFat) note += QStringLiteral(" (얇을수록 좋아 음수)");
        note += QStringLiteral(", -%1~%1").arg(numberText(kWeightBound));
        table.addInput(traitColumn(t), box, boxWithNote(box, QString(), note, frame));
        m_weights[size_t(t)] = box;
    }
    table.addCaption(QStringLiteral("근교계수 한계"));
    m_limit = numberBox(numberText(current.inbreedingLimit * 100), frame);
    table.addInput(QStringLiteral("근교계수한계"), m_limit,
                   boxWithNote(m_limit, QStringLiteral("%"),
                               QStringLiteral("기본 %1%, %2% 이하 (이 값 이상인 정액은 추천하지 않습니다)")
                                   .arg(numberText(kAmberFrom * 100), numberText(kNeverFrom * 100)),
                               frame));
    m_buttons = table.finish([this] { save(); }, [this] { reject(); });

    QLabel* note = noteLabel(
        QStringLiteral("lbl가중치안내"),
        QStringLiteral("지수 = Σ 가중치 × (송아지 기대값 ÷ 씨수소 목록의 그 형질 육종가 표준편차). 가중치 0인 형질은 "
                       "순위에 쓰지 않습니다. 근교계수 6.25% 이상은 주의로 표시하고 12.5% 이상은 어떤 경우에도 "
                       "추천하지 않습니다."),
        this);
    note->setFrameShape(QFrame::StyledPanel);
    note->setMargin(6);
    note->setWordWrap(true);
    if (auto* all = qobject_cast<QVBoxLayout*>(layout())) all->insertWidget(1, note);
    setMinimumWidth(600);
    new WindowKeys(this);  // Enter does nothing, Esc closes without storing
}

bool MatingWeightsDialog::save()
{
    MatingSettings s;
    for (Trait t : kTraits) {
        QLineEdit* box = weightInput(t);
        const std::optional<double> w = typedNumber(this, box, traitColumn(t) + QStringLiteral(" 가중치"));
        if (!w) return false;
        if (const QString problem = weightProblem(t, *w); !problem.isEmpty()) {
            showMessage(this, MsgIcon::Question, QStringLiteral("값 부정"), problem, MsgButton::Ok);
            focusRefusedField(box);
            return false;
        }
        s.weight(t) = *w;
    }
    const std::optional<double> limit = typedNumber(this, m_limit, QStringLiteral("근교계수 한계"));
    if (!limit) return false;
    s.inbreedingLimit = *limit / 100;
    if (const QString problem = limitProblem(s.inbreedingLimit); !problem.isEmpty()) {
        showMessage(this, MsgIcon::Question, QStringLiteral("값 부정"), problem, MsgButton::Ok);
        focusRefusedField(m_limit);
        return false;
    }
    try {
        storeMatingSettings(s);
    } catch (const DbError& e) {
        showPlainError(this, e);
        return false;
    }
    m_settings = s;
    accept();
    return true;
}
