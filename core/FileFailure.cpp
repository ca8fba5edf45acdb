#include "core/FileFailure.h"

#include "core/AppState.h"
#include "core/MessageBox.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {
std::filesystem::path FsPath(const QString& path) {
    return std::filesystem::path(path.toStdString());
}
} // namespace

QString SystemErrorText(int errorNumber) {
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

QString WrongSizeText(qint64 size, qint64 expected) {
    static const Tr text{QStringLiteral("it has %1 bytes, not %2"),
                         QStringLiteral("文件有 %1 字节，不是 %2 字节")};
    return text().arg(size).arg(expected);
}

QString FileFailureText(Msg entry, const FileFailure& failure) {
    static const Tr layout{QStringLiteral("%1 %2: %3"), QStringLiteral("%1%2：%3")};
    return layout().arg(MessageText(entry), failure.path, failure.reason);
}

void ShowFileFailure(Msg entry, const FileFailure& failure) {
    ShowMessage(FileFailureText(entry, failure));
}

QString OpenToRead(QFile& file) {
    if (QFileInfo(file.fileName()).isDir()) return SystemErrorText(EISDIR);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
    return {};
}

bool SameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty()) return false;
    std::error_code error;
    if (std::filesystem::equivalent(FsPath(a), FsPath(b), error)) return true;
    // At least one is missing: compare where they would be.
    const auto whereA = std::filesystem::weakly_canonical(
        std::filesystem::absolute(FsPath(a), error), error);
    if (error) return false;
    const auto whereB = std::filesystem::weakly_canonical(
        std::filesystem::absolute(FsPath(b), error), error);
    return !error && whereA == whereB;
}
