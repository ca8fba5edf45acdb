#pragma once
// The data file (7979 bytes), its 6-byte side file, the template files and
// "Setting.ini". Messages go through the message-box seam.

#include "core/Document.h"
#include "core/FileWrite.h"

#include <QByteArray>
#include <QString>

QByteArray SerializeDocument(const DocumentRecord& record);
// False when the bytes are not a valid 7979-byte record (wrong size, counts out of
// range, channel numbers outside 1..128 or repeated); `problem` then says which.
bool DeserializeDocument(const QByteArray& bytes, DocumentRecord* record,
                         QString* problem = nullptr);

QString SideFileNameOf(const QString& dataPath);
// Why a data file cannot be written at this path, in the current language: a
// directory; a name without a three-character extension (the side file's name
// replaces the last three characters, which must not eat the base name); a name
// that is its own side file's. Empty when it can.
QString DataFilePathProblem(const QString& path);
// The name with ".dat" appended unless it already has that extension, so that the
// side file name (the last three characters replaced) never eats the base name.
QString WithDataFileExtension(const QString& path);
// Reads a data file and its side file without touching the open document, with
// the messages of File Open (the file's name and the reason after them). A side
// file that exists but cannot be used gives 0, 0, 0 and a warning naming it; a
// missing one gives 0, 0, 0 silently. False when refused.
bool ReadDataFile(const QString& path, DocumentRecord* record, SideValues* side);
// File Open: false when refused (the message was shown, the document is unchanged).
bool LoadDataFile(const QString& path);
// File Save / Save As: writes the data file and its side file together; false on
// failure (the message was shown, both files are as they were).
bool SaveDataFile(const QString& path);
// The template of the current model and band into the document; false, with the
// template's path and the reason shown, when none could be used (the new-document
// defaults then stand).
bool LoadTemplate();
// The 6 bytes of a side file holding these values.
QByteArray SerializeSideValues(const SideValues& values);
// The saved side values from the side file of a data file, as ReadDataFile reads them.
void ReadSideFile(const QString& dataPath);
// The side values of a data file without a word: 0, 0, 0 when the side file is
// missing, `unusable` when it exists but cannot be used.
SideValues ReadSideValues(const QString& dataPath, const SideValues& unusable);
void ReadSettingsFile();
// Writes the radio flags that this program changed since it read or wrote
// "Setting.ini"; the others stay as the file has them (another running copy may
// have changed them). False when the file could not be written.
bool WriteSettingsFile();
