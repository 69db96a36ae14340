#include "sheets/model/RowOrder.h"

#include "sheets/model/TableExport.h"

#include <algorithm>

std::vector<qsizetype> sortedRowOrder(const QList<QStringList>& rows, qsizetype count, int column, CellKind kind,
                                      Qt::SortOrder order)
{
    count = std::clamp<qsizetype>(count, 0, rows.size());
    std::vector<qsizetype> index(static_cast<size_t>(count));
    for (qsizetype i = 0; i < count; ++i) index[size_t(i)] = i;
    const bool numbers = kind == CellKind::Number;
    // A percentage sorts by its figure ("12.5%").
    auto key = [&](qsizetype i) {
        QString k = rows[i].value(column - 1).trimmed();
        if (numbers && k.endsWith(u'%')) k.chop(1);
        return k;
    };
    std::stable_sort(index.begin(), index.end(), [&](qsizetype a, qsizetype b) {
        const QString ka = key(a), kb = key(b);
        if (ka.isEmpty() || kb.isEmpty()) return !ka.isEmpty() && kb.isEmpty();
        int c = 0;
        if (numbers) {
            const double va = numberFromText(ka).value_or(ShownNumber{}).value;
            const double vb = numberFromText(kb).value_or(ShownNumber{}).value;
            c = va < vb ? -1 : (va > vb ? 1 : 0);
        } else {
            c = QString::localeAwareCompare(ka, kb);
        }
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    return index;
}
