#include "core/FileWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
namespace fs = std::filesystem;

fs::path FsPath(const QString& path) {
    return fs::path(path.toStdString());
}

QString ErrorText(const std::error_code& error) {
    return QString::fromStdString(error.message());
}

// A name beside `path` that no file has yet.
QString FreeNameBeside(const QString& path, const char* kind) {
    for (;;) {
        const QString name = QStringLiteral("%1.%2-%3")
                                 .arg(path, QLatin1String(kind))
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
        if (!QFileInfo::exists(name) && !QFileInfo(name).isSymLink()) return name;
    }
}

// The permissions a new file gets: those of the file it replaces, else the
// process's default for new files.
QFileDevice::Permissions PermissionsFor(const QFileInfo& target) {
    if (target.exists()) return target.permissions();
    QFileDevice::Permissions all = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                   QFileDevice::ReadUser | QFileDevice::WriteUser |
                                   QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                   QFileDevice::ReadOther | QFileDevice::WriteOther;
#ifdef Q_OS_UNIX
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (mask & S_IWGRP) all &= ~QFileDevice::WriteGroup;
    if (mask & S_IWOTH) all &= ~QFileDevice::WriteOther;
    if (mask & S_IRGRP) all &= ~QFileDevice::ReadGroup;
    if (mask & S_IROTH) all &= ~QFileDevice::ReadOther;
#endif
    return all;
}

struct Staged {
    QString target;
    QString temporary; // the new contents, complete
    QString kept;      // the old contents under another name, while replacing
    bool existed = false;
    bool replaced = false;
};

void RemoveQuietly(const QString& path) {
    if (path.isEmpty()) return;
    std::error_code ignored;
    fs::remove(FsPath(path), ignored);
}

// The file a name stands for: the target of a symbolic link is replaced, not the link.
QString RealTarget(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink()) return path;
    return info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
}

// Writes the new contents beside the target; false with the reason on failure.
bool Stage(const FileContent& file, Staged* staged, FileFailure* failure) {
    staged->target = RealTarget(file.path);
    const QFileInfo target(staged->target);
    const auto fail = [&](const QString& reason) {
        *failure = FileFailure{file.path, reason};
        return false;
    };
    if (target.isDir()) return fail(SystemErrorText(EISDIR));
    if (target.exists() && !target.isWritable()) return fail(SystemErrorText(EACCES));
    staged->existed = target.exists();
    const QString name = FreeNameBeside(staged->target, "new");
    QFile out(name);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return fail(out.errorString());
    staged->temporary = name;
    if (out.write(file.bytes) != file.bytes.size() || !out.flush())
        return fail(out.errorString());
#ifdef Q_OS_UNIX
    if (::fsync(out.handle()) != 0) return fail(SystemErrorText(errno));
#endif
    out.close();
    if (QFileInfo(name).size() != file.bytes.size()) return fail(SystemErrorText(EIO));
    out.setPermissions(PermissionsFor(target));
    return true;
}

// Keeps the old contents of an existing target under another name (a second
// link to it, else a copy), so that they can be put back.
bool Keep(Staged* staged, FileFailure* failure) {
    if (!staged->existed) return true;
    staged->kept = FreeNameBeside(staged->target, "old");
    std::error_code error;
    fs::create_hard_link(FsPath(staged->target), FsPath(staged->kept), error);
    if (!error) return true;
    if (QFile::copy(staged->target, staged->kept)) return true;
    failure->path = staged->target;
    failure->reason = ErrorText(error);
    staged->kept.clear();
    return false;
}

// Puts the old contents (or the absence of a file) back; false when that failed,
// and then the kept copy stays.
bool PutBack(Staged& staged) {
    if (!staged.replaced) return true;
    std::error_code error;
    if (staged.existed)
        fs::rename(FsPath(staged.kept), FsPath(staged.target), error);
    else
        fs::remove(FsPath(staged.target), error);
    if (error) return false;
    staged.replaced = false;
    staged.kept.clear();
    return true;
}
} // namespace

bool WriteFilesTogether(const QList<FileContent>& files, FileFailure* failure) {
    FileFailure local;
    FileFailure& why = failure ? *failure : local;
    why = FileFailure{};
    std::vector<Staged> staged(static_cast<std::size_t>(files.size()));
    bool ok = true;
    for (qsizetype i = 0; ok && i < files.size(); ++i)
        ok = Stage(files.at(i), &staged[static_cast<std::size_t>(i)], &why);
    for (Staged& s : staged)
        if (ok) ok = Keep(&s, &why);
    for (qsizetype i = 0; ok && i < files.size(); ++i) {
        Staged& s = staged[static_cast<std::size_t>(i)];
        std::error_code error;
        fs::rename(FsPath(s.temporary), FsPath(s.target), error);
        if (error) {
            why = FileFailure{files.at(i).path, ErrorText(error)};
            ok = false;
            break;
        }
        s.replaced = true;
        s.temporary.clear();
    }
    for (Staged& s : staged) {
        RemoveQuietly(s.temporary);
        if (ok || PutBack(s)) RemoveQuietly(s.kept);
    }
    return ok;
}

bool WriteFileSafely(const QString& path, const QByteArray& bytes) {
    return WriteFilesTogether({FileContent{path, bytes}});
}
