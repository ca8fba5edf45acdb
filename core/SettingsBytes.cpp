#include "core/SettingsBytes.h"

#include "core/DataFile.h"

#include <QFile>

bool WriteChangedSettings(const QString& path, const QByteArray& mine, const QByteArray& known,
                          int unit) {
    QFile file(path);
    QByteArray onDisk;
    if (file.open(QIODevice::ReadOnly)) onDisk = file.read(mine.size() + 1);
    file.close();
    QByteArray result = onDisk.size() == mine.size() ? onDisk : mine;
    for (qsizetype at = 0; at + unit <= mine.size(); at += unit) {
        const QByteArray value = mine.mid(at, unit);
        if (known.size() != mine.size() || value != known.mid(at, unit))
            result.replace(at, unit, value);
    }
    if (result == onDisk) return true;
    return WriteFileSafely(path, result);
}
