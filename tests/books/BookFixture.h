#pragma once
// A small farm for the period books, around a fixed today: animals, breeding records and
// gradings with only the columns a test cares about, and grid rows as one text each.
#include "data/Clock.h"
#include "data/Db.h"
#include "kit/Grid.h"
#include "support/TestFarm.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

class BookTest : public FarmTest {
protected:
    static inline const QDate kToday{2009, 12, 8};

    BookTest()
    {
        setTodayOverride(kToday);
        EXPECT_TRUE(farm.open());
    }
    ~BookTest() override { setTodayOverride(QDate()); }

    void cow(const QString& number, const QVariantMap& more = {}) { farm.addAnimal(number, 0, 20050101, more); }
    void bull(const QString& number, const QVariantMap& more = {}) { farm.addAnimal(number, 1, 20070101, more); }
    // A grading of `number` on `date`; other columns '' or 0 unless given.
    void grading(const QString& number, qint64 date, QVariantMap more = {})
    {
        more[QStringLiteral("개체번호")] = number;
        more[QStringLiteral("판정일")] = date;
        QStringList names, marks;
        QVariantList values;
        for (auto it = more.cbegin(); it != more.cend(); ++it) {
            names << it.key();
            marks << QStringLiteral("?");
            values << it.value();
        }
        farm.exec(QStringLiteral("insert into 등급판정 (%1) values (%2)")
                      .arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                  values);
    }
    // A database written by another program may hold two gradings of one animal.
    void allowSecondGradings() { farm.exec(QStringLiteral("drop index ux_등급판정")); }

    // Grid rows 1..maxRows as "a | b | c".
    static QStringList gridRows(const Grid* g)
    {
        QStringList rows;
        for (int r = 1; r <= g->maxRows(); ++r) rows << gridRow(g, r).join(QStringLiteral(" | "));
        return rows;
    }
    // The rows of a table or query, "a | b | c", in stored order.
    static QStringList tableRows(const QString& sql)
    {
        QStringList rows;
        QSqlQuery q = runQuery(sql);
        while (q.next()) {
            QStringList cells;
            for (int c = 0; c < q.record().count(); ++c) cells << q.value(c).toString();
            rows << cells.join(QStringLiteral(" | "));
        }
        return rows;
    }
};
