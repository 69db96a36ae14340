// Shared main of every test program: a headless Qt application in Korean.
#include "support/KillWriter.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLocale>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
    QApplication app(argc, argv);
    // Started again by a crash test as the process it kills.
    if (qEnvironmentVariableIsSet(kKillWriterKind))
        return runKillWriter(qEnvironmentVariable(kKillWriterKind), qEnvironmentVariable(kKillWriterFolder));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
