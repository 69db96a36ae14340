#include "app/DbMessages.h"

#include "app/Globals.h"
#include "app/Messages.h"
#include "app/model/ProgramExit.h"

bool openConnectionOrEnd(QWidget* parent)
{
    if (DBOpen()) return true;
    showConnectionError(parent);
    endProgram(0);
    return false;
}

void showPlainError(QWidget* parent, const DbError& e)
{
    const QString sentence = koreanErrorSentence(e);
    const QString text = sentence.isEmpty() ? e.description : sentence + kCrLf + e.description;
    showMessage(parent, MsgIcon::None, kAppTitle, text, MsgButton::Ok);
}

void showPlainError(QWidget* parent, const QString& description)
{
    showMessage(parent, MsgIcon::None, kAppTitle, description, MsgButton::Ok);
}

void showConnectionError(QWidget* parent)
{
    const QString text = QStringLiteral("데이터베이스 연결 오류가 발생했습니다.") + kCrLf + kCrLf + kCrLf +
                         QStringLiteral("아래의 연락처로 연락해 주십시오.") + kCrLf + kCrLf + kSupportName + kCrLf +
                         kCrLf + QStringLiteral("TEL : ") + kSupportTel;
    showMessage(parent, MsgIcon::Question, QStringLiteral("데이터베이스 연결 오류"), text, MsgButton::Ok);
}

bool reconnectPrompt(QWidget* parent, const DbError& e)
{
    const QString text = QString::number(e.number) + kCrLf + e.description + kCrLf +
                         QStringLiteral("현재 진행중인 작업이 제대로 안되어 있을 가능성이 있습니다.") + kCrLf +
                         QStringLiteral("확인 바랍니다.") + kCrLf + kCrLf + QStringLiteral("DB를 재접속하시겠습니까?");
    const int answer = showMessage(parent, MsgIcon::Question, QStringLiteral("DB Access Error"), text,
                                   MsgButton::Retry | MsgButton::Cancel);
    if (answer != MsgButton::Retry) return false;
    DBClose();
    openConnectionOrEnd(parent);
    return true;
}
