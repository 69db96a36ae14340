#include "support/KillWriter.h"

#include "data/Db.h"
#include "data/ProgramDir.h"

#include <unistd.h>
#include <cstdio>

namespace {

void say(const char* text)
{
    std::fputs(text, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

[[noreturn]] void waitForTheKill()
{
    for (;;) ::pause();
}

}  // namespace

int runKillWriter(const QString& kind, const QString& programFolder)
{
    setProgramDir(programFolder);
    if (!DBOpen()) return 2;
    // A small page cache: the changed pages reach the file itself long before a commit, as in a
    // large import, so only the journal can bring the file back.
    execStatement(QStringLiteral("PRAGMA cache_size = 20"));
    if (kind == QLatin1String("hold")) {
        execStatement(QStringLiteral("BEGIN EXCLUSIVE"));
        say("held");
        waitForTheKill();
    }
    Transaction t;
    const QString text(300, u'가');
    const int rows = 4000;
    if (kind == QLatin1String("fill")) execStatement(QStringLiteral("delete from 교배기록부워크"));
    for (int i = 0; i < rows; ++i) {
        const QString number = QStringLiteral("0020%1").arg(i, 8, 10, QChar(u'0'));
        if (kind == QLatin1String("import")) {
            execStatement(QStringLiteral("insert into 개체관리(개체번호, 구분, 개체생일, 구분2, 개체특징) "
                                         "values(?, 0, 20200101, 0, ?)"),
                          {QStringLiteral("9%1").arg(i, 11, 10, QChar(u'0')), text});
        } else if (kind == QLatin1String("save")) {
            execStatement(QStringLiteral("update 개체관리 set 개체특징 = ? where 개체번호 = ?"),
                          {text + QString::number(i), number});
        } else if (kind == QLatin1String("delete")) {
            execStatement(QStringLiteral("delete from 번식기록 where 개체번호 = ?"), {number});
            execStatement(QStringLiteral("delete from 개체관리 where 개체번호 = ?"), {number});
        } else if (kind == QLatin1String("fill")) {
            QVariantList values{number};
            for (int c = 2; c <= 10; ++c) values << text.left(30);
            execStatement(QStringLiteral("insert into 교배기록부워크 values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"), values);
        } else if (kind == QLatin1String("dose")) {
            // A pen's vaccination and the tank's entries, as the group dose and the stock store them.
            execStatement(QStringLiteral("insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일, 비고) "
                                         "values(?, 20260410, '구제역', '구제역 백신', 20260410, ?)"),
                          {number, text});
            execStatement(QStringLiteral("insert into 정액재고(일자, KPN, 종류, 수량, 공급처, 비고) "
                                         "values(20260410, ?, '입고', 10, '', ?)"),
                          {QString::number(1000 + i), text});
        } else {
            return 3;
        }
        if ((i + 1) % 200 == 0) say(QStringLiteral("step %1").arg((i + 1) / 200).toUtf8().constData());
    }
    say("done");
    waitForTheKill();
}
