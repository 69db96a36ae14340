#include "vaccination/ProgramEntryDialog.h"

#include "kit/DbMessages.h"
#include "kit/FieldFocus.h"
#include "kit/FieldTable.h"
#include "kit/Messages.h"
#include "kit/NoteLabel.h"
#include "kit/WindowKeys.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace vaccination;

namespace {
const QString kTarget = QStringLiteral("대상");
const QString kCalfMonths = QStringLiteral("대상개월수");
}  // namespace

ProgramEntryDialog::ProgramEntryDialog(QWidget* parent, const std::optional<VaccinationProgram>& stored)
    : QDialog(parent), m_oldName(stored ? stored->name : QString())
{
    setObjectName(QStringLiteral("frm접종계획등록"));
    setWindowTitle(isNew() ? QStringLiteral("접종 계획 추가") : QStringLiteral("접종 계획 수정"));
    setModal(true);

    FieldTable table(this, QStringLiteral("frm접종계획"), 150);
    auto text = [&](const QString& column, const QString& caption, const QString& hint) {
        m_texts.insert(column, table.addText(column, caption, hint, 220));
    };
    text(QStringLiteral("이름"), QStringLiteral("이름"), QStringLiteral("구제역, 럼피스킨 …"));
    text(QStringLiteral("처치어"), QStringLiteral("처치어(쉼표로 구분)"), QStringLiteral("구제역, FMD"));
    text(QStringLiteral("첫접종일령"), QStringLiteral("첫 접종 일령(일)"), QStringLiteral("생후 며칠에"));
    text(QStringLiteral("보강일수"), QStringLiteral("보강 접종(일 뒤)"), QStringLiteral("첫 접종 며칠 뒤"));
    text(QStringLiteral("반복일수"), QStringLiteral("정기 접종(일마다)"), QStringLiteral("최근 접종 며칠 뒤"));
    table.addCaption(QStringLiteral("대상"));
    m_target = new QComboBox(table.frame());
    for (Target t : {Target::All, Target::Cows, Target::Calves}) m_target->addItem(targetText(t));
    table.addInput(kTarget, m_target);
    text(kCalfMonths, QStringLiteral("송아지 월령(개월 미만)"), QStringLiteral("송아지만"));
    text(QStringLiteral("분만제외일수"), QStringLiteral("분만 전후 제외(일)"), QStringLiteral("0이면 제외 안 함"));
    text(QStringLiteral("출하제외일수"), QStringLiteral("출하 전후 제외(일)"), QStringLiteral("0이면 제외 안 함"));

    m_buttons = table.finish([this] { save(); }, [this] { reject(); });
    // The note above the boxes: the farm's own intervals, not a rule of the program.
    m_note = noteLabel(QStringLiteral("lblPractice"), vaccination::practiceNote(), this);
    if (auto* column = qobject_cast<QBoxLayout*>(layout())) column->insertWidget(0, m_note);
    new WindowKeys(this);  // Enter does nothing, Esc closes without storing

    connect(m_target, &QComboBox::currentIndexChanged, this, [this] { followTarget(); });
    ProgramEntry start = entryOf(stored.value_or(defaultProgram()));
    if (!stored) {
        start.name.clear();
        start.words.clear();
    }
    showEntry(start);
}

void ProgramEntryDialog::followTarget()
{
    const bool calves = m_target->currentText() == targetText(Target::Calves);
    QLineEdit* months = m_texts[kCalfMonths];
    months->setEnabled(calves);
    if (!calves) months->clear();
}

ProgramEntry ProgramEntryDialog::entry() const
{
    ProgramEntry e;
    e.name = m_texts[QStringLiteral("이름")]->text();
    e.words = m_texts[QStringLiteral("처치어")]->text();
    e.firstDoseDays = m_texts[QStringLiteral("첫접종일령")]->text();
    e.boosterDays = m_texts[QStringLiteral("보강일수")]->text();
    e.repeatDays = m_texts[QStringLiteral("반복일수")]->text();
    e.target = m_target->currentText();
    e.calfMonths = m_texts[kCalfMonths]->text();
    e.calvingSkipDays = m_texts[QStringLiteral("분만제외일수")]->text();
    e.shipmentSkipDays = m_texts[QStringLiteral("출하제외일수")]->text();
    return e;
}

void ProgramEntryDialog::showEntry(const ProgramEntry& e)
{
    m_texts[QStringLiteral("이름")]->setText(e.name);
    m_texts[QStringLiteral("처치어")]->setText(e.words);
    m_texts[QStringLiteral("첫접종일령")]->setText(e.firstDoseDays);
    m_texts[QStringLiteral("보강일수")]->setText(e.boosterDays);
    m_texts[QStringLiteral("반복일수")]->setText(e.repeatDays);
    m_target->setCurrentIndex(std::max(0, m_target->findText(e.target)));
    followTarget();
    // A stored 0 means "not a calves' program": the box stays empty then.
    if (m_texts[kCalfMonths]->isEnabled() && e.calfMonths != QStringLiteral("0"))
        m_texts[kCalfMonths]->setText(e.calfMonths);
    m_texts[QStringLiteral("분만제외일수")]->setText(e.calvingSkipDays);
    m_texts[QStringLiteral("출하제외일수")]->setText(e.shipmentSkipDays);
}

bool ProgramEntryDialog::save()
{
    const ProgramEntry e = entry();
    std::optional<ProgramProblem> problem;
    try {
        problem = isNew() ? addProgram(e) : changeProgram(m_oldName, e);
    } catch (const DbError& err) {
        showPlainError(this, err);
        return false;
    }
    if (problem) {
        showMessage(this, MsgIcon::Information, QStringLiteral("입력 확인"), problem->message);
        QWidget* field = problem->field == kTarget ? static_cast<QWidget*>(m_target) : m_texts.value(problem->field);
        if (field) focusRefusedField(field);
        return false;
    }
    m_savedName = e.name.trimmed();
    accept();
    return true;
}
