#include "recovery/model/RecoveryText.h"

#include "data/SupportText.h"
#include "kit/model/MessageKinds.h"

#include <QLocale>
#include <QRegularExpression>

namespace recovery {

namespace {
const QString kNl = kCrLf;  // the line break of every message text
}

QString backupTimeText(const QDateTime& at)
{
    return at.isValid() ? at.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) : QStringLiteral("-");
}

QString sizeText(qint64 bytes)
{
    constexpr qint64 kKb = 1024, kMb = 1024 * 1024;
    if (bytes < kKb) return QStringLiteral("%1 바이트").arg(bytes);
    if (bytes < kMb) return QStringLiteral("%1 KB").arg((bytes + kKb - 1) / kKb);
    return QStringLiteral("%1 MB").arg(QLocale::c().toString(double(bytes) / kMb, 'f', 1));
}

QString countText(int n)
{
    if (n < 0) return QStringLiteral("-");
    QLocale korean(QLocale::Korean, QLocale::SouthKorea);
    return korean.toString(n);
}

QStringList backupColumns()
{
    return {QStringLiteral("백업 일시"), QStringLiteral("크기"), QStringLiteral("개체 수"),
            QStringLiteral("번식 기록 수"), QStringLiteral("검사 결과")};
}

QList<CellKind> backupColumnKinds()
{
    using enum CellKind;
    return {Date, Number, Number, Number, Text};
}

QStringList backupRow(const BackupInfo& b)
{
    return {backupTimeText(b.made), sizeText(b.bytes), countText(b.animals), countText(b.breedings),
            b.good ? QStringLiteral("정상") : b.check};
}

CommandState commandState(const QList<BackupInfo>& backups, int selected)
{
    CommandState s;
    if (selected < 0 || selected >= backups.size()) return s;
    s.restore = s.copy = backups[selected].good;
    return s;
}

bool canClearSecondFolder(const QString& folder)
{
    return !folder.isEmpty();
}

QString lastSecondCopyText(const QDateTime& at)
{
    return QStringLiteral("마지막 두 번째 사본: ") +
           (at.isValid() ? at.toString(QStringLiteral("yyyy-MM-dd hh:mm")) : QStringLiteral("아직 없음"));
}

QString restoreQuestion(const BackupInfo& b)
{
    return QStringLiteral("지금의 데이터베이스를 아래 백업으로 바꿉니다.") + kNl + kNl + QStringLiteral("백업 일시: ") +
           backupTimeText(b.made) + kNl + QStringLiteral("개체 수: ") + countText(b.animals) + kNl +
           QStringLiteral("번식 기록 수: ") + countText(b.breedings) + kNl + kNl +
           QStringLiteral(
               "지금의 데이터베이스 파일은 지우지 않고 db 폴더에 TARVIK-before-restore-(날짜-시각).db "
               "로 남겨 둡니다.") +
           kNl + QStringLiteral("그 백업 이후의 기록은 복원된 데이터베이스에 없습니다.") + kNl + kNl +
           QStringLiteral("복원하시겠습니까?");
}

QString restoreDoneText(const RestoreResult& r)
{
    QString text = QStringLiteral("백업을 복원했습니다.");
    if (!r.setAside.isEmpty()) text += kNl + kNl + QStringLiteral("바뀌기 전의 데이터베이스 파일:") + kNl + r.setAside;
    return text;
}

QString restoreFailedText(const RestoreResult& r)
{
    return QStringLiteral("백업을 복원하지 못했습니다.") + kNl + r.error + kNl + kNl +
           QStringLiteral("지금의 데이터베이스는 그대로 있습니다.");
}

QString copyDoneText(const CopyResult& r)
{
    return QStringLiteral("백업을 복사했습니다.") + kNl + kNl + r.file;
}

QString copyFailedText(const CopyResult& r)
{
    return QStringLiteral("백업을 복사하지 못했습니다.") + kNl + r.error;
}

