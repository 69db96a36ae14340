#include "kit/DbMessages.h"

#include "backup/model/Backup.h"
#include "backup/model/BackupCopies.h"
#include "data/Clock.h"
#include "data/ErrorLog.h"
#include "data/Globals.h"
#include "data/ProgramDir.h"
#include "data/ProgramExit.h"
#include "data/SupportText.h"
#include "kit/Messages.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

std::function<void(QWidget*)>& recoveryOpener()
{
    static std::function<void(QWidget*)> opener;
    return opener;
}

// The message box of a database failure; with a recovery window to go to, it asks whether to
// open it and opens it on Yes. True when the window was opened (a backup may be back in place).
bool showOfferingRecovery(QWidget* parent, MsgIcon icon, const QString& title, const QString& text,
                          const QString& details = QString())
{
    if (!recoveryOpener()) {
        messenger().show(parent, MessageSpec{icon, title, text, MsgButton::Ok, MsgButton::None, details});
        return false;
    }
    const MsgButton answer = messenger().show(
        parent, MessageSpec{icon, title, text + kCrLf + kCrLf + QStringLiteral("백업 및 복원 창을 여시겠습니까?"),
                            MsgButton::Yes | MsgButton::No, MsgButton::Yes, details});
    if (answer != MsgButton::Yes) return false;
    recoveryOpener()(parent);
    return true;
}

// The closing lines of the connection-error and damaged-file messages: the farm's own support
// contact, read from the file or else its newest backup (the connection failed), or else where
// the records and backups are.
QString supportLines()
{
    const QString file = databaseFilePath();
    return supportText(supportContactFor(file, newestBackup(file)), QFileInfo(file).absolutePath(), backupDirOf(file));
}

// For an error the table of sentences does not know.
const QString kGenericFailure = QStringLiteral(
    "데이터베이스 작업을 마치지 못했습니다. 창을 닫았다가 다시 해 보시고, "
    "되풀이되면 프로그램을 끝낸 뒤 다시 시작해 주세요.");

// The program's own Korean descriptions are shown as they are (they may name an animal such as
// KR002); anything in the database's words goes behind the details button.
bool isOwnText(const DbError& e)
{
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    static const QRegularExpression hangul(QStringLiteral("[\\x{AC00}-\\x{D7A3}]"));
    if (e.description.trimmed().isEmpty()) return false;
    // Made by the program itself, or a Korean message of a trigger.
    return (!e.error.isValid() && e.description.contains(hangul)) || !e.description.contains(latin);
}

// What the box says about `e`: the table's sentence, the program's own text, or the general one.
QString sentenceFor(const DbError& e)
{
    const QString sentence = koreanErrorSentence(e);
    if (!sentence.isEmpty()) return sentence;
    return isOwnText(e) ? e.description : kGenericFailure;
}

// A file another program cut short (or emptied) under the open connection: SQLite then reads
// an empty database and reports missing tables, so the file itself tells.
bool databaseFileCutShort()
{
    QFile f(databaseFilePath());
    if (!f.open(QIODevice::ReadOnly)) return false;  // gone or unreadable: the usual messages
    return f.read(16) != QByteArray("SQLite format 3\0", 16);
}

void showBusy(QWidget* parent)
{
    showMessage(parent, MsgIcon::Exclamation, QStringLiteral("데이터베이스 사용 중"),
                QStringLiteral("데이터베이스 파일을 다른 프로그램이 사용하고 있습니다.") + kCrLf + kCrLf +
                    QStringLiteral("그 프로그램을 끝낸 뒤 다시 열어 주십시오."),
                MsgButton::Ok);
}

bool showDamaged(QWidget* parent, const QString& details = QString())
{
    QString text = QStringLiteral("데이터베이스 파일이 손상되었습니다.") + kCrLf +
                   QStringLiteral("더 기록하면 자료를 잃을 수 있어 파일을 열지 않았습니다.") + kCrLf + kCrLf;
    const QString file = databaseFilePath();
    const QString backup = newestBackup(file);
    if (!backup.isEmpty()) {
        text += QStringLiteral("가장 최근의 백업:") + kCrLf + backup + kCrLf + kCrLf +
                QStringLiteral("메인 메뉴의 [백업 및 복원] 창에서 이 백업을 되살릴 수 있습니다.") + kCrLf +
                QStringLiteral("(명령줄에서는 프로그램을 끝낸 뒤 ") +
                restoreCommandBeside(QCoreApplication::applicationDirPath()) + QStringLiteral(" 로 되살립니다.)");
        // Whom to call is said here too: a farmer unsure about restoring asks first.
        text = withSupportContact(text, supportContactLine(supportContactFor(file, backup)));
    } else {
        text += QStringLiteral("백업이 없습니다.") + kCrLf + kCrLf + supportLines();
    }
    return showOfferingRecovery(parent, MsgIcon::Critical, QStringLiteral("데이터베이스 손상"), text, details);
}

}  // namespace

