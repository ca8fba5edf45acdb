#include "fleet/FleetLog.h"

#include "core/ProgramFolder.h"
#include "core/SpreadsheetCell.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <unistd.h>

QString UnsavedChangesMark() {
    return QStringLiteral("(unsaved changes)");
}

QString FleetLogPath() {
    return DataPath(QStringLiteral("backups/fleet-log.csv"));
}

QString FleetLogHeader() {
    return QStringLiteral("time,port,model,band,serial,dealer,file,sha256,backup,result,detail");
}

QString FleetLogLine(const FleetLogEntry& e) {
    const QStringList fields = {e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                e.port,
                                e.model,
                                e.band,
                                e.serialNumber,
                                e.dealerCode,
                                e.fileName,
                                e.fileSha256,
                                e.backupPath,
                                e.ok ? QStringLiteral("OK") : QStringLiteral("FAILED"),
                                e.detail};
    QStringList out;
    for (const QString& f : fields)
        out.append(CsvCell(f, u','));
    return out.join(QLatin1Char(','));
}

bool AppendFleetLog(const QString& path, const FleetLogEntry& entry) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    QFile file(path);
    const bool fresh = !file.exists() || file.size() == 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    QByteArray bytes;
    if (fresh) bytes = FleetLogHeader().toUtf8() + '\n';
    bytes += FleetLogLine(entry).toUtf8() + '\n';
    if (file.write(bytes) != bytes.size() || !file.flush()) return false;
    return ::fsync(file.handle()) == 0;
}

QString Sha256Hex(const QByteArray& bytes) {
    return QString::fromLatin1(
        QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}
