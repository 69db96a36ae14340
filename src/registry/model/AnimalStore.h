#pragma once
// Writing and deleting one animal of 개체관리 together with its history rows.
// Every value is bound; the functions throw DbError and leave nothing half-done.
#include <QList>
#include <QString>
#include <QVariantList>

#include "data/Db.h"

// The values of one 개체관리 row as the record forms store them.
struct AnimalValues {
    QString 개체번호;     // trimmed
    int 구분 = 0;         // 0 cow, 1 bull
    int 구분2 = 1;        // 0 purebred, 1 crossbred
    qint64 개체생일 = 0;  // date numbers: yyyymmdd or 0
    QString 등록번호;
    QString 별명;
    QString 우방번호;
    qint64 입식일자 = 0;
    QString 정액번호;
    QString 부번호;
    QString 모번호;
    qint64 판매일 = 0;
    QString 개체특징;
    double 점수 = 0;
    qint64 출하예정일 = 0;
    qint64 출하일 = 0;
};

// INSERT of a new animal (all 18 columns; 축산업번호 and 번식농장 always empty).
BoundStatement animalInsert(const AnimalValues& v);
// UPDATE of the animal stored under `storedNumber`, possibly giving it a new number.
BoundStatement animalUpdate(const AnimalValues& v, const QString& storedNumber);
// The history tables that carry an animal's number, in the order they are renumbered.
QStringList historyTables();
// Moves the history rows of `from` to `to`: 번식기록, 초음파측정, 체척, 백신접종, 등급판정.
QList<BoundStatement> renumberStatements(const QString& from, const QString& to);
// Deletes the animal's history rows (등급판정, 백신접종, 체척, 초음파측정, 번식기록), then the animal.
QList<BoundStatement> deleteStatements(const QString& number);

// True when 개체관리 holds the number.
bool animalExists(const QString& number);
void insertAnimal(const AnimalValues& v);
// The update and the renumbering of the history in one transaction: an animal's history
// is never split between two numbers, and a number that another animal has is refused
// by the table's unique key with nothing changed.
void updateAnimal(const AnimalValues& v, const QString& storedNumber);
// All six deletes in one transaction: either every row of the animal goes or none.
void deleteAnimal(const QString& number);
