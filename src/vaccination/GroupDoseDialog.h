#pragma once
// 접종 기록: one dose given to the ticked animals of the due list, asked once (the program, the
// day, the vaccine, the product and its withdrawal days, the vet, a note) and stored for every
// animal in one transaction, or not at all.
#include "kit/SaveCancel.h"
#include "vaccination/model/VaccinationProgram.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QStringList>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QSpinBox;

class GroupDoseDialog : public QDialog {
    Q_OBJECT
public:
    // The dose for `animals` (animal numbers); the program `programName` chosen at first when
    // it is one of `programs`.
    GroupDoseDialog(QWidget* parent, const QList<vaccination::VaccinationProgram>& programs, const QStringList& animals,
                    const QString& programName = QString());

    QComboBox* programBox() const { return m_program; }                            // "접종계획"
    QDateEdit* datePicker() const { return m_date; }                               // "날짜"
    QLineEdit* textBox(const QString& name) const { return m_texts.value(name); }  // "증상", "처치", "수의사", "비고"
    QSpinBox* withdrawalBox() const { return m_withdrawal; }                       // "휴약일수"
    QLabel* animalsNote() const { return m_animalsNote; }                          // "lblAnimals"
    const SaveCancel& buttons() const { return m_buttons; }

    // The number of animals the last save stored a dose for (0 before).
    int storedCount() const { return m_stored; }
    // 저 장: stores for every animal and closes; false when refused (nothing stored).
    bool save();

private:
    // The product box starts from the first word of the chosen program ("구제역").
    void followProgram();

    QList<vaccination::VaccinationProgram> m_programs;
    QStringList m_animals;
    QComboBox* m_program = nullptr;
    QDateEdit* m_date = nullptr;
    QHash<QString, QLineEdit*> m_texts;
    QSpinBox* m_withdrawal = nullptr;
    QLabel* m_animalsNote = nullptr;
    QString m_prefilled;  // what followProgram last put in the product box
    int m_stored = 0;
    SaveCancel m_buttons;
};
