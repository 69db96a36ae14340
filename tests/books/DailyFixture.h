#pragma once
// What the tests of the daily lists share: a farm opened on a fixed today, and the rows of a
// list window's grid as text, for comparing whole lists at a glance.
#include "data/Clock.h"
#include "data/Db.h"
#include "kit/Grid.h"
#include "support/TestFarm.h"

#include <QStringList>

// A farm of its own, opened, with today fixed at `day` until the test ends.
class FarmOnADay : public FarmTest {
protected:
    explicit FarmOnADay(const QDate& day)
    {
        setTodayOverride(day);
        EXPECT_TRUE(farm.open());
    }
    ~FarmOnADay() override { setTodayOverride(QDate()); }
};

// A grid row as "a | b | *c", bold cells marked with "*".
inline QString rowText(Grid* g, int row)
{
    QStringList cells;
    for (int c = 1; c <= g->maxCols(); ++c) {
        g->setCol(c);
        g->setRow(row);
        cells << (g->fontBold() ? QStringLiteral("*") : QString()) + g->cellText(c, row);
    }
    return cells.join(QStringLiteral(" | "));
}

// Every data row of the grid, as rowText.
inline QStringList gridRows(Grid* g)
{
    QStringList rows;
    for (int r = 1; r <= g->maxRows(); ++r) rows << rowText(g, r);
    return rows;
}

// The rows of the work table 일일관리 as stored, in the order stored, as "a | b | …".
inline QStringList dailyWorkTable()
{
    QSqlQuery q = runQuery(QStringLiteral("select * from 일일관리 order by rowid"));
    QStringList stored;
    while (q.next()) {
        QStringList cells;
        for (int c = 0; c < 7; ++c) cells << q.value(c).toString();
        stored << cells.join(QStringLiteral(" | "));
    }
    return stored;
}
