#pragma once
// 접종 계획: the farm's vaccination programs with their intervals, and the commands that add,
// change and delete one. Deleting a program leaves the treatment records as they are.
#include "vaccination/model/VaccinationProgram.h"

#include <QDialog>
#include <QList>

class Grid;
class QPushButton;

class VaccinationProgramsWindow : public QDialog {
    Q_OBJECT
public:
    explicit VaccinationProgramsWindow(QWidget* parent = nullptr);

    Grid* grid() const { return m_grid; }                   // "grdPrograms"
    QPushButton* addButton() const { return m_add; }        // "cmdAdd"
    QPushButton* changeButton() const { return m_change; }  // "cmdChange"
    QPushButton* deleteButton() const { return m_delete; }  // "cmdDelete"

    // Reads the programs again; the program `name` becomes the active row.
    void reload(const QString& name = QString());
    void addProgram();
    // 수정 and a double click: the program of the active row.
    void changeProgram();
    // 삭제: the program of the active row, after a question.
    void deleteProgram();

private:
    // The program of the active row; none when no row is active.
    const vaccination::VaccinationProgram* selected() const;

    Grid* m_grid = nullptr;
    QList<vaccination::VaccinationProgram> m_programs;  // by row - 1
    QPushButton* m_add = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_delete = nullptr;
};

// Opens the window modal over `parent` and returns when it is closed.
void openVaccinationPrograms(QWidget* parent);
