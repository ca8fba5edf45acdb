#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSettings>
#include <optional>

namespace {
const QString kShippedSetup = QStringLiteral("language/mysetup.ini");
const QString kSettingsFile = QStringLiteral("zr580.conf");

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

// An XDG base folder: the variable when it holds an absolute path, else the
// default below the home folder.
QString baseFolder(const QString& variable, const QString& home, const char* fallback) {
    if (!variable.isEmpty() && !QDir::isRelativePath(variable)) return variable;
    return QDir(home.isEmpty() ? QDir::homePath() : home).filePath(QLatin1String(fallback));
}
} // namespace

ProgramFolders DecideProgramFolders(const FolderInputs& in) {
    if (!in.zr580Home.isEmpty()) {
        const QString home = QDir(in.zr580Home).absolutePath();
        return {FolderLayout::Home, home, home, home};
    }
    const QString exe = QDir(in.executableFolder).absolutePath();
    const QFileInfo exeInfo(exe);
    if (exeInfo.isWritable() && QFileInfo(QDir(exe).filePath(QStringLiteral("language"))).isDir())
        return {FolderLayout::Portable, exe, exe, exe};
    // bin/ and share/zr580 of one prefix; an executable without them keeps its
    // own folder for the shipped files.
    const QString shared = QDir::cleanPath(exe + QStringLiteral("/../share/zr580"));
    const QString program = QFileInfo(shared).isDir() ? shared : exe;
    const QString name = QStringLiteral("zr580");
    return {FolderLayout::Installed, program,
            QDir(baseFolder(in.xdgConfigHome, in.home, ".config")).filePath(name),
            QDir(baseFolder(in.xdgDataHome, in.home, ".local/share")).filePath(name)};
}

ProgramFolders CurrentProgramFolders() {
    // Decided once for a run; decided again only when what it looks at changes
    // (tests give every case a folder of its own).
    static QMutex mutex;
    static std::optional<FolderInputs> decidedFor;
    static ProgramFolders folders;
    const FolderInputs inputs{environment("ZR580_HOME"), executableFolder(),
                              environment("XDG_CONFIG_HOME"), environment("HOME"),
                              environment("XDG_DATA_HOME")};
    QMutexLocker lock(&mutex);
    if (decidedFor != inputs) {
        folders = DecideProgramFolders(inputs);
        decidedFor = inputs;
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

QString DataFolder() {
    return CurrentProgramFolders().data;
}

QString DataPath(const QString& relative) {
    return QDir(DataFolder()).filePath(relative);
}

std::unique_ptr<QSettings> ProgramSettings() {
    return std::make_unique<QSettings>(UserPath(kSettingsFile), QSettings::IniFormat);
}

QString SetupFilePath() {
    const ProgramFolders f = CurrentProgramFolders();
    if (sameFolder(f.user, f.program)) return QDir(f.user).filePath(kShippedSetup);
    return QDir(f.user).filePath(QStringLiteral("mysetup.ini"));
}

QString EarlierBackupFolder() {
    const ProgramFolders f = CurrentProgramFolders();
    const QString earlier = QDir(f.user).filePath(QStringLiteral("backups"));
    if (sameFolder(f.user, f.data) || !QFileInfo(earlier).isDir()) return {};
    return earlier;
}

bool MoveFolderContents(const QString& from, const QString& to) {
    // The whole folder in one rename when the target does not exist yet.
    if (!QFileInfo::exists(to) && QDir().mkpath(QFileInfo(to).absolutePath()) &&
        QDir().rename(from, to))
        return true;
    QDir().mkpath(to);
    bool complete = true;
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
        QDir().mkpath(QFileInfo(target).absolutePath());
        // A rename where it can be done, else (another file system) copy and remove.
        const bool moved =
            !QFileInfo::exists(target) &&
            (QFile::rename(source, target) || (QFile::copy(source, target) && QFile::remove(source)));
        complete = complete && moved;
    }
    if (complete) QDir(from).removeRecursively();
    return complete;
}

void PrepareUserFolder() {
    const ProgramFolders f = CurrentProgramFolders();
    // Settings Qt keeps of its own (the file dialog's) stay with the program's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, f.user);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, f.user);
    if (const QString earlier = EarlierBackupFolder(); !earlier.isEmpty())
        MoveFolderContents(earlier, QDir(f.data).filePath(QStringLiteral("backups")));
    if (sameFolder(f.user, f.program)) return;
    QDir().mkpath(f.user);
    // Earlier versions kept the window position in Qt's folder "ZR580" beside
    // this one; it becomes the program's settings file.
    const QDir configFolder(QFileInfo(f.user).absolutePath());
    if (f.layout == FolderLayout::Installed && !QFileInfo::exists(UserPath(kSettingsFile)) &&
        QFile::rename(configFolder.filePath(QStringLiteral("ZR580/ZR580.conf")),
                      UserPath(kSettingsFile)))
        configFolder.rmdir(QStringLiteral("ZR580"));
    const QString setup = SetupFilePath();
    if (!QFileInfo::exists(setup)) {
        QFile::copy(QDir(f.program).filePath(kShippedSetup), setup);
        // The shipped copy is read-only; the user's copy is written.
        QFile::setPermissions(setup, QFile::permissions(setup) | QFileDevice::WriteOwner);
    }
}
