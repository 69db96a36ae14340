#pragma once
// The formula names a report file shows, for tests that hold a print command's formulas
// against its report. Header only, so other test programs can include it as "print/ReportNames.h".
#include "print/model/ReportDefinition.h"

#include <QSet>
#include <QStringList>

inline void collectFormulaNames(const report::Template& parts, QSet<QString>* names)
{
    for (const report::Part& p : parts)
        if (p.type == report::Part::Formula) names->insert(p.text);
}

// Every formula name a report uses, sorted.
inline QStringList formulaNames(const report::Definition& d)
{
    QSet<QString> names;
    for (const report::Band* band : {&d.header, &d.form, &d.footer})
        for (const report::Element& e : band->elements) {
            collectFormulaNames(e.text, &names);
            collectFormulaNames(e.label, &names);
        }
    for (const report::Column& c : d.table.columns) {
        collectFormulaNames(c.header, &names);
        collectFormulaNames(c.cell, &names);
    }
    collectFormulaNames(d.table.empty, &names);
    QStringList sorted(names.begin(), names.end());
    sorted.sort();
    return sorted;
}
