#pragma once
// Where the program keeps its files. Two layouts:
//  - portable: one program folder holding Tarvik.ini, db/ and rpt/ — the executable's folder
//    when it holds db/, or TARVIK_HOME when set (the README's run command and the tests);
//  - installed (the executable under <prefix>/bin beside <prefix>/share/tarvik/rpt): the
//    records are the user's own, in $XDG_DATA_HOME/tarvik (~/.local/share/tarvik), the settings
//    in $XDG_CONFIG_HOME/tarvik (~/.config/tarvik), the report files in the share folder unless
//    the user keeps an adjusted copy of one in the data folder's rpt/.
#include <QString>

// The folder name of an installed copy under share/, the user's data and config folders.
inline constexpr char kInstalledName[] = "tarvik";

enum class FolderLayout { Portable, Installed };

// What the choice looks at, taken from the process by currentFolderEnvironment().
struct FolderEnvironment {
    QString executableDir;
    QString tarvikHome;     // TARVIK_HOME
    QString xdgDataHome;    // XDG_DATA_HOME
    QString xdgConfigHome;  // XDG_CONFIG_HOME
    QString home;           // the user's home folder
};

struct ProgramFolders {
    FolderLayout layout = FolderLayout::Portable;
    QString dataDir;        // holds db/ (programDir())
    QString settingsFile;   // Tarvik.ini
    QString reportDir;      // where the report files come from
    QString userReportDir;  // installed: the user's own copies, looked at first; else empty
};

// The layout and its folders. TARVIK_HOME wins; then an executable folder holding db/; then
// the installed layout when the share folder beside the executable's bin/ has rpt/; anything
// else stays the executable's folder as a portable one.
ProgramFolders chooseProgramFolders(const FolderEnvironment& env);
FolderEnvironment currentFolderEnvironment();
// The folders in force: the override of setProgramDir (always portable), else the choice.
ProgramFolders currentProgramFolders();

QString programDir();  // the folder holding db/
// Tests and tools point the program at another folder (a portable one).
void setProgramDir(const QString& dir);
QString settingsFilePath();  // <program folder>/Tarvik.ini, or the user's config folder's
QString reportDir();         // <program folder>/rpt, or the installed share folder's rpt
QString databaseFilePath();  // <program folder>/db/TARVIK.db
// <dir>/db/TARVIK.db: the database of a data folder.
QString databaseFileIn(const QString& dir);
// The report file to read for `file` (a bare name like "TarvikList.rpt"): the user's own copy
// when the installed layout finds one, else the one in the report folder.
QString reportFilePath(const ProgramFolders& folders, const QString& file);
QString reportFilePath(const QString& file);  // of the folders in force
