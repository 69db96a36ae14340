#include "kit/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// Set once the dialog's modes are, which would otherwise put back Qt's own button captions.
// The dialog is Qt's own (DontUseNativeDialog), so that these are the ones shown.
void labelInKorean(QFileDialog& dialog, const QString& lookIn, const QString& nameLabel, const QString& accept)
{
    dialog.setLabelText(QFileDialog::LookIn, lookIn);
    dialog.setLabelText(QFileDialog::FileName, nameLabel);
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("파일 형식:"));
    dialog.setLabelText(QFileDialog::Accept, accept);
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("취소"));
}

QString chosen(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}
}  // namespace

QString documentsFolder()
{
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !docs.isEmpty() && QFileInfo(docs).isDir() ? docs : QDir::homePath();
}

QString chooseFileToOpen(QWidget* parent, const QString& title, const QStringList& filters, const QString& folder)
{
    QFileDialog dialog(parent, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    dialog.setDirectory(folder.isEmpty() ? documentsFolder() : folder);
    labelInKorean(dialog, QStringLiteral("찾는 위치:"), QStringLiteral("파일 이름:"), QStringLiteral("열기"));
    return chosen(dialog);
}

QString chooseFileToSave(QWidget* parent, const QString& title, const QString& filter, const QString& suggestedPath,
                         const QString& defaultSuffix)
{
    QFileDialog dialog(parent, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    if (!defaultSuffix.isEmpty()) dialog.setDefaultSuffix(defaultSuffix);
    dialog.setDirectory(QFileInfo(suggestedPath).absolutePath());
    dialog.selectFile(QFileInfo(suggestedPath).fileName());
    labelInKorean(dialog, QStringLiteral("저장 위치:"), QStringLiteral("파일 이름:"), QStringLiteral("저장"));
    return chosen(dialog);
}

QString chooseFolder(QWidget* parent, const QString& title, const QString& start)
{
    QFileDialog dialog(parent, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!start.isEmpty()) dialog.setDirectory(start);
    labelInKorean(dialog, QStringLiteral("찾는 위치:"), QStringLiteral("폴더:"), QStringLiteral("선택"));
    return chosen(dialog);
}
