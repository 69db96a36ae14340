#pragma once
// Writing and deleting one animal of 개체관리 together with its history rows.
// Every value is bound; the functions throw DbError and leave nothing half-done.
#include <QList>
#include <QString>
#include <QVariantList>

#include "data/Db.h"
#include "registry/model/AnimalRow.h"

// INSERT of a new animal, every column of the table.
BoundStatement animalInsert(const AnimalRecord& r);
// UPDATE of every column of the animal stored under `storedNumber`, possibly giving it a new number.
BoundStatement animalUpdate(const AnimalRecord& r, const QString& storedNumber);
// The history tables that carry an animal's number, in the order they are renumbered.
QStringList historyTables();
// Moves the history rows of `from` to `to`: 번식기록, 초음파측정, 체척, 백신접종, 등급판정.
QList<BoundStatement> renumberStatements(const QString& from, const QString& to);
// Deletes the animal's history rows (등급판정, 백신접종, 체척, 초음파측정, 번식기록), then the animal.
QList<BoundStatement> deleteStatements(const QString& number);

// True when 개체관리 holds the number.
bool animalExists(const QString& number);
void insertAnimal(const AnimalRecord& r);
// The update and the renumbering of the history in one transaction: an animal's history
// is never split between two numbers, and a number that another animal has is refused
// by the table's unique key with nothing changed.
void updateAnimal(const AnimalRecord& r, const QString& storedNumber);
// Whether `e` is that refusal: the unique key of 개체관리.개체번호 (a history table's key
// on number and date is another matter).
bool isTakenNumber(const DbError& e);
// What the farmer reads then.
inline const QString kTakenNumberText = QStringLiteral("이미 등록된 개체번호입니다. 개체번호를 다시 입력해 주세요.");
// All six deletes in one transaction: either every row of the animal goes or none.
void deleteAnimal(const QString& number);
