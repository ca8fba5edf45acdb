#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

QString ProgramFolder() {
    const QByteArray home = qgetenv("ZR580_HOME");
    if (!home.isEmpty()) return QDir(QString::fromLocal8Bit(home)).absolutePath();
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString ProgramPath(const QString& relative) {
    return QDir(ProgramFolder()).filePath(relative);
}

QString UserFolder() {
    return ProgramFolder();
}

QString UserPath(const QString& relative) {
    return QDir(UserFolder()).filePath(relative);
}
