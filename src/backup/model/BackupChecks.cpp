#include "backup/model/BackupChecks.h"

#include "backup/model/FarmFileCheck.h"
#include "data/ErrorLog.h"
#include "data/FileModes.h"
#include "data/ScopedConnection.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSqlQuery>
#include <QStringList>

namespace {

struct Stamp {
    qint64 size = -1;
    qint64 mtimeNs = -1;
    bool operator==(const Stamp&) const = default;
};

Stamp stampOf(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile()) return {};
    return {info.size(), modificationTimeNs(file)};
}

struct Remembered {
    Stamp stamp;
    BackupCheck check;
};

// One line a file: name, size, time (ns), 1 or 0, animals, breedings, reason; tab separated.
QHash<QString, Remembered> readRemembered(const QString& folder)
{
    QHash<QString, Remembered> all;
    QFile f(folder + u'/' + kBackupChecksName);
    if (!f.open(QIODevice::ReadOnly)) return all;
    // A few dozen short lines; anything much larger is no file of ours.
    if (f.size() > 1024 * 1024) return all;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList p = line.split(u'\t');
        if (p.size() != 7) continue;
        bool ok1 = false, ok2 = false, ok3 = false, ok4 = false;
        Remembered r;
        r.stamp.size = p[1].toLongLong(&ok1);
        r.stamp.mtimeNs = p[2].toLongLong(&ok2);
        r.check.ok = p[3] == QLatin1String("1");
        r.check.animals = p[4].toInt(&ok3);
        r.check.breedings = p[5].toInt(&ok4);
        r.check.reason = p[6];
        if (!ok1 || !ok2 || !ok3 || !ok4 || (r.check.ok != r.check.reason.isEmpty())) continue;
        all.insert(p[0], r);
    }
    return all;
}

QString oneLine(QString text)
{
    return text.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
}

// Written whole or not at all; names no longer in the folder are dropped.
void writeRemembered(const QString& folder, const QHash<QString, Remembered>& all)
{
    QByteArray text;
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        if (!QFileInfo::exists(folder + u'/' + it.key())) continue;
        const Remembered& r = it.value();
        text += QStringList{it.key(),
                            QString::number(r.stamp.size),
                            QString::number(r.stamp.mtimeNs),
                            r.check.ok ? QStringLiteral("1") : QStringLiteral("0"),
                            QString::number(r.check.animals),
                            QString::number(r.check.breedings),
                            oneLine(r.check.reason)}
                    .join(u'\t')
                    .toUtf8() +
                '\n';
    }
    QSaveFile f(folder + u'/' + kBackupChecksName);
    if (!f.open(QIODevice::WriteOnly)) return;  // a read-only folder: the checks are only repeated
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    f.write(text);
    f.commit();
}

int rowsOf(QSqlDatabase db, const QString& table)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select count(*) from \"") + table + u'"') || !q.next()) return -1;
    return q.value(0).toInt();
}

}  // namespace

BackupCheck recheckBackup(const QString& file)
{
    BackupCheck b;
    const FarmFileCheck check = checkFarmFile(file);
    b.ok = check.ok;
    b.reason = check.reason;
    b.detail = check.detail;
    if (!check.detail.isEmpty()) logError(QStringLiteral("백업 검사"), file + QStringLiteral(": ") + check.detail);
    // An empty file would open as an empty database; it holds nothing to count.
    if (QFileInfo(file).size() > 0 && !check.accessFailure) {
        const ScopedConnection c(file, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000"));
        if (c.isOpen()) {
            b.animals = rowsOf(c.db(), QStringLiteral("개체관리"));
            b.breedings = rowsOf(c.db(), QStringLiteral("번식기록"));
        }
    }
    if (check.accessFailure) return b;  // says nothing of the file: checked again next time
    rememberBackupCheck(file, b);
    return b;
}

void rememberBackupCheck(const QString& file, const BackupCheck& check)
{
    const QFileInfo info(file);
    const QString folder = info.absolutePath();
    QHash<QString, Remembered> all = readRemembered(folder);
    BackupCheck kept = check;
    kept.detail.clear();
    kept.fromMemory = false;
    all.insert(info.fileName(), Remembered{stampOf(file), kept});
    writeRemembered(folder, all);
}

BackupCheck checkedBackup(const QString& file)
{
    const QFileInfo info(file);
    const QHash<QString, Remembered> all = readRemembered(info.absolutePath());
    const auto it = all.constFind(info.fileName());
    if (it != all.cend() && it->stamp == stampOf(file) && it->stamp.size >= 0) {
        BackupCheck b = it->check;
        b.fromMemory = true;
        return b;
    }
    return recheckBackup(file);
}
