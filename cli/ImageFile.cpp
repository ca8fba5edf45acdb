#include "cli/ImageFile.h"

#include "core/FileFailure.h"

#include <QFile>
#include <algorithm>

bool ReadImageFile(const QString& path, RadioImage* image) {
    QFile file(path);
    if (const QString reason = OpenToRead(file); !reason.isEmpty()) {
        ShowFileFailure(Msg::FileError, {path, reason});
        return false;
    }
    // One byte more than an image, so a longer file is seen without reading it all.
    const QByteArray bytes = file.read(kImageSize + 1);
    if (bytes.size() != kImageSize) {
        ShowFileFailure(Msg::FileError, {path, WrongSizeText(file.size(), kImageSize)});
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), image->begin());
    return true;
}
