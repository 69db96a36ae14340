// Another program cutting the database file to nothing while a list is shown: the next query
// must fail and be reported, not end the program (memory-mapped reads did, with SIGBUS).
#include "data/Db.h"
#include "data/ProgramDir.h"
#include "data/ScopedConnection.h"
#include "kit/DbMessages.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QSqlQuery>

using TruncatedFileTest = FarmTest;

TEST_F(TruncatedFileTest, AQueryOnAFileCutToNothingReportsTheDamagedFile)
{
    ASSERT_TRUE(farm.open());
    farm.exec(QStringLiteral("BEGIN"));
    for (int i = 0; i < 500; ++i)
        farm.addAnimal(QStringLiteral("KR%1").arg(i, 8, 10, QChar(u'0')), i % 2, 0,
                       {{QStringLiteral("별명"), QString(40, QChar(u'가' + i % 50))}});
    farm.exec(QStringLiteral("COMMIT"));
    // The list is shown: the connection has read the file already.
    {
        QSqlQuery q = runQuery(QStringLiteral("select 개체번호, 별명 from 개체관리 order by 개체번호"));
        int rows = 0;
        while (q.next()) ++rows;
        ASSERT_EQ(rows, 500);
    }
    {
        QFile other(databaseFilePath());
        ASSERT_TRUE(other.open(QIODevice::ReadWrite));
        ASSERT_TRUE(other.resize(0));
    }
    try {
        QSqlQuery q = runQuery(QStringLiteral("select 개체번호, 별명 from 개체관리 order by 개체번호"));
        while (q.next()) {}
        ADD_FAILURE() << "a query on an empty file found its table";
    } catch (const DbError& e) {
        showPlainError(nullptr, e);
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().title, QStringLiteral("데이터베이스 손상"));
        EXPECT_TRUE(farm.messages().last().text.startsWith(QStringLiteral("데이터베이스 파일이 손상되었습니다.")))
            << farm.messages().last().text.toStdString();
        EXPECT_FALSE(farm.messages().last().details.isEmpty());
    }
}

TEST_F(TruncatedFileTest, NoConnectionOfTheProgramMapsTheFile)
{
    ASSERT_TRUE(farm.open());
    EXPECT_EQ(farm.scalar(QStringLiteral("PRAGMA mmap_size")), QStringLiteral("0"));
    ScopedConnection scoped(databaseFilePath(), QStringLiteral("QSQLITE_OPEN_READONLY"));
    ASSERT_TRUE(scoped.isOpen());
    QSqlQuery q(scoped.db());
    ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA mmap_size")) && q.next());
    EXPECT_EQ(q.value(0).toLongLong(), 0);
}