void setRecoveryOpener(std::function<void(QWidget*)> opener)
{
    recoveryOpener() = std::move(opener);
}

bool openConnectionOrEnd(QWidget* parent)
{
    bool recoveryShown = false;
    switch (openDatabase()) {
    case DbOpenOutcome::Open: return true;
    case DbOpenOutcome::Busy: showBusy(parent); return false;
    case DbOpenOutcome::Damaged: recoveryShown = showDamaged(parent); break;
    case DbOpenOutcome::Missing:
    case DbOpenOutcome::Unreadable: recoveryShown = showConnectionError(parent); break;
    }
    // A backup put back in the recovery window: the work goes on with it.
    if (recoveryShown && (gConn.isOpen() || openDatabase() == DbOpenOutcome::Open)) return true;
    endProgram(0);
    return false;
}

void showPlainError(QWidget* parent, const DbError& e)
{
    const QString details = technicalText(e);
    logError(QStringLiteral("오류"), details);
    if (databaseFileCutShort()) {
        showDamaged(parent, details);
        return;
    }
    messenger().show(parent, MessageSpec{MsgIcon::None, kAppTitle, sentenceFor(e), MsgButton::Ok, MsgButton::None,
                                         isOwnText(e) ? QString() : details});
}

void showPlainError(QWidget* parent, const QString& description, const QString& details)
{
    if (!details.isEmpty()) logError(QStringLiteral("오류"), details);
    messenger().show(parent,
                     MessageSpec{MsgIcon::None, kAppTitle, description, MsgButton::Ok, MsgButton::None, details});
}

bool showConnectionError(QWidget* parent)
{
    const QString text =
        QStringLiteral("데이터베이스 연결 오류가 발생했습니다.") + kCrLf + kCrLf + kCrLf + supportLines();
    return showOfferingRecovery(parent, MsgIcon::Question, QStringLiteral("데이터베이스 연결 오류"), text);
}

bool reconnectPrompt(QWidget* parent, const DbError& e)
{
    // The Korean sentence first; a failed commit carries no number, and a 0 tells nothing. The
    // number stays in the box: it is what the farmer reads out on the phone.
    QString text = sentenceFor(e) + kCrLf;
    if (e.number != 0) text += QStringLiteral("오류 번호: ") + QString::number(e.number) + kCrLf;
    text += QStringLiteral("현재 진행중인 작업이 제대로 안되어 있을 가능성이 있습니다.") + kCrLf +
            QStringLiteral("확인 바랍니다.") + kCrLf + kCrLf + QStringLiteral("DB를 재접속하시겠습니까?");
    const QString details = technicalText(e);
    logError(QStringLiteral("재접속"), details);
    const MsgButton answer = messenger().show(
        parent, MessageSpec{MsgIcon::Question, QStringLiteral("DB Access Error"), text,
                            MsgButton::Retry | MsgButton::Cancel, MsgButton::None, isOwnText(e) ? QString() : details});
    if (answer != MsgButton::Retry) return false;
    DBClose();
    openConnectionOrEnd(parent);
    return true;
}

bool backupDatabase(QWidget* parent)
{
    const QString file = databaseFilePath();
    if (!QFileInfo(file).isFile()) return false;
    const QDateTime now(today(), QTime::currentTime());
    const AutomaticBackup backup = writeAutomaticBackup(file, now);
    const BackupResult& r = backup.local;
    // A second folder's trouble is only logged: a box at the exit would hold the farmer up.
    const SecondCopyResult& second = backup.second;
    if (second.status == SecondCopyResult::Status::Unreachable || second.status == SecondCopyResult::Status::Failed)
        qWarning("second backup folder: %s", qPrintable(second.error));
    if (!r.ok) {
        // The reason is said in Korean; SQLite's or the system's own words go behind the details
        // button and into the log.
        logError(QStringLiteral("백업"), r.error + (r.detail.isEmpty() ? QString() : u' ' + r.detail));
        messenger().show(
            parent, MessageSpec{MsgIcon::Exclamation, QStringLiteral("백업 오류"),
                                QStringLiteral("데이터베이스 백업을 만들지 못했습니다.") + kCrLf + r.error + kCrLf +
                                    kCrLf + QStringLiteral("지금까지의 기록은 데이터베이스 파일에 그대로 있습니다."),
                                MsgButton::Ok, MsgButton::None, r.detail});
    }
    return r.ok;
}

void backupAtStartOfDay(QWidget* parent)
{
    if (!hasBackupOn(databaseFilePath(), today())) backupDatabase(parent);
}
