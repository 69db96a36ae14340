#pragma once
// A throw-away program folder with a fresh database, the report files and the
// scripted messenger, for tests that drive the real code.
#include "support/HookGuard.h"
#include "support/ScriptedMessenger.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>
#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>
#include <memory>

class TestFarm {
public:
    // Creates <tmp>/db/TARVIK.db with every table, copies rpt/ and points the program there.
    // Records calls of the exit hook instead of ending the test run; every hook is restored
    // when the farm goes.
    TestFarm();
    ~TestFarm();

    QString dir() const { return m_dir.path(); }
    bool open();   // DBOpen on the folder
    void close();  // DBClose
    ScriptedMessenger& messages() { return m_messages; }
    int exitCalls() const { return m_exitCalls; }

    // Runs a statement with bound values on the shared connection; fails the test on error.
    void exec(const QString& sql, const QVariantList& binds = {});
    // First column of the first row of a query ("" when no row).
    QString scalar(const QString& sql, const QVariantList& binds = {});
    int count(const QString& table, const QString& where = {}, const QVariantList& binds = {});

    // Convenience inserts with the program's column order; unnamed columns get '' or 0.
    void addAnimal(const QString& number, int sex, qint64 birth = 0, const QVariantMap& more = {});
    void addBreeding(const QString& number, qint64 inseminated, const QVariantMap& more = {});
    // An animal born 2008-01-01 with one row in each of the five history tables.
    void addAnimalWithHistory(const QString& number, int sex = 0, const QVariantMap& more = {});

private:
    HookGuard m_hooks;  // first member: restores every hook after everything else is gone
    QTemporaryDir m_dir;
    ScriptedMessenger m_messages;
    int m_exitCalls = 0;
};

// The base of tests that drive the program on a farm of their own.
class FarmTest : public ::testing::Test {
protected:
    TestFarm farm;
};

// The date number of a date.
qint64 dn(const QDate& d);
