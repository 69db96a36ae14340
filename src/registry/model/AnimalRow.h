#pragma once
// One row of 개체관리, the table of the animals: what the search list reads and what the record
// forms store. Which columns there are, and in which order, is the schema's table definition.
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

struct TableDef;
struct AnimalColumnSlot;

// Which of the two record forms an animal belongs to; 구분 stores it as 0 (cow) or 1 (bull,
// or steer).
enum class AnimalKind { Cow, Bull };

struct AnimalRecord {
    QString 개체번호;
    AnimalKind 구분 = AnimalKind::Cow;  // readers take any stored value but 0 for a bull
    qint64 구분2 = 0;                   // 0 purebred; readers treat any other value as crossbred
    qint64 개체생일 = 0;                // date numbers: yyyymmdd, 0 for none
    QString 등록번호;
    QString 별명;  // shown as the ranch name (목장명)
    QString 우방번호;
    qint64 입식일자 = 0;
    QString 정액번호;
    QString 부번호;
    QString 축산업번호;  // the record forms leave these two empty
    QString 번식농장;
    QString 모번호;
    qint64 판매일 = 0;  // sale date of a cow, castration date of a bull
    QString 개체특징;
    QString 점수;  // as read or typed, trimmed; stored as its number, 0 when empty
    qint64 출하예정일 = 0;
    qint64 출하일 = 0;
};

// The definition of 개체관리.
const TableDef& animalTable();
// What a column of the row is stored as; a text held for a number column goes as its number.
// Throws std::invalid_argument for a column the row does not have.
QVariant animalColumnValue(const AnimalRecord& r, const QString& column);
// Sets a column of the row: a text column takes the value's text, a number column its number,
// 구분 a bull for anything but 0. Throws std::invalid_argument for a column the row does not have.
void setAnimalColumnValue(AnimalRecord& r, const QString& column, const QVariant& value);

// Reads rows of a 개체관리 query into records: the columns the query returns are found once by
// name, the others keep their defaults.
class AnimalRecordReader {
public:
    explicit AnimalRecordReader(const QSqlQuery& q);
    AnimalRecord read(const QSqlQuery& q) const;

private:
    std::vector<std::pair<int, const AnimalColumnSlot*>> m_columns;
};
