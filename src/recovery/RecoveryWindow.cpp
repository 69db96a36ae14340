#include "recovery/RecoveryWindow.h"

#include "backup/model/BackupCopies.h"
#include "data/Clock.h"
#include "data/Db.h"
#include "data/ErrorLog.h"
#include "data/ProgramDir.h"
#include "kit/Accessibility.h"
#include "kit/CaptionPanel.h"
#include "kit/CommandButton.h"
#include "kit/DbMessages.h"
#include "kit/FileDialogs.h"
#include "kit/Grid.h"
#include "kit/Messages.h"
#include "kit/Styles.h"
#include "recovery/model/RecoveryText.h"

#include <QDir>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

RecoveryWindow::FolderChooser& folderChooser()
{
    static RecoveryWindow::FolderChooser chooser;
    return chooser;
}

QString askFolder(QWidget* parent, const QString& title, const QString& start)
{
    if (folderChooser()) return folderChooser()(parent, title, start);
    return chooseFolder(parent, title, start);
}

const QString kTitle = QStringLiteral("백업 및 복원");

QDateTime nowOnTheProgramsClock()
{
    return QDateTime(today(), QTime::currentTime());
}

}  // namespace

void RecoveryWindow::setFolderChooser(FolderChooser chooser)
{
    folderChooser() = std::move(chooser);
}

RecoveryWindow::RecoveryWindow(QWidget* parent, const QString& explanation) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRecovery"));
    setWindowTitle(kTitle);
    resize(860, 520);
    auto* layout = new QVBoxLayout(this);

    if (!explanation.isEmpty()) {
        // The explanation is written with the messages' CR LF; a label breaks lines at LF.
        auto* why = new QLabel(QString(explanation).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), this);
        nameControl(why, QStringLiteral("lblExplanation"), explanation);
        why->setWordWrap(true);
        why->setStyleSheet(styles::warningPanel());
        layout->addWidget(why);
    }

    m_grid = new Grid(this);
    nameControl(m_grid, QStringLiteral("grdBackups"), QStringLiteral("백업 목록"));
    m_grid->setHeaders(recovery::backupColumns());
    m_grid->setColumnKinds(recovery::backupColumnKinds());
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int col = 1; col <= 4; ++col) m_grid->setColumnWidthChars(col, col == 1 ? 16 : 9);
    layout->addWidget(m_grid, 1);

    auto* commands = new QHBoxLayout;
    QPushButton* now = commandButton(QStringLiteral("cmdBackupNow"), QStringLiteral("지금 백업"), this);
    m_restore = commandButton(QStringLiteral("cmdRestore"), QStringLiteral("복원"), this);
    m_copy = commandButton(QStringLiteral("cmdCopyTo"), QStringLiteral("다른 위치에 복사"), this);
    for (QPushButton* b : {now, m_restore, m_copy}) b->setMinimumWidth(b->sizeHint().width() + 16);
    commands->addWidget(now);
    commands->addWidget(m_restore);
    commands->addWidget(m_copy);
    commands->addStretch(1);
    layout->addLayout(commands);

    auto* second = new QHBoxLayout;
    QLabel* caption = captionPanel(QStringLiteral("두 번째 백업 폴더"), CaptionLook{.width = 130}, this);
    m_secondFolder = new QLineEdit(this);
    m_secondFolder->setReadOnly(true);
    nameInput(m_secondFolder, QStringLiteral("txtSecondFolder"), caption);
    QPushButton* choose = commandButton(QStringLiteral("cmdSetSecondFolder"), QStringLiteral("폴더 지정…"), this);
    m_clearSecond = commandButton(QStringLiteral("cmdClearSecondFolder"), QStringLiteral("해제"), this);
    second->addWidget(caption);
    second->addWidget(m_secondFolder, 1);
    second->addWidget(choose);
    second->addWidget(m_clearSecond);
    layout->addLayout(second);

    auto* bottom = new QHBoxLayout;
    m_lastSecond = new QLabel(this);
    nameControl(m_lastSecond, QStringLiteral("lblLastSecondCopy"), QStringLiteral("마지막 두 번째 사본"));
    QPushButton* close = commandButton(QStringLiteral("cmdClose"), QStringLiteral("닫기"), this);
    bottom->addWidget(m_lastSecond, 1);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    connect(now, &QPushButton::clicked, this, &RecoveryWindow::backupNow);
    connect(m_restore, &QPushButton::clicked, this, &RecoveryWindow::restoreSelected);
    connect(m_copy, &QPushButton::clicked, this, &RecoveryWindow::copySelected);
    connect(choose, &QPushButton::clicked, this, &RecoveryWindow::chooseSecondFolder);
    connect(m_clearSecond, &QPushButton::clicked, this, &RecoveryWindow::clearSecondFolder);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { updateCommands(); });

    refresh();
}

