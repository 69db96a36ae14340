#pragma once
// Writes a synthetic farm into an open database: animals of both sexes with breeding,
// weighing, body, treatment, grading and manure rows, dated relative to `today`.
#include <QDate>
#include <QSqlDatabase>
#include <QString>

struct SampleFarmOptions {
    int animals = 200;       // number of animals (about two thirds cows)
    int breedingPerCow = 3;  // inseminations per cow
    QDate today = QDate::currentDate();
    quint32 seed = 20091208;
};

// Returns an empty text on success, else the error. Runs in one transaction.
QString writeSampleFarm(QSqlDatabase db, const SampleFarmOptions& options);
