#pragma once
// Writes a synthetic farm into an open database: animals of both sexes with breeding,
// weighing, body, treatment, grading and manure rows, dated relative to `today`. Shipped
// steers and culled cows are graded within the last year, with grades, weights and prices
// that vary; some inseminations are embryo transfers.
#include <QDate>
#include <QSqlDatabase>
#include <QString>

struct SampleFarmOptions {
    int animals = 200;       // number of animals (about two thirds cows)
    int breedingPerCow = 3;  // inseminations per cow (at most)
    // Above 0: the farm gets exactly this many breeding records, with cows added beyond
    // `animals` until it has them.
    int breedingRecords = 0;
    QDate today = QDate::currentDate();
    quint32 seed = 20091208;
};

// Returns an empty text on success, else the error. Runs in one transaction.
QString writeSampleFarm(QSqlDatabase db, const SampleFarmOptions& options);