void RecoveryWindow::refresh()
{
    m_backups = listBackups(databaseFilePath());
    m_grid->setMaxRows(0);
    QList<QStringList> rows;
    QList<QColor> colors;
    for (const BackupInfo& b : m_backups) {
        rows.append(recovery::backupRow(b));
        colors.append(b.good ? QColor() : styles::unusableRow());
    }
    m_grid->appendRows(std::move(rows), colors);
    m_grid->fitToContents();
    // The newest good copy is the one a farmer most likely wants.
    for (int i = 0; i < m_backups.size(); ++i)
        if (m_backups[i].good) {
            m_grid->setActiveCell(1, i + 1);
            break;
        }

    const QString folder = secondBackupFolder();
    m_secondFolder->setText(folder.isEmpty() ? QString() : QDir::toNativeSeparators(folder));
    m_secondFolder->setPlaceholderText(QStringLiteral("지정하지 않음"));
    m_lastSecond->setText(recovery::lastSecondCopyText(lastSecondCopy()));
    m_lastSecond->setAccessibleName(m_lastSecond->text());
    updateCommands();
}

int RecoveryWindow::selectedIndex() const
{
    const int row = m_grid->activeRow();
    return row >= 1 && row <= m_backups.size() ? row - 1 : -1;
}

void RecoveryWindow::updateCommands()
{
    const recovery::CommandState s = recovery::commandState(m_backups, selectedIndex());
    m_restore->setEnabled(s.restore);
    m_copy->setEnabled(s.copy);
    m_clearSecond->setEnabled(recovery::canClearSecondFolder(secondBackupFolder()));
}

void RecoveryWindow::backupNow()
{
    backupDatabase(this);  // the exit backup: reports its own failure
    refresh();
}

void RecoveryWindow::restoreSelected()
{
    const int i = selectedIndex();
    if (i < 0 || !m_backups[i].good) return;
    const BackupInfo chosen = m_backups[i];
    if (showMessage(this, MsgIcon::Question, kTitle, recovery::restoreQuestion(chosen), MsgButton::Yes | MsgButton::No,
                    MsgButton::No) != MsgButton::Yes)
        return;
    const bool wasOpen = gConn.isOpen();
    DBClose();  // the file is replaced under the connection otherwise
    const RestoreResult r = restoreBackup(databaseFilePath(), chosen.file, nowOnTheProgramsClock());
    // A farm that cannot be opened again is logged; the next window's own opening tells the farmer.
    if ((r.ok || wasOpen) && !DBOpen())
        logError(QStringLiteral("복원"), QStringLiteral("데이터베이스를 다시 열지 못했습니다: ") + databaseFilePath());
    if (r.ok)
        showMessage(this, MsgIcon::Information, kTitle, recovery::restoreDoneText(r), MsgButton::Ok);
    else
        messenger().show(this, MessageSpec{MsgIcon::Exclamation, kTitle, recovery::restoreFailedText(r), MsgButton::Ok,
                                           MsgButton::None, r.detail});
    refresh();
}

void RecoveryWindow::copySelected()
{
    const int i = selectedIndex();
    if (i < 0 || !m_backups[i].good) return;
    const QString folder = askFolder(this, QStringLiteral("백업을 복사할 폴더"), QDir::homePath());
    if (folder.isEmpty()) return;
    const CopyResult r = copyBackupTo(m_backups[i].file, folder);
    if (r.ok)
        showMessage(this, MsgIcon::Information, kTitle, recovery::copyDoneText(r), MsgButton::Ok);
    else
        messenger().show(this, MessageSpec{MsgIcon::Exclamation, kTitle, recovery::copyFailedText(r), MsgButton::Ok,
                                           MsgButton::None, r.detail});
}

void RecoveryWindow::chooseSecondFolder()
{
    const QString current = secondBackupFolder();
    const QString folder =
        askFolder(this, QStringLiteral("두 번째 백업 폴더"), current.isEmpty() ? QDir::homePath() : current);
    if (folder.isEmpty()) return;
    setSecondBackupFolder(folder);
    refresh();
}

void RecoveryWindow::clearSecondFolder()
{
    setSecondBackupFolder(QString());
    refresh();
}
