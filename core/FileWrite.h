#pragma once
// Writing files whole or not at all. Every file is written to a temporary file
// beside it first; the real files are replaced only when all temporary files
// are complete, and a replace that fails puts back the files already replaced.
// After a failure every file is byte for byte what it was (or still absent).

#include "core/FileFailure.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct FileContent {
    QString path;
    QByteArray bytes;
};

// False on failure; `failure`, when given, names the file and the reason.
bool WriteFilesTogether(const QList<FileContent>& files, FileFailure* failure = nullptr);
// One file written the same way.
bool WriteFileSafely(const QString& path, const QByteArray& bytes);
