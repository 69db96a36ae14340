#pragma once
// Writes a synthetic farm into an open database: animals of both sexes with breeding,
// weighing, body, treatment, grading and manure rows, dated relative to `today`. Cows are served
// in cycles about a calving interval apart: pregnancy checks (가 or 부), repeat services after a
// 부 or a return to heat, calvings, now and then an abortion noted in 비고, and newest services
// still waiting for their check; some inseminations are embryo transfers. Shipped steers and
// culled cows are graded within the last year, with final grades as the grading office writes
// them ("1++A", "2C", "1+", 등외), weights and prices that vary: every figure of the herd
// analysis has data.
// Every record is one a farm can have: within its animal's life on the farm (born before it, not
// after the day it left), steers graded at 26 to 34 months and culled cows after years of
// calving, cows first served at 14 months, calvings 282 days after a service and over 300 days
// apart.
// Foot-and-mouth doses follow each animal's life (first dose, booster, about every six months),
// leaving calves waiting for their first dose, boosters and overdue animals due on `today`.
// The farm also gets a bull catalogue of about forty bulls related among themselves, the herd's
// sires among them, with a few semen receipts and a discard (a farm that has a catalogue keeps
// it); many animals' dams are cows of the herd.
#include <QDate>
#include <QSqlDatabase>
#include <QString>

struct SampleFarmOptions {
    int animals = 200;       // number of animals (about two thirds cows)
    int breedingPerCow = 6;  // inseminations per cow (at most)
    // Above 0: the farm gets exactly this many breeding records, with cows added beyond
    // `animals` until it has them.
    int breedingRecords = 0;
    QDate today = QDate::currentDate();
    quint32 seed = 20091208;
};

// Returns an empty text on success, else the error. Runs in one transaction.
QString writeSampleFarm(QSqlDatabase db, const SampleFarmOptions& options);
