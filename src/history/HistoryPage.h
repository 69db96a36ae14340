#pragma once
// A page of a record form's tab control that belongs to the animal the form shows. The form
// treats every page alike: it reloads them all when it shows an animal and tells them the new
// number after it stored or renumbered the animal.
#include <QString>
#include <QWidget>

class HistoryPage : public QWidget {
    Q_OBJECT
public:
    explicit HistoryPage(QWidget* parent = nullptr) : QWidget(parent) {}

    // The animal the page's records belong to; entries are stored under it.
    QString animalNumber() const { return m_animal; }
    void setAnimalNumber(const QString& number) { m_animal = number; }
    // Shows the records of `number`. A page with nothing stored of its own just keeps the number.
    virtual void reload(const QString& number) { m_animal = number; }

private:
    QString m_animal;
};
