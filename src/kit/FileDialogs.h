#pragma once
// The file and folder dialogs in Korean, whatever the platform's own dialog would speak: Qt's
// own dialog with Korean labels and buttons. Each returns "" when the user cancels.
#include <QString>
#include <QStringList>

class QWidget;

// The user's documents folder, or the home folder where there is none.
QString documentsFolder();

// An existing file to read, starting in `folder` ("": the documents folder). `filters` as
// QFileDialog takes them ("엑셀 파일 (*.xlsx)"); the first is chosen.
QString chooseFileToOpen(QWidget* parent, const QString& title, const QStringList& filters, const QString& folder = {});
// A file to write, suggesting `suggestedPath` (its folder and name). A name typed without an
// extension gets `defaultSuffix` ("xlsx"; "": none).
QString chooseFileToSave(QWidget* parent, const QString& title, const QString& filter, const QString& suggestedPath,
                         const QString& defaultSuffix = {});
// An existing folder, starting in `start`.
QString chooseFolder(QWidget* parent, const QString& title, const QString& start);
