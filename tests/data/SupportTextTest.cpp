// The closing lines of the database messages: the farm's own contact, or where its records are.
// No telephone number is written into the program.
#include "data/SupportText.h"

#include <gtest/gtest.h>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

TEST(SupportText, TheFarmsContactOrTheFoldersAndTheRecoveryWindow)
{
    const QString folders = QStringLiteral(
        "기록 파일이 있는 폴더: /farm/db\r\n백업이 있는 폴더: /farm/db/backup\r\n\r\n"
        "메인 메뉴의 [백업 및 복원] 창에서 백업을 확인해 주십시오.");
    const QString callLead = QStringLiteral("아래의 연락처로 연락해 주십시오.\r\n\r\n");
    const struct {
        const char* name;
        const char* tel;
        QString expected;
    } cases[] = {
        {"김지원", "010-1111-2222", callLead + QStringLiteral("연락처: 김지원  TEL : 010-1111-2222")},
        {" 김지원 ", "", callLead + QStringLiteral("연락처: 김지원")},
        {"", " 063 111 2222 ", callLead + QStringLiteral("연락처: TEL : 063 111 2222")},
        {"", "", folders},
        {"  ", "\t", folders},  // blanks are no contact
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "/" + c.tel);
        EXPECT_EQ(supportText({QString::fromUtf8(c.name), QString::fromUtf8(c.tel)}, QStringLiteral("/farm/db"),
                              QStringLiteral("/farm/db/backup")),
                  c.expected);
    }
}

TEST(SupportText, NoTelephoneNumberIsWrittenIntoTheProgram)
{
    // Korean numbers as a farmer would dial them: 0xx(x)-xxx(x)-xxxx, 1xxx-xxxx, 010...
    const QRegularExpression telephone(QStringLiteral("\\b0\\d{1,2}-\\d{3,4}-\\d{4}\\b|\\b1[5-9]\\d{2}-\\d{4}\\b"));
    int files = 0;
    QDirIterator it(QStringLiteral(TARVIK_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
        const QString text = QString::fromUtf8(f.readAll());
        ++files;
        EXPECT_FALSE(text.contains(QStringLiteral("063-"))) << f.fileName().toStdString();
        const QRegularExpressionMatch m = telephone.match(text);
        EXPECT_FALSE(m.hasMatch()) << f.fileName().toStdString() << ": " << m.captured().toStdString();
    }
    EXPECT_GT(files, 50);
}
