#include "data/ErrorLog.h"

#include "data/ProgramDir.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString errorLogPath()
{
    return QFileInfo(databaseFilePath()).absolutePath() + QStringLiteral("/Tarvik.log");
}

void logError(const QString& context, const QString& detail)
{
    const QString path = errorLogPath();
    if (!QFileInfo(path).absoluteDir().exists()) return;
    if (QFileInfo(path).size() >= kErrorLogLimit) {
        const QString older = path + QStringLiteral(".1");
        QFile::remove(older);
        QFile::rename(path, older);
    }
    QFile log(path);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) return;
    // Owner only from the first byte: the details name files and the farm's numbers.
    log.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QString text = detail;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" / ")).replace(QLatin1Char('\n'), QStringLiteral(" / "));
    const QString line = QDateTime::currentDateTime().toString(Qt::ISODate) + QStringLiteral(" [") + context +
                         QStringLiteral("] ") + text + QLatin1Char('\n');
    log.write(line.toUtf8());
}
