#include "safewrite/Backup.h"

#include "core/DataFile.h"
#include "core/ProgramFolder.h"
#include "link/ImageConversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

QString DefaultBackupFolder() {
    return DataPath(QStringLiteral("backups"));
}

QStringList BackupFolders() {
    QStringList folders{DefaultBackupFolder()};
    if (const QString earlier = EarlierBackupFolder(); !earlier.isEmpty()) folders.append(earlier);
    return folders;
}

QString BackupBaseName(const QDateTime& when, const QString& model, int band) {
    QString name = model.left(model.indexOf(QChar(u'\0'))).trimmed();
    for (QChar& c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-') c = u'_';
    if (name.isEmpty()) name = QStringLiteral("unknown");
    return when.toString(QStringLiteral("yyyy-MM-dd_HHmmss")) + u'_' + name +
           QStringLiteral("_band") + QString::number(band);
}

bool PrepareBackupFolder(const QString& folder) {
    if (folder.isEmpty() || !QDir().mkpath(folder)) return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".probe-XXXXXX")));
    return probe.open() && probe.write("x", 1) == 1 && probe.flush();
}

QString StoreBackup(const QString& folder, const RadioImage& memory, const DocumentRecord& base,
                    const QString& model, int band, const QDateTime& when,
                    const BackupWriter& write) {
    const BackupWriter writeFile = write ? write : BackupWriter(WriteFileSafely);
    if (!QDir().mkpath(folder)) return {};
    const QString stem = QDir(folder).filePath(BackupBaseName(when, model, band));
    QString data;
    for (int n = 1;
         data.isEmpty() || QFileInfo::exists(data) || QFileInfo::exists(SideFileNameOf(data)) ||
         QFileInfo::exists(data.chopped(3) + QStringLiteral("bin"));
         ++n)
        data = stem + (n == 1 ? QString() : QStringLiteral("_%1").arg(n)) + QStringLiteral(".dat");
    const QString image = data.chopped(3) + QStringLiteral("bin");

    DocumentRecord doc = base;
    SideValues side;
    ImageToDocument(memory, doc, side);
    const QByteArray raw(reinterpret_cast<const char*>(memory.data()), kImageSize);
    const QList<std::pair<QString, QByteArray>> files = {
        {image, raw},
        {data, SerializeDocument(doc)},
        {SideFileNameOf(data), SerializeSideValues(side)},
    };
    for (int i = 0; i < files.size(); ++i) {
        if (writeFile(files[i].first, files[i].second)) continue;
        for (int j = 0; j < i; ++j)
            QFile::remove(files[j].first);
        return {};
    }
    return data;
}
