#include "cli/ImageFile.h"

#include "cli/CliCommon.h"

#include <QFile>
#include <algorithm>

bool ReadImageFile(const QString& path, RadioImage* image) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        PrintError(QStringLiteral("cannot read '%1': %2").arg(path, file.errorString()));
        return false;
    }
    // One byte more than an image, so a longer file is seen without reading it all.
    const QByteArray bytes = file.read(kImageSize + 1);
    if (bytes.size() != kImageSize) {
        PrintError(QStringLiteral("'%1' is not a radio image: it has %2 bytes, an image has %3")
                       .arg(path)
                       .arg(file.size())
                       .arg(kImageSize));
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), image->begin());
    return true;
}
