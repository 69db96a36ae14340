#pragma once
// The values a print command hands its report: each formula name the report file shows as
// {name} with the text printed there. Kept in the order given, so a command's formulas read
// (and compare in tests) as it wrote them.
#include <QList>
#include <QString>
#include <QStringList>
#include <initializer_list>

namespace report {

class Formulas {
public:
    struct Entry {
        QString name;
        QString value;
        bool operator==(const Entry&) const = default;
    };

    Formulas() = default;
    Formulas(std::initializer_list<Entry> entries);

    // Gives `name` its value. A name given again keeps its place and takes the new value.
    void set(const QString& name, const QString& value);
    // Every formula of `more`, set in its order.
    void add(const Formulas& more);

    bool contains(const QString& name) const { return find(name) >= 0; }
    // The value of `name`; "" for a name never given (the report prints it empty).
    QString value(const QString& name) const;
    QStringList names() const;

    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    QList<Entry>::const_iterator begin() const { return m_entries.cbegin(); }
    QList<Entry>::const_iterator end() const { return m_entries.cend(); }

    bool operator==(const Formulas&) const = default;

private:
    // A report names a few hundred formulas at most: a look along the list is quick enough.
    qsizetype find(const QString& name) const;

    QList<Entry> m_entries;
};

}  // namespace report
