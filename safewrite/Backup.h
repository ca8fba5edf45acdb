#pragma once
// Backups of a radio's memory taken before a write: the raw 4096-byte image and
// the data file with its side file that a read of that memory makes, side by side
// in the backup folder under a name a technician finds: date and time, model,
// band and the radio's serial number when it has one, e.g.
// "2026-12-08_153012_VM427_band2_SN4711.dat" / ".NVD" / ".bin". Beside them an
// ".ini" file tells when the backup was taken and which radio it came from.

#include "core/Document.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

// DataPath("backups").
QString DefaultBackupFolder();
// The folders holding backups: DefaultBackupFolder(), then the backup folder of
// earlier versions while it still exists (its files are moved at start-up; one
// whose name the new folder already holds stays there).
QStringList BackupFolders();

// "2026-12-08_153012_VM427_band2", with "_SN" and the serial number after it when
// there is one: characters other than letters, digits and "-" in the model and
// the serial number become "_".
QString BackupBaseName(const QDateTime& when, const QString& model, int band,
                       const QString& serialNumber = QString());

// What the list of backups shows of one backup.
struct BackupEntry {
    QString dataPath; // the backup's data file
    QDateTime taken;
    QString model;
    int band = -1;
    QString serialNumber;
    QString dealerCode;
};
// The backups in `folders`, newest first. A backup kept before its ".ini" file
// existed is described from its file name and its memory image.
QList<BackupEntry> ListBackups(const QStringList& folders);

// Creates the folder when it is missing and proves that a file can be created in
// it. False when either fails.
bool PrepareBackupFolder(const QString& folder);

using BackupWriter = std::function<bool(const QString& path, const QByteArray& bytes)>;

// Stores `memory` in `folder` (created when missing): the .bin image, and the .dat/.NVD of the document
// `base` with the memory converted over it as a read converts it (what the radio
// does not hold stays as in `base`), and the .ini with the time, model, band, serial
// number and dealer code (those two from the memory's radio-information area).
// A name already taken gets "_2", "_3", ....
// Returns the data file's path; empty when a file could not be written (the
// files already written are removed again). `write` defaults to WriteFileSafely.
QString StoreBackup(const QString& folder, const RadioImage& memory, const DocumentRecord& base,
                    const QString& model, int band, const QDateTime& when,
                    const BackupWriter& write = {});
