#include "data/FarmInfo.h"

#include "data/Db.h"
#include "data/Values.h"

std::optional<FarmInfo> readFarmInfo()
{
    QSqlQuery q = runQuery(QStringLiteral("select * from 농장정보 "));
    if (!q.next()) return std::nullopt;
    const auto field = [&q](const char* name) { return NullTrim(q.value(QString::fromUtf8(name))); };
    FarmInfo f;
    f.등록번호 = field("등록번호");
    f.고유번호 = field("고유번호");
    f.성명 = field("성명");
    f.주민번호 = field("주민번호");
    f.사업장명칭 = field("사업장명칭");
    f.소재지 = field("소재지");
    f.축종 = field("축종");
    return f;
}

void storeFarmInfo(const FarmInfo& f)
{
    const QVariantList values{f.등록번호.trimmed(),   f.고유번호.trimmed(), f.성명.trimmed(), f.주민번호.trimmed(),
                              f.사업장명칭.trimmed(), f.소재지.trimmed(),   f.축종.trimmed()};
    Transaction t;
    qint64 stored = 0;
    {
        QSqlQuery rows = runQuery(QStringLiteral("select count(*) from 농장정보"));
        if (!rows.next()) throw DbError(rows.lastError());
        stored = rows.value(0).toLongLong();
    }
    if (stored == 0)
        execStatement(
            QStringLiteral("INSERT INTO 농장정보(등록번호, 고유번호, 성명, 주민번호, 사업장명칭, 소재지, 축종) "
                           "VALUES(?, ?, ?, ?, ?, ?, ?)"),
            values);
    else
        execStatement(QStringLiteral("UPDATE 농장정보 SET 등록번호 = ?, 고유번호 = ?, 성명 = ?, 주민번호 = ?, "
                                     "사업장명칭 = ?, 소재지 = ?, 축종 = ?"),
                      values);
    t.commit();
}
