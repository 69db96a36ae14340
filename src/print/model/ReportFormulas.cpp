#include "print/model/ReportFormulas.h"

namespace report {

Formulas::Formulas(std::initializer_list<Entry> entries)
{
    for (const Entry& e : entries) set(e.name, e.value);
}

void Formulas::set(const QString& name, const QString& value)
{
    const qsizetype i = find(name);
    if (i >= 0)
        m_entries[i].value = value;
    else
        m_entries.append({name, value});
}

void Formulas::add(const Formulas& more)
{
    for (const Entry& e : more) set(e.name, e.value);
}

QString Formulas::value(const QString& name) const
{
    const qsizetype i = find(name);
    return i >= 0 ? m_entries[i].value : QString();
}

QStringList Formulas::names() const
{
    QStringList out;
    out.reserve(m_entries.size());
    for (const Entry& e : m_entries) out << e.name;
    return out;
}

qsizetype Formulas::find(const QString& name) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].name == name) return i;
    return -1;
}

}  // namespace report
