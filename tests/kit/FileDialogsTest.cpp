// The file and folder dialogs speak Korean whatever the platform's dialog would, and give back
// what the user chose or nothing.
#include "kit/FileDialogs.h"
#include "support/ModalDriver.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>

namespace {

struct Seen {
    QString title;
    QStringList labels;  // look in, file name, file type, accept, reject
    QStringList filters;
    bool ownDialog = false;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QString folder;
};

// Runs `open`, notes what its dialog shows and picks `pick` in it ("": cancels).
QString chooseIn(const std::function<QString()>& open, Seen& seen, const QString& pick)
{
    QString result;
    driveModal<QFileDialog>([&] { result = open(); },
                            [&](QFileDialog& d) {
                                seen.title = d.windowTitle();
                                for (auto label : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType,
                                                   QFileDialog::Accept, QFileDialog::Reject})
                                    seen.labels << d.labelText(label);
                                seen.filters = d.nameFilters();
                                seen.ownDialog = d.testOption(QFileDialog::DontUseNativeDialog);
                                seen.acceptMode = d.acceptMode();
                                seen.fileMode = d.fileMode();
                                seen.folder = d.directory().absolutePath();
                                if (pick.isEmpty()) return;
                                d.selectFile(pick);
                                static_cast<QDialog&>(d).accept();  // QFileDialog hides it
                            });
    return result;
}

class FileDialogsTest : public ::testing::Test {
protected:
    FileDialogsTest()
    {
        EXPECT_TRUE(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("개체.csv")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("백업")));
    }
    QTemporaryDir dir;
};

}  // namespace

// The import assistant's open dialog, exactly.
TEST_F(FileDialogsTest, OpeningAFileAsksInKoreanFromTheGivenFolder)
{
    const QStringList filters{QStringLiteral("엑셀 또는 CSV 파일 (*.xlsx *.csv *.txt)"),
                              QStringLiteral("모든 파일 (*)")};
    Seen seen;
    const QString chosen =
        chooseIn([&] { return chooseFileToOpen(nullptr, QStringLiteral("가져올 파일 선택"), filters, dir.path()); },
                 seen, dir.filePath(QStringLiteral("개체.csv")));
    EXPECT_EQ(chosen, dir.filePath(QStringLiteral("개체.csv")));
    EXPECT_EQ(seen.title, QStringLiteral("가져올 파일 선택"));
    EXPECT_EQ(seen.labels, QStringList({"찾는 위치:", "파일 이름:", "파일 형식:", "열기", "취소"}));
    EXPECT_EQ(seen.filters, filters);
    EXPECT_TRUE(seen.ownDialog);
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptOpen);
    EXPECT_EQ(seen.fileMode, QFileDialog::ExistingFile);
    EXPECT_EQ(seen.folder, QDir(dir.path()).absolutePath());
}

TEST_F(FileDialogsTest, SavingSuggestsTheNameAndAddsTheExtensionLeftOff)
{
    Seen seen;
    const QString chosen = chooseIn(
        [&] {
            return chooseFileToSave(nullptr, QStringLiteral("엑셀 파일로 저장"), QStringLiteral("엑셀 파일 (*.xlsx)"),
                                    dir.filePath(QStringLiteral("개체 목록.xlsx")), QStringLiteral("xlsx"));
        },
        seen, QStringLiteral("새 목록"));
    EXPECT_EQ(chosen, dir.filePath(QStringLiteral("새 목록.xlsx")));
    EXPECT_EQ(seen.title, QStringLiteral("엑셀 파일로 저장"));
    EXPECT_EQ(seen.labels, QStringList({"저장 위치:", "파일 이름:", "파일 형식:", "저장", "취소"}));
    EXPECT_EQ(seen.filters, QStringList{QStringLiteral("엑셀 파일 (*.xlsx)")});
    EXPECT_TRUE(seen.ownDialog);
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptSave);
    EXPECT_EQ(seen.folder, QDir(dir.path()).absolutePath());
}

TEST_F(FileDialogsTest, AFolderIsChosenAmongFoldersInKorean)
{
    Seen seen;
    const QString chosen = chooseIn([&] { return chooseFolder(nullptr, QStringLiteral("백업 폴더"), dir.path()); },
                                    seen, dir.filePath(QStringLiteral("백업")));
    EXPECT_EQ(QDir(chosen).absolutePath(), QDir(dir.filePath(QStringLiteral("백업"))).absolutePath());
    EXPECT_EQ(seen.title, QStringLiteral("백업 폴더"));
    EXPECT_EQ(seen.labels.value(0), QStringLiteral("찾는 위치:"));
    EXPECT_EQ(seen.labels.mid(3), QStringList({"선택", "취소"}));
    EXPECT_TRUE(seen.ownDialog);
    EXPECT_EQ(seen.fileMode, QFileDialog::Directory);
}

TEST_F(FileDialogsTest, ACancelledDialogGivesNothing)
{
    Seen seen;
    const std::function<QString()> dialogs[] = {
        [&] {
            return chooseFileToOpen(nullptr, QStringLiteral("열기"), {QStringLiteral("모든 파일 (*)")}, dir.path());
        },
        [&] {
            return chooseFileToSave(nullptr, QStringLiteral("저장"), QStringLiteral("CSV 파일 (*.csv)"),
                                    dir.filePath(QStringLiteral("개체.csv")));
        },
        [&] { return chooseFolder(nullptr, QStringLiteral("폴더"), dir.path()); }};
    for (const auto& open : dialogs) EXPECT_EQ(chooseIn(open, seen, {}), QString());
}
