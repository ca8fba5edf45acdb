#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

namespace {
const QString kShippedSetup = QStringLiteral("language/mysetup.ini");

QString environment(const char* name) {
    return QString::fromLocal8Bit(qgetenv(name));
}

QString executableFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

bool sameFolder(const QString& a, const QString& b) {
    return QDir(a).absolutePath() == QDir(b).absolutePath();
}
} // namespace

ProgramFolders DecideProgramFolders(const FolderInputs& in) {
    if (!in.zr580Home.isEmpty()) {
        const QString home = QDir(in.zr580Home).absolutePath();
        return {FolderLayout::Home, home, home};
    }
    const QString exe = QDir(in.executableFolder).absolutePath();
    const QFileInfo exeInfo(exe);
    if (exeInfo.isWritable() && QFileInfo(QDir(exe).filePath(QStringLiteral("language"))).isDir())
        return {FolderLayout::Portable, exe, exe};
    // bin/ and share/zr580 of one prefix; an executable without them keeps its
    // own folder for the shipped files.
    const QString shared = QDir::cleanPath(exe + QStringLiteral("/../share/zr580"));
    const QString program = QFileInfo(shared).isDir() ? shared : exe;
    QString config = in.xdgConfigHome;
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir(in.home.isEmpty() ? QDir::homePath() : in.home)
                     .filePath(QStringLiteral(".config"));
    return {FolderLayout::Installed, program, QDir(config).filePath(QStringLiteral("zr580"))};
}

ProgramFolders CurrentProgramFolders() {
    // Decided once for a run; decided again only when ZR580_HOME changes (tests
    // give every case a folder of its own).
    static QMutex mutex;
    static bool decided = false;
    static QString decidedHome;
    static ProgramFolders folders;
    const QString home = environment("ZR580_HOME");
    QMutexLocker lock(&mutex);
    if (!decided || home != decidedHome) {
        folders = DecideProgramFolders(
            {home, executableFolder(), environment("XDG_CONFIG_HOME"), environment("HOME")});
        decidedHome = home;
        decided = true;
    }
    return folders;
}

QString ProgramFolder() {
    return CurrentProgramFolders().program;
}

QString ProgramPath(const QString& relative) {
    return QDir(ProgramFolder()).filePath(relative);
}

QString UserFolder() {
    return CurrentProgramFolders().user;
}

QString UserPath(const QString& relative) {
    return QDir(UserFolder()).filePath(relative);
}

QString SetupFilePath() {
    const ProgramFolders f = CurrentProgramFolders();
    if (sameFolder(f.user, f.program)) return QDir(f.user).filePath(kShippedSetup);
    return QDir(f.user).filePath(QStringLiteral("mysetup.ini"));
}

void PrepareUserFolder() {
    const ProgramFolders f = CurrentProgramFolders();
    if (sameFolder(f.user, f.program)) return;
    QDir().mkpath(f.user);
    const QString setup = SetupFilePath();
    if (!QFileInfo::exists(setup)) {
        QFile::copy(QDir(f.program).filePath(kShippedSetup), setup);
        // The shipped copy is read-only; the user's copy is written.
        QFile::setPermissions(setup, QFile::permissions(setup) | QFileDevice::WriteOwner);
    }
}
