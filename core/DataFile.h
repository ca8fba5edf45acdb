#pragma once
// The data file (7979 bytes), its 6-byte side file, the template files and
// "Setting.ini". Messages go through the message-box seam.

#include "core/Document.h"

#include <QByteArray>
#include <QString>

QByteArray SerializeDocument(const DocumentRecord& record);
// False when the bytes are not a valid 7979-byte record (wrong size, counts out of
// range, channel numbers outside 1..128 or repeated).
bool DeserializeDocument(const QByteArray& bytes, DocumentRecord* record);

QString SideFileNameOf(const QString& dataPath);
// The name with ".dat" appended unless it already has that extension, so that the
// side file name (the last three characters replaced) never eats the base name.
QString WithDataFileExtension(const QString& path);
// Reads a data file and its side file without touching the open document, with
// the messages of File Open; `side` keeps its value when the side file exists but
// cannot be read. False when refused.
bool ReadDataFile(const QString& path, DocumentRecord* record, SideValues* side);
// File Open: false when refused (the message was shown, the document is unchanged).
bool LoadDataFile(const QString& path);
// File Save / Save As: false on failure (the message was shown).
bool SaveDataFile(const QString& path);
void LoadTemplate();
// The 6 bytes of a side file holding these values.
QByteArray SerializeSideValues(const SideValues& values);
void ReadSideFile(const QString& dataPath);
// The side values of a data file: 0, 0, 0 when the side file is missing or not 6
// bytes long, `unreadable` when it cannot be read.
SideValues ReadSideValues(const QString& dataPath, const SideValues& unreadable);
bool WriteSideFile(const QString& dataPath);
void ReadSettingsFile();
// Writes the radio flags that this program changed since it read or wrote
// "Setting.ini"; the others stay as the file has them (another running copy may
// have changed them). False when the file could not be written.
bool WriteSettingsFile();
// Writes bytes through a temporary file and a rename; false (old file intact) on failure.
bool WriteFileSafely(const QString& path, const QByteArray& bytes);
