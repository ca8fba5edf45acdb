#pragma once
// Where the program's files live, decided in this one place. The program folder
// holds the files shipped with the program (templates, language files, help
// books, dec.tbl, the demo radio image); the user folder holds the settings the
// program writes (mysetup.ini, Setting.ini, BatchFun.ini, the window position);
// the data folder holds what the user's work produces (backups, the fleet log,
// recovery copies of unsaved documents).
//
// - ZR580_HOME set: all three are that folder (tests, demonstrations).
// - Portable: the executable's folder is writable and holds language/: all three
//   are that folder (the build tree, a folder on a USB stick).
// - Installed: the shipped files come from the prefix's share/zr580 beside the
//   executable's bin/, the settings go to $XDG_CONFIG_HOME/zr580 (default
//   ~/.config/zr580), whose mysetup.ini starts as a copy of the shipped one, the
//   data to $XDG_DATA_HOME/zr580 (default ~/.local/share/zr580).
// In the first two cases mysetup.ini stays in language/, as it always was.

#include <QString>
#include <memory>

class QSettings;

enum class FolderLayout { Home, Portable, Installed };

struct ProgramFolders {
    FolderLayout layout = FolderLayout::Portable;
    QString program; // shipped, read-only files
    QString user;    // settings the program writes
    QString data;    // backups, the fleet log, recovery copies
};

// What the decision looks at: ZR580_HOME, the executable's folder, XDG_CONFIG_HOME,
// HOME and XDG_DATA_HOME (empty when unset).
struct FolderInputs {
    QString zr580Home;
    QString executableFolder;
    QString xdgConfigHome;
    QString home;
    QString xdgDataHome;
    bool operator==(const FolderInputs&) const = default;
};
ProgramFolders DecideProgramFolders(const FolderInputs& inputs);
// The folders of this run (from the environment and the executable's folder).
ProgramFolders CurrentProgramFolders();

QString ProgramFolder();
// A path below the program folder, e.g. ProgramPath("Init/VM427_0.dat").
QString ProgramPath(const QString& relative);

// The folder of the files the program writes, and a path below it,
// e.g. UserPath("backups").
QString UserFolder();
QString UserPath(const QString& relative);

// The folder of backups, the fleet log and recovery copies, and a path below it,
// e.g. DataPath("backups").
QString DataFolder();
QString DataPath(const QString& relative);

// The program's own settings (window position, last folder of a file dialog):
// an INI file in the user folder, so that the program has one settings folder.
std::unique_ptr<QSettings> ProgramSettings();

// The language settings file (IsFirstRun, comPort, [ports]): language/mysetup.ini
// of the user folder when it is the program folder, else mysetup.ini in it.
QString SetupFilePath();
// Creates the user folder and, when it has no settings file yet, copies the
// shipped one there; moves the backups that earlier versions kept in the user
// folder into the data folder, and their window position (~/.config/ZR580) into
// the program's settings file. Nothing to do when the user folder is the program
// folder. Settings that Qt itself keeps go to the user folder too.
void PrepareUserFolder();

// The backup folder of earlier versions (backups/ in the user folder) when it is
// not the data folder's and still exists; else empty.
QString EarlierBackupFolder();
// Moves the files of `from` into `to` (created when missing); a file whose name
// `to` already holds stays where it is. `from` is removed once empty. True when
// nothing was left behind.
bool MoveFolderContents(const QString& from, const QString& to);
