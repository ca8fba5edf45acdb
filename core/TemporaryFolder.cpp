#include "core/TemporaryFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

QString TemporaryFolderBase() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir())
        return runtime;
    return QDir::tempPath();
}

TemporaryFolder::TemporaryFolder() = default;
TemporaryFolder::~TemporaryFolder() = default;

QString TemporaryFolder::path() {
    if (!folder_)
        folder_ = std::make_unique<QTemporaryDir>(
            QDir(TemporaryFolderBase()).filePath(QStringLiteral("zr580-XXXXXX")));
    return folder_->isValid() ? folder_->path() : QString();
}

QString TemporaryFolder::filePath(const QString& name) {
    const QString folder = path();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(name);
}

void ProvideRuntimeFolder(TemporaryFolder& folder) {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    const QString path = folder.path();
    if (!path.isEmpty()) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path));
}
