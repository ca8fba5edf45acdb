#include "safewrite/Backup.h"

#include "core/Ansi.h"
#include "core/DataFile.h"
#include "core/ProfileFile.h"
#include "core/ProgramFolder.h"
#include "link/ImageConversion.h"
#include "link/RadioInfoImage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>

QString DefaultBackupFolder() {
    return DataPath(QStringLiteral("backups"));
}

QStringList BackupFolders() {
    QStringList folders{DefaultBackupFolder()};
    if (const QString earlier = EarlierBackupFolder(); !earlier.isEmpty()) folders.append(earlier);
    return folders;
}

namespace {
const QString kInfoSection = QStringLiteral("Backup");
const QString kTimeFormat = QStringLiteral("yyyy-MM-dd_HHmmss");

// A text fit for a file name: up to a NUL, trimmed, only ASCII letters, digits and "-".
QString fileNamePart(const QString& text) {
    QString part = text.left(text.indexOf(QChar(u'\0'))).trimmed();
    for (QChar& c : part)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-') c = u'_';
    return part;
}

QString infoPathOf(const QString& dataPath) {
    return dataPath.chopped(3) + QStringLiteral("ini");
}
QString imagePathOf(const QString& dataPath) {
    return dataPath.chopped(3) + QStringLiteral("bin");
}

// A backup without its .ini: the time from its name, the rest from its image.
BackupEntry describedFromFiles(const QString& dataPath) {
    BackupEntry entry;
    entry.dataPath = dataPath;
    const QString name = QFileInfo(dataPath).completeBaseName();
    entry.taken = QDateTime::fromString(name.left(kTimeFormat.size()), kTimeFormat);
    if (!entry.taken.isValid()) entry.taken = QFileInfo(dataPath).lastModified();
    QFile image(imagePathOf(dataPath));
    if (!image.open(QIODevice::ReadOnly) || image.size() != kImageSize) return entry;
    RadioImage memory{};
    const QByteArray bytes = image.readAll();
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(memory.data()));
    const ModelRecord model = ImageToModel(memory);
    entry.model = FromAnsi(model.modelName.trimmedValue()).trimmed();
    entry.band = model.bandIndex;
    RadioInfoRecord info;
    ImageToRadioInfo(memory, info);
    entry.serialNumber = info.serialNumber.trimmed();
    entry.dealerCode = info.dealerCode.trimmed();
    return entry;
}
} // namespace

QString BackupBaseName(const QDateTime& when, const QString& model, int band,
                       const QString& serialNumber) {
    QString name = fileNamePart(model);
    if (name.isEmpty()) name = QStringLiteral("unknown");
    QString base = when.toString(kTimeFormat) + u'_' + name + QStringLiteral("_band") +
                   QString::number(band);
    const QString serial = fileNamePart(serialNumber);
    if (!serial.isEmpty()) base += QStringLiteral("_SN") + serial;
    return base;
}

QList<BackupEntry> ListBackups(const QStringList& folders) {
    QList<BackupEntry> list;
    QFileInfoList files;
    for (const QString& folder : folders)
        files += QDir(folder).entryInfoList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        const QString data = file.absoluteFilePath();
        const ProfileFile info(infoPathOf(data));
        if (!QFileInfo::exists(info.path())) {
            list.append(describedFromFiles(data));
            continue;
        }
        BackupEntry entry;
        entry.dataPath = data;
        entry.taken = QDateTime::fromString(info.read(kInfoSection, QStringLiteral("Taken")),
                                            Qt::ISODate);
        entry.model = info.read(kInfoSection, QStringLiteral("Model"));
        bool ok = false;
        entry.band = info.read(kInfoSection, QStringLiteral("Band")).toInt(&ok);
        if (!ok) entry.band = -1;
        entry.serialNumber = info.read(kInfoSection, QStringLiteral("SerialNumber"));
        entry.dealerCode = info.read(kInfoSection, QStringLiteral("DealerCode"));
        list.append(entry);
    }
    std::stable_sort(list.begin(), list.end(), [](const BackupEntry& a, const BackupEntry& b) {
        return a.taken > b.taken;
    });
    return list;
}

bool PrepareBackupFolder(const QString& folder) {
    if (folder.isEmpty() || !QDir().mkpath(folder)) return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".probe-XXXXXX")));
    return probe.open() && probe.write("x", 1) == 1 && probe.flush();
}

namespace {
// The .ini beside a backup, in the program's profile-file form.
QByteArray infoText(const QDateTime& when, const QString& model, int band, const QString& serial,
                    const QString& dealer) {
    const QStringList lines = {
        QLatin1Char('[') + kInfoSection + QLatin1Char(']'),
        QStringLiteral("Taken=") + when.toString(Qt::ISODate),
        QStringLiteral("Model=") + model.left(model.indexOf(QChar(u'\0'))).trimmed(),
        QStringLiteral("Band=") + QString::number(band),
        QStringLiteral("SerialNumber=") + serial,
        QStringLiteral("DealerCode=") + dealer,
    };
    return (lines.join(u'\n') + u'\n').toUtf8();
}
} // namespace

QString StoreBackup(const QString& folder, const RadioImage& memory, const DocumentRecord& base,
                    const QString& model, int band, const QDateTime& when,
                    const BackupWriter& write) {
    const BackupWriter writeFile = write ? write : BackupWriter(WriteFileSafely);
    if (!QDir().mkpath(folder)) return {};
    RadioInfoRecord radio;
    ImageToRadioInfo(memory, radio);
    const QString serial = radio.serialNumber.trimmed();
    const QString stem = QDir(folder).filePath(BackupBaseName(when, model, band, serial));
    QString data;
    for (int n = 1;
         data.isEmpty() || QFileInfo::exists(data) || QFileInfo::exists(SideFileNameOf(data)) ||
         QFileInfo::exists(imagePathOf(data)) || QFileInfo::exists(infoPathOf(data));
         ++n)
        data = stem + (n == 1 ? QString() : QStringLiteral("_%1").arg(n)) + QStringLiteral(".dat");
    const QString image = imagePathOf(data);

    DocumentRecord doc = base;
    SideValues side;
    ImageToDocument(memory, doc, side);
    const QByteArray raw(reinterpret_cast<const char*>(memory.data()), kImageSize);
    const QList<std::pair<QString, QByteArray>> files = {
        {image, raw},
        {data, SerializeDocument(doc)},
        {SideFileNameOf(data), SerializeSideValues(side)},
        {infoPathOf(data), infoText(when, model, band, serial, radio.dealerCode.trimmed())},
    };
    for (int i = 0; i < files.size(); ++i) {
        if (writeFile(files[i].first, files[i].second)) continue;
        for (int j = 0; j < i; ++j)
            QFile::remove(files[j].first);
        return {};
    }
    return data;
}
