#pragma once
// A date picker with a small caption-less check box in front of it: the picker (and whatever
// the owner ties to the box) is usable, and its date counts, exactly while the box is ticked.
// Ticking or clearing the box from code has the same effect as a click.
#include <QDate>
#include <QString>
#include <QWidget>

class QCheckBox;
class QDateEdit;
class QLabel;

class CheckedDateEdit : public QWidget {
    Q_OBJECT
public:
    // `name` is the picker's control name; the box is named `name` + "체크". The picker shows today.
    explicit CheckedDateEdit(const QString& name, QWidget* parent = nullptr);

    QCheckBox* box() const { return m_box; }
    QDateEdit* picker() const { return m_picker; }

    bool isTicked() const;
    void setTicked(bool ticked);
    QDate date() const;
    void setDate(const QDate& date);
    // The stored date number: yyyymmdd while ticked, 0 otherwise.
    qint64 dateNumber() const;
    // The date in `pattern` (see formatDate) while ticked, "" otherwise.
    QString dateText(const QString& pattern) const;
    // Box and picker are heard by the caption beside them.
    void setCaption(QLabel* caption);

signals:
    void toggled(bool ticked);

private:
    QCheckBox* m_box;
    QDateEdit* m_picker;
};
