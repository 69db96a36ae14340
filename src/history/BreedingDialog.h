#pragma once
// The breeding entry dialog 번식기록 ("번식기록 등록/수정"): one insemination with its
// pregnancy check, expected calving and calving.
#include "history/HistoryEntryDialog.h"
#include "history/model/BreedingRecord.h"

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QFrame;
class QLineEdit;
class QRadioButton;

class BreedingDialog : public HistoryEntryDialog {
    Q_OBJECT
public:
    explicit BreedingDialog(HistoryTab& owner);

    // The insemination date (yyyymmdd) of the record being changed; empty for a new one.
    QString s수정일;
    QString& key() override { return s수정일; }

    // The fields as values, and back.
    BreedingInput input() const;
    void showInput(const BreedingInput& in);

    QLineEdit* 산차;
    QLineEdit* 회수;
    QDateEdit* 수정일;
    QLineEdit* 정액번호;
    QLineEdit* 공란우;
    QLineEdit* BCS;
    QCheckBox* 판정일체크;
    QDateEdit* 판정일;
    QRadioButton* SSOption1;
    QRadioButton* SSOption2;
    QCheckBox* 예정일체크;
    QDateEdit* 예정일;
    QCheckBox* 분만일체크;
    QDateEdit* 분만일;
    QLineEdit* 송아지번호;
    QFrame* Frame1;
    QRadioButton* SSOption3;
    QRadioButton* SSOption4;
    QLineEdit* 생시체중;
    QLineEdit* 분만난이도;
    QLineEdit* 인공수정자;
    QLineEdit* 비고;

protected:
    void setDefaults() override;
    BoundStatement recordQuery(const QString& animal, const QString& key) const override;
    void fillFromRecord(const QSqlRecord& record) override;
    CheckResult checkInput() const override;
    QDate keyDate() const override;
    QString keyField() const override { return QStringLiteral("수정일"); }
    BoundStatement storeStatement(const QString& animal, const QString& key) const override;
    QStringList gridRow() const override;

private:
    void buildLayout();
    void applyEnabling();
};