QString startExplanation(const DatabaseAssessment& a, const QString& contactLine)
{
    QString what;
    switch (a.state) {
    case DatabaseState::Good: return QString();
    case DatabaseState::Missing: what = QStringLiteral("데이터베이스 파일이 없습니다."); break;
    case DatabaseState::Empty: what = QStringLiteral("데이터베이스 파일이 비어 있습니다."); break;
    case DatabaseState::Damaged: what = QStringLiteral("데이터베이스 파일이 손상되었습니다."); break;
    case DatabaseState::NotAFarm:
        what = QStringLiteral("데이터베이스 파일이 이 프로그램의 농장 자료가 아닙니다.");
        break;
    case DatabaseState::Unreadable: what = QStringLiteral("데이터베이스 파일을 읽을 수 없습니다."); break;
    case DatabaseState::Busy:
        what = QStringLiteral("데이터베이스 파일을 다른 프로그램이 사용하고 있습니다. 파일은 손상되지 않았습니다.");
        break;
    }
    // Why, in the program's own Korean words; the engine's words go to the log only.
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    if (!a.reason.isEmpty() && a.reason != what && !a.reason.contains(latin)) what += kNl + a.reason;
    // The technical reason (often SQLite's own English words) goes to the log, not on screen.
    QString todo = a.newestGoodBackup.isEmpty()
                       ? QStringLiteral(
                             "정상 백업이 없습니다. 다른 위치(USB 등)에 둔 백업 사본이 있으면 그 파일을 "
                             "db/backup 폴더에 넣은 뒤 이 창을 다시 열어 주십시오.")
                       : QStringLiteral(
                             "아래 목록에서 \"정상\"인 백업(보통 가장 위의 것)을 골라 [복원]을 "
                             "눌러 주십시오.");
    // A file that could not be read may be whole: the farmer first looks at why.
    if (a.state == DatabaseState::Unreadable || a.state == DatabaseState::Busy)
        todo = QStringLiteral(
                   "파일 자체는 멀쩡할 수 있으니 먼저 파일과 폴더의 권한, 저장 장치의 연결, 파일을 쓰는 다른 "
                   "프로그램을 확인한 뒤 프로그램을 다시 시작해 주십시오. 그래도 안 되면 ") +
               todo;
    return withSupportContact(what + kNl +
                                  QStringLiteral("파일에 더 기록하지 않도록 파일을 열지 않았고, 오늘의 백업도 만들지 "
                                                 "않았습니다.") +
                                  kNl + todo,
                              contactLine);
}

QString offerRestoreQuestion(const QDateTime& newestMade, const QString& contactLine)
{
    return withSupportContact(
        QStringLiteral("데이터베이스 파일이 없습니다.") + kNl + kNl +
            QStringLiteral("가장 최근의 정상 백업(%1)으로 복원하시겠습니까? 아니요를 누르면 새 농장을 시작합니다.")
                .arg(backupTimeText(newestMade)),
        contactLine);
}

QString busyAtStartQuestion(const QString& contactLine)
{
    return withSupportContact(QStringLiteral("데이터베이스 파일을 다른 프로그램이 사용하고 있습니다.") + kNl +
                                  QStringLiteral("파일은 손상되지 않았습니다. 그 프로그램을 끝낸 뒤 [다시 시도]를 눌러 "
                                                 "주십시오. [취소]를 누르면 프로그램을 끝냅니다."),
                              contactLine);
}

StartAction startAction(const DatabaseAssessment& a, int backupFiles)
{
    if (a.state == DatabaseState::Good) return StartAction::OpenMenu;
    if (a.state == DatabaseState::Busy) return StartAction::AskAgain;
    if (a.state == DatabaseState::Missing) {
        if (!a.newestGoodBackup.isEmpty()) return StartAction::OfferRestore;
        // Only copies that fail their check: a new farm would hide them; the window shows them.
        if (backupFiles == 0) return StartAction::NewFarm;
    }
    return StartAction::ShowRecovery;
}

}  // namespace recovery
