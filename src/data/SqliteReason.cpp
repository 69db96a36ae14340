#include "data/SqliteReason.h"

SqliteFailure sqliteFailureOf(const QSqlError& e)
{
    bool ok = false;
    const int code = e.nativeErrorCode().toInt(&ok) & 0xff;
    const QString words = e.text().toLower();
    if (ok) {
        switch (code) {
        case 5:  // SQLITE_BUSY
        case 6:  // SQLITE_LOCKED
            return SqliteFailure::Busy;
        case 8:   // SQLITE_READONLY, among them READONLY_ROLLBACK: a hot journal on a read-only file
        case 3:   // SQLITE_PERM
        case 23:  // SQLITE_AUTH
            return SqliteFailure::ReadOnly;
        case 10: return SqliteFailure::Io;       // SQLITE_IOERR
        case 13: return SqliteFailure::NoSpace;  // SQLITE_FULL
        case 14: return SqliteFailure::CannotOpen;
        case 26: return SqliteFailure::NotADatabase;
        case 11: return SqliteFailure::Corrupt;
        default: break;
        }
    }
    // Qt leaves the code out of some failures; the words still tell.
    if (words.contains(QLatin1String("locked")) || words.contains(QLatin1String("busy"))) return SqliteFailure::Busy;
    if (words.contains(QLatin1String("readonly")) || words.contains(QLatin1String("read-only")))
        return SqliteFailure::ReadOnly;
    if (words.contains(QLatin1String("not a database"))) return SqliteFailure::NotADatabase;
    if (words.contains(QLatin1String("malformed"))) return SqliteFailure::Corrupt;
    if (words.contains(QLatin1String("disk i/o"))) return SqliteFailure::Io;
    if (words.contains(QLatin1String("unable to open"))) return SqliteFailure::CannotOpen;
    return SqliteFailure::Other;
}

bool isAccessFailure(SqliteFailure f)
{
    return f == SqliteFailure::Busy || f == SqliteFailure::ReadOnly || f == SqliteFailure::Io ||
           f == SqliteFailure::NoSpace || f == SqliteFailure::CannotOpen;
}

QString sqliteFailureText(SqliteFailure f)
{
    switch (f) {
    case SqliteFailure::Busy: return QStringLiteral("다른 프로그램이 이 파일을 사용하고 있습니다.");
    case SqliteFailure::ReadOnly:
        return QStringLiteral("파일이나 폴더가 읽기 전용이어서(또는 권한이 없어서) 쓸 수 없습니다.");
    case SqliteFailure::Io: return QStringLiteral("저장 장치를 읽거나 쓰는 중에 오류가 났습니다.");
    case SqliteFailure::NoSpace: return QStringLiteral("디스크에 남은 공간이 없습니다.");
    case SqliteFailure::CannotOpen: return QStringLiteral("파일을 열 수 없습니다.");
    case SqliteFailure::NotADatabase: return QStringLiteral("데이터베이스 파일이 아니거나 손상된 파일입니다.");
    case SqliteFailure::Corrupt: return QStringLiteral("파일의 구조가 손상되었습니다.");
    case SqliteFailure::Other: break;
    }
    return QStringLiteral("파일을 읽는 중에 오류가 났습니다.");
}

QString sqliteTechnicalText(const QSqlError& e)
{
    const QString code = e.nativeErrorCode();
    return code.isEmpty() ? e.text() : QStringLiteral("SQLite %1: %2").arg(code, e.text());
}
