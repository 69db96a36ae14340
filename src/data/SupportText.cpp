#include "data/SupportText.h"

#include <QStringList>

QString supportContactLine(const SupportContact& contact)
{
    const QString name = contact.이름.trimmed();
    const QString tel = contact.전화번호.trimmed();
    if (name.isEmpty() && tel.isEmpty()) return QString();
    QStringList parts;
    if (!name.isEmpty()) parts << name;
    if (!tel.isEmpty()) parts << QStringLiteral("TEL : ") + tel;
    return QStringLiteral("연락처: ") + parts.join(QStringLiteral("  "));
}

QString withSupportContact(const QString& text, const QString& contactLine)
{
    if (contactLine.isEmpty()) return text;
    const QString crLf = QStringLiteral("\r\n");
    return text + crLf + crLf + QStringLiteral("도움이 필요하면 연락해 주십시오.") + crLf + contactLine;
}

SupportContact supportContactFor(const QString& databaseFile, const QString& backupFile)
{
    SupportContact contact = supportContactIn(databaseFile);
    if (contact.isEmpty() && !backupFile.isEmpty()) contact = supportContactIn(backupFile);
    return contact;
}

QString supportText(const SupportContact& contact, const QString& dbFolder, const QString& backupFolder)
{
    const QString crLf = QStringLiteral("\r\n");
    const QString line = supportContactLine(contact);
    if (!line.isEmpty()) return QStringLiteral("아래의 연락처로 연락해 주십시오.") + crLf + crLf + line;
    return QStringLiteral("기록 파일이 있는 폴더: ") + dbFolder + crLf + QStringLiteral("백업이 있는 폴더: ") +
           backupFolder + crLf + crLf + QStringLiteral("메인 메뉴의 [백업 및 복원] 창에서 백업을 확인해 주십시오.");
}
