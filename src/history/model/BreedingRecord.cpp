#include "history/model/BreedingRecord.h"

#include "data/Values.h"

#include <QSqlRecord>

using namespace entry;

namespace breeding {

namespace {
QString field(const QSqlRecord& r, const char* name)
{
    return NullTrim(r.value(QString::fromUtf8(name)));
}

QDate storedDate(const QString& text)
{
    return datenum::toDate(qint64(numericValue(text)));
}

// Values in the column order of both statements, the key excluded.
QVariantList values(const QString& animal, const BreedingInput& in, bool withAnimal)
{
    QVariantList b;
    if (withAnimal) b << animal;
    b << v(in.산차) << v(in.회수) << d(in.수정일) << t(in.정액번호) << t(in.공란우);
    if (in.예정일체크)
        b << d(in.예정일) << v(in.BCS);
    else
        b << 0 << 0;
    if (in.판정일체크)
        b << d(in.판정일) << (in.가 ? 0 : 1);
    else
        b << 0 << -1;
    if (in.분만일체크)
        b << d(in.분만일) << t(in.송아지번호) << (in.암 ? 0 : 1);
    else
        b << 0 << QString() << -1;
    b << t(in.분만난이도) << t(in.인공수정자) << v(in.생시체중) << t(in.비고);
    return b;
}
}  // namespace

QStringList headers()
{
    return {QStringLiteral("산차"),
            QStringLiteral("회수"),
            QStringLiteral("수정일"),
            QStringLiteral("씨수소 정액번호"),
            QStringLiteral("공란우"),
            QStringLiteral("BCS"),
            QStringLiteral("임신        판정일"),
            QStringLiteral("가 부"),
            QStringLiteral("분만예정일"),
            QStringLiteral("분만일"),
            QStringLiteral("송아지번호"),
            QStringLiteral("성 별"),
            QStringLiteral("분만난이도 특이사항")};
}

QStringList notes()
{
    return {QStringLiteral("※ 임신판정 : 판정일 및 판정결과 가부(O/X) 기록, BCS(살찐점수): 1-9점"),
            QStringLiteral("※ 분만난이도 : 1=스스로 나옴, 2=사람이 당겨줌, 3=체인 등 도구를 사용하여 당겨줌, "
                           "4=제왕절개, 5=이상태위"),
            QStringLiteral("※ 유/사산의 경우 \"분만일\"란에 사고일을 기록하고 특이사항에 해당 내용 기록(산차증가)")};
}

BoundStatement loadQuery(const QString& animal)
{
    return {QStringLiteral("select * from 번식기록 where 개체번호 = ? order by 수정일"), {animal}};
}

QStringList loadedRow(const QSqlRecord& r)
{
    const QString checked = field(r, "판정일");
    const QString calved = field(r, "분만일");
    const QString calf = field(r, "송아지번호");
    const bool hasCheck = positive(checked);
    const bool hasCalving = positive(calved);
    return {field(r, "산차"),
            field(r, "회수"),
            dateCellIfSet(field(r, "수정일")),
            field(r, "정액번호"),
            field(r, "공란우"),
            field(r, "BCS"),
            dateCellIfSet(checked),
            hasCheck ? (numericValue(field(r, "가부")) == 0 ? QStringLiteral("가") : QStringLiteral("부")) : QString(),
            dateCellIfSet(field(r, "예정일")),
            dateCellIfSet(calved),
            hasCalving ? calf : QString(),
            hasCalving && !calf.isEmpty()
                ? (numericValue(field(r, "성별")) == 0 ? QStringLiteral("암") : QStringLiteral("수"))
                : QString(),
            field(r, "분만난이도")};
}

BoundStatement deleteStatement(const QString& animal, qint64 inseminated)
{
    return {QStringLiteral("delete from 번식기록 where 개체번호 = ? and 수정일 = ?"), {animal, inseminated}};
}

BoundStatement recordQuery(const QString& animal, const QString& key)
{
    return {QStringLiteral("select * from 번식기록 where 개체번호 = ? and 수정일 = ? order by 수정일"),
            {animal, key.trimmed().toLongLong()}};
}

BreedingInput applyRecord(BreedingInput in, const QSqlRecord& r)
{
    in.산차 = field(r, "산차");
    in.회수 = field(r, "회수");
    in.정액번호 = field(r, "정액번호");
    in.공란우 = field(r, "공란우");
    if (const QDate date = storedDate(field(r, "수정일")); date.isValid()) {
        in.수정일 = date;
        // The picker's change rule has run; the stored expected date, if any, follows.
        in.예정일체크 = true;
        in.예정일 = date.addDays(kGestationDays);
    }

    const QString expected = field(r, "예정일");
    if (positive(expected)) {
        in.예정일체크 = true;
        if (const QDate date = storedDate(expected); date.isValid()) in.예정일 = date;
        in.BCS = field(r, "BCS");
    } else {
        in.예정일체크 = false;
    }

    const QString checked = field(r, "판정일");
    if (positive(checked)) {
        in.판정일체크 = true;
        if (const QDate date = storedDate(checked); date.isValid()) in.판정일 = date;
        in.가 = numericValue(field(r, "가부")) == 0;
    } else {
        in.판정일체크 = false;
    }

    const QString calved = field(r, "분만일");
    if (positive(calved)) {
        in.분만일체크 = true;
        if (const QDate date = storedDate(calved); date.isValid()) in.분만일 = date;
        in.송아지번호 = field(r, "송아지번호");
        in.암 = numericValue(field(r, "성별")) == 0;
    } else {
        in.분만일체크 = false;
    }

    in.분만난이도 = field(r, "분만난이도");
    in.인공수정자 = field(r, "인공수정자");
    in.생시체중 = field(r, "생시체중");
    in.비고 = field(r, "비고");
    return in;
}

CheckResult check(const BreedingInput& in)
{
    if (t(in.산차).isEmpty()) return missing(QStringLiteral("산차"), QStringLiteral("산차를 입력해 주세요."));
    if (!isNumeric(in.산차)) return invalidValue(QStringLiteral("산차"));
    if (t(in.회수).isEmpty()) return missing(QStringLiteral("회수"), QStringLiteral("회수를 입력해 주세요."));
    if (!isNumeric(in.회수)) return invalidValue(QStringLiteral("회수"));
    if (in.예정일체크 && !isNumeric(in.BCS)) return invalidValue(QStringLiteral("BCS"));
    if (!t(in.생시체중).isEmpty() && !isNumeric(in.생시체중)) return invalidValue(QStringLiteral("생시체중"));
    if (t(in.정액번호).isEmpty())
        return missing(QStringLiteral("정액번호"), QStringLiteral("정액번호를 입력해 주세요."));
    return std::nullopt;
}

BoundStatement insertStatement(const QString& animal, const BreedingInput& in)
{
    return {QStringLiteral("INSERT INTO 번식기록(개체번호, 산차, 회수, 수정일, 정액번호, 공란우, 예정일, BCS, "
                           "판정일, 가부, 분만일, 송아지번호, 성별, 분만난이도, 인공수정자, 생시체중, 비고) "
                           "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            values(animal, in, true)};
}

BoundStatement updateStatement(const QString& animal, const QString& key, const BreedingInput& in)
{
    QVariantList b = values(animal, in, false);
    b << animal << key.trimmed().toLongLong();
    return {QStringLiteral("UPDATE 번식기록 SET 산차 = ?, 회수 = ?, 수정일 = ?, 정액번호 = ?, 공란우 = ?, "
                           "예정일 = ?, BCS = ?, 판정일 = ?, 가부 = ?, 분만일 = ?, 송아지번호 = ?, 성별 = ?, "
                           "분만난이도 = ?, 인공수정자 = ?, 생시체중 = ?, 비고 = ? "
                           "WHERE 개체번호 = ? AND 수정일 = ?"),
            b};
}

QStringList savedRow(const BreedingInput& in)
{
    return {in.산차,
            in.회수,
            gridDate(in.수정일),
            in.정액번호,
            in.공란우,
            in.BCS,
            in.판정일체크 ? gridDate(in.판정일) : QString(),
            in.판정일체크 ? (in.가 ? QStringLiteral("가(O)") : QStringLiteral("부(X)")) : QString(),
            in.예정일체크 ? gridDate(in.예정일) : QString(),
            in.분만일체크 ? gridDate(in.분만일) : QString(),
            in.분만일체크 ? in.송아지번호 : QString(),
            in.분만일체크 ? (in.암 ? QStringLiteral("암") : QStringLiteral("수")) : QString(),
            in.분만난이도};
}

}  // namespace breeding
