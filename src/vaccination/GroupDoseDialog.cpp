#include "vaccination/GroupDoseDialog.h"

#include "data/Clock.h"
#include "data/Db.h"
#include "kit/DateEdit.h"
#include "kit/DateField.h"
#include "kit/DbMessages.h"
#include "kit/FieldTable.h"
#include "kit/Messages.h"
#include "kit/NoteLabel.h"
#include "kit/WindowKeys.h"
#include "vaccination/model/GroupDose.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

using namespace vaccination;

GroupDoseDialog::GroupDoseDialog(QWidget* parent, const QList<VaccinationProgram>& programs, const QStringList& animals,
                                 const QString& programName)
    : QDialog(parent), m_programs(programs), m_animals(animals)
{
    m_animals.removeDuplicates();  // an animal due for two programs is ticked in two rows
    setObjectName(QStringLiteral("frm접종기록"));
    setWindowTitle(QStringLiteral("접종 기록"));
    setModal(true);

    FieldTable table(this, QStringLiteral("frm접종"), 120);
    QWidget* frame = table.frame();
    table.addCaption(QStringLiteral("접종 계획"));
    m_program = new QComboBox(frame);
    for (const VaccinationProgram& p : m_programs) m_program->addItem(p.name);
    m_program->setCurrentIndex(std::max(0, m_program->findText(programName)));
    table.addInput(QStringLiteral("접종계획"), m_program);
    table.addCaption(QStringLiteral("접종일"));
    m_date = dateField(DateLook::Plain, 150, frame);
    m_date->setDate(today());
    table.addInput(QStringLiteral("날짜"), m_date);
    auto text = [&](const QString& name, const QString& caption, const QString& hint) {
        m_texts.insert(name, table.addText(name, caption, hint, 240));
    };
    text(QStringLiteral("증상"), QStringLiteral("증상/백신명"), QStringLiteral("비우면 접종 계획 이름"));
    text(QStringLiteral("처치"), QStringLiteral("처치(백신 제품)"), QStringLiteral("구제역 백신(O+A)"));
    table.addCaption(QStringLiteral("휴약일수"));
    m_withdrawal = new QSpinBox(frame);
    m_withdrawal->setRange(0, kMaxWithdrawalDays);
    m_withdrawal->setSuffix(QStringLiteral("일"));
    table.addInput(QStringLiteral("휴약일수"), m_withdrawal);
    text(QStringLiteral("수의사"), QStringLiteral("수의사"), QString());
    text(QStringLiteral("비고"), QStringLiteral("비고"), QString());

    m_buttons = table.finish([this] { save(); }, [this] { reject(); });
    // A whole pen is named by its first numbers; the count says the rest.
    constexpr int kNamed = 8;
    QString named = m_animals.mid(0, kNamed).join(QStringLiteral(", "));
    if (m_animals.size() > kNamed) named += QStringLiteral(" 외 %1마리").arg(m_animals.size() - kNamed);
    m_animalsNote =
        noteLabel(QStringLiteral("lblAnimals"),
                  QStringLiteral("선택한 %1마리에 같은 접종을 기록합니다: %2").arg(m_animals.size()).arg(named), this);
    m_animalsNote->setMaximumWidth(480);
    if (auto* column = qobject_cast<QBoxLayout*>(layout())) column->insertWidget(0, m_animalsNote);
    new WindowKeys(this);  // Enter does nothing, Esc closes without storing

    connect(m_program, &QComboBox::currentIndexChanged, this, [this] { followProgram(); });
    followProgram();
}

void GroupDoseDialog::followProgram()
{
    QLineEdit* product = m_texts[QStringLiteral("처치")];
    // A product the farmer typed stays; only the word put there by the program follows it.
    if (!product->text().isEmpty() && product->text() != m_prefilled) return;
    const int i = m_program->currentIndex();
    m_prefilled = i >= 0 && i < m_programs.size() ? m_programs[i].words.value(0) : QString();
    product->setText(m_prefilled);
}

bool GroupDoseDialog::save()
{
    if (!typedDatesTaken(this)) return false;
    const int i = m_program->currentIndex();
    if (i < 0 || i >= m_programs.size()) {
        showMessage(this, MsgIcon::Information, QStringLiteral("입력 확인"),
                    QStringLiteral("접종 계획이 없습니다. 먼저 접종 계획을 추가해 주세요."));
        return false;
    }
    GroupDose dose;
    dose.date = m_date->date();
    dose.symptom = m_texts[QStringLiteral("증상")]->text();
    dose.treatment = m_texts[QStringLiteral("처치")]->text();
    dose.withdrawalDays = m_withdrawal->value();
    dose.vet = m_texts[QStringLiteral("수의사")]->text();
    dose.note = m_texts[QStringLiteral("비고")]->text();
    std::optional<GroupDoseProblem> problem;
    try {
        problem = recordGroupDose(m_programs[i], dose, m_animals, today());
    } catch (const DbError& err) {
        showPlainError(this, err);
        return false;
    }
    if (problem) {
        showMessage(this, MsgIcon::Information, QStringLiteral("입력 확인"), problem->message);
        return false;
    }
    m_stored = int(m_animals.size());
    accept();
    return true;
}
