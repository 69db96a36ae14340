#pragma once
// 접종 계획 등록/수정: one vaccination program typed in its boxes, new or changed. The model
// checks and stores it; a refusal is told in a message and the focus goes back to the box at
// fault. The dialog says that the starting values are common practice, not a law.
#include "kit/SaveCancel.h"
#include "vaccination/model/VaccinationProgram.h"

#include <QDialog>
#include <QHash>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

class ProgramEntryDialog : public QDialog {
    Q_OBJECT
public:
    // `stored`: the program to change; none for a new program (the boxes then start from the
    // common practice of defaultProgram(), with an empty name).
    explicit ProgramEntryDialog(QWidget* parent, const std::optional<vaccination::VaccinationProgram>& stored = {});

    bool isNew() const { return m_oldName.isEmpty(); }
    // The name stored by the last save.
    QString savedName() const { return m_savedName; }

    // The box of a column ("이름", "처치어", "첫접종일령", "보강일수", "반복일수", "대상개월수",
    // "분만제외일수", "출하제외일수").
    QLineEdit* textBox(const QString& column) const { return m_texts.value(column); }
    QComboBox* targetBox() const { return m_target; }  // "대상": 전체 / 암소 / 송아지
    QLabel* practiceNote() const { return m_note; }    // "lblPractice"
    const SaveCancel& buttons() const { return m_buttons; }

    vaccination::ProgramEntry entry() const;
    void showEntry(const vaccination::ProgramEntry& e);
    // 저 장: stores and closes; false when refused or the database failed.
    bool save();

private:
    // The months box counts only for calves.
    void followTarget();

    QString m_oldName;
    QString m_savedName;
    QHash<QString, QLineEdit*> m_texts;
    QComboBox* m_target = nullptr;
    QLabel* m_note = nullptr;
    SaveCancel m_buttons;
};
