#include "core/Recovery.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentEdits.h"
#include "core/DocumentOps.h"
#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kPrefix = QStringLiteral("recovery-");
const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss");
} // namespace

QString RecoveryFolder() {
    return DataPath(QStringLiteral("recovery"));
}

QString WriteRecoveryCopy(const QDateTime& when) {
    const QString folder = RecoveryFolder();
    if (!QDir().mkpath(folder)) return {};
    const QString stem = QDir(folder).filePath(kPrefix + when.toString(kStampFormat));
    QString path = stem + QStringLiteral(".dat");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral("_%1.dat").arg(n);
    // The record as a save writes it: the model and band of the program go in.
    AppState& s = app();
    const DocumentRecord savedDocument = s.savedDocument;
    const SideValues savedSide = s.savedSideValues;
    StoreSavedCopy();
    const QByteArray record = SerializeDocument(s.savedDocument);
    const QByteArray side = SerializeSideValues(s.sideValues);
    s.savedDocument = savedDocument;
    s.savedSideValues = savedSide;
    if (WriteFileSafely(path, record) && WriteFileSafely(SideFileNameOf(path), side)) return path;
    DiscardRecoveryCopy(path);
    return {};
}

QString PendingRecoveryCopy() {
    // The stamp in the name sorts by time.
    const QStringList copies =
        QDir(RecoveryFolder())
            .entryList({kPrefix + QStringLiteral("*.dat")}, QDir::Files, QDir::Name | QDir::Reversed);
    return copies.isEmpty() ? QString() : QDir(RecoveryFolder()).filePath(copies.constFirst());
}

QDateTime RecoveryCopyTime(const QString& path) {
    return QFileInfo(path).lastModified();
}

bool OpenRecoveryCopy(const QString& path) {
    AppState& s = app();
    DocumentRecord record;
    SideValues side = s.sideValues;
    const bool read = ReadDataFile(path, &record, &side);
    DiscardRecoveryCopy(path);
    if (!read) return false;
    // The saved copy stays that of the new document, so the recovered one counts
    // as changed and is saved under a name the user chooses.
    s.document = record;
    s.sideValues = side;
    ApplyDocumentModel(record.model);
    s.documentName = QStringLiteral("new.dat");
    s.isNewDocument = true;
    DocumentReplaced();
    return true;
}

void DiscardRecoveryCopy(const QString& path) {
    QFile::remove(path);
    QFile::remove(SideFileNameOf(path));
}
