#pragma once
// Where the program's files live, decided in this one place. The program folder
// holds the files shipped with the program (templates, language files, help
// books, dec.tbl, the demo radio image); the user folder holds the files the
// program writes (mysetup.ini, Setting.ini, BatchFun.ini, backups, logs).
//
// - ZR580_HOME set: both are that folder (tests, demonstrations).
// - Portable: the executable's folder is writable and holds language/: both are
//   that folder (the build tree, a folder on a USB stick).
// - Installed: the shipped files come from the prefix's share/zr580 beside the
//   executable's bin/, the written files go to $XDG_CONFIG_HOME/zr580 (default
//   ~/.config/zr580), whose mysetup.ini starts as a copy of the shipped one.
// In the first two cases mysetup.ini stays in language/, as it always was.

#include <QString>

enum class FolderLayout { Home, Portable, Installed };

struct ProgramFolders {
    FolderLayout layout = FolderLayout::Portable;
    QString program; // shipped, read-only files
    QString user;    // files the program writes
};

// What the decision looks at: ZR580_HOME, the executable's folder, XDG_CONFIG_HOME
// and HOME (empty when unset).
struct FolderInputs {
    QString zr580Home;
    QString executableFolder;
    QString xdgConfigHome;
    QString home;
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

// The language settings file (IsFirstRun, comPort, [ports]): language/mysetup.ini
// of the user folder when it is the program folder, else mysetup.ini in it.
QString SetupFilePath();
// Creates the user folder and, when it has no settings file yet, copies the
// shipped one there. Nothing to do when the user folder is the program folder.
void PrepareUserFolder();
