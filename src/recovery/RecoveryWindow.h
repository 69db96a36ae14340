#pragma once
// frmRecovery (백업 및 복원): the backups with what each holds, making one now, restoring one,
// copying one elsewhere, and the second backup folder every automatic backup is copied to.
// Opened from the menu, from the damaged-file and connection messages, and by itself at the
// start when the database is unusable (then with the explanation at its top).
#include "backup/model/Restore.h"

#include <QDialog>
#include <QList>
#include <functional>

class Grid;
class QLabel;
class QLineEdit;
class QPushButton;

class RecoveryWindow : public QDialog {
    Q_OBJECT
public:
    explicit RecoveryWindow(QWidget* parent = nullptr, const QString& explanation = QString());

    // Asks for a folder (chooseFolder, kit/FileDialogs.h); "" when the user cancels. Tests
    // install a scripted one; an empty function restores the real dialog.
    using FolderChooser = std::function<QString(QWidget* parent, const QString& title, const QString& start)>;
    static void setFolderChooser(FolderChooser chooser);

    // Reads the backups and the second folder again.
    void refresh();
    const QList<BackupInfo>& backups() const { return m_backups; }
    // The command handlers, also what the buttons run.
    void backupNow();
    void restoreSelected();
    void copySelected();
    void chooseSecondFolder();
    void clearSecondFolder();

private:
    int selectedIndex() const;
    void updateCommands();

    QList<BackupInfo> m_backups;
    Grid* m_grid = nullptr;
    QPushButton* m_restore = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_clearSecond = nullptr;
    QLineEdit* m_secondFolder = nullptr;
    QLabel* m_lastSecond = nullptr;
};
