#include "vaccination/VaccinationProgramsWindow.h"

#include "data/Db.h"
#include "kit/CatalogueControls.h"
#include "kit/DbMessages.h"
#include "kit/Grid.h"
#include "kit/Messages.h"
#include "kit/WindowKeys.h"
#include "vaccination/ProgramEntryDialog.h"
#include "vaccination/model/ProgramRows.h"

#include <QPushButton>
#include <QVBoxLayout>

using namespace vaccination;

VaccinationProgramsWindow::VaccinationProgramsWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm접종계획"));
    setWindowTitle(QStringLiteral("접종 계획"));
    setModal(true);
    resize(900, 420);
    auto* layout = new QVBoxLayout(this);

    const QStringList columns = programHeaders();
    m_grid = catalogueGrid(this, QStringLiteral("grdPrograms"), QStringLiteral("접종 계획"), columns,
                           QList<CellKind>(columns.size(), CellKind::Text));
    m_grid->setStretchColumn(2);
    layout->addWidget(m_grid, 1);
    const auto buttons =
        commandRow(this, layout,
                   {{{QStringLiteral("cmdAdd"), QStringLiteral("추 가"), [this] { addProgram(); }},
                     {QStringLiteral("cmdChange"), QStringLiteral("수 정"), [this] { changeProgram(); }},
                     {QStringLiteral("cmdDelete"), QStringLiteral("삭 제"), [this] { deleteProgram(); }}}});
    m_add = buttons[0];
    m_change = buttons[1];
    m_delete = buttons[2];

    connect(m_grid, &Grid::dblClick, this, [this](int, int row) {
        if (row >= 1) changeProgram();
    });
    new WindowKeys(this);
    reload();
}

void VaccinationProgramsWindow::reload(const QString& name)
{
    m_programs.clear();
    try {
        m_programs = loadPrograms();
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
    QList<QStringList> rows;
    int active = m_programs.isEmpty() ? 0 : 1;
    for (qsizetype i = 0; i < m_programs.size(); ++i) {
        rows << programCells(m_programs[i]);
        if (m_programs[i].name == name) active = int(i) + 1;
    }
    fillGrid(m_grid, std::move(rows), active);
    m_change->setEnabled(!m_programs.isEmpty());
    m_delete->setEnabled(!m_programs.isEmpty());
}

const VaccinationProgram* VaccinationProgramsWindow::selected() const
{
    const int row = m_grid->activeRow();
    return row >= 1 && row <= m_programs.size() ? &m_programs[row - 1] : nullptr;
}

void VaccinationProgramsWindow::addProgram()
{
    ProgramEntryDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) reload(dialog.savedName());
}

void VaccinationProgramsWindow::changeProgram()
{
    const VaccinationProgram* program = selected();
    if (!program) return;
    ProgramEntryDialog dialog(this, *program);
    if (dialog.exec() == QDialog::Accepted) reload(dialog.savedName());
}

void VaccinationProgramsWindow::deleteProgram()
{
    const VaccinationProgram* program = selected();
    if (!program) return;
    const QString name = program->name;
    if (showMessage(this, MsgIcon::Question, QStringLiteral("삭제"),
                    QStringLiteral("'%1' 접종 계획을 삭제하시겠습니까?\n이미 기록한 진료·백신 기록은 그대로 남습니다.")
                        .arg(name),
                    MsgButton::Yes | MsgButton::No, MsgButton::No) != MsgButton::Yes)
        return;
    try {
        vaccination::deleteProgram(name);
    } catch (const DbError& e) {
        showPlainError(this, e);
        return;
    }
    reload();
}

void openVaccinationPrograms(QWidget* parent)
{
    VaccinationProgramsWindow window(parent);
    window.exec();
}
