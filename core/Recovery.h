#pragma once
// Recovery copies: when the program must end without asking (a termination
// signal, a logout that allows no question) while the document has unsaved
// changes, the document is kept as a data file with its side file in the data
// folder's recovery/, and the next start offers to open it again.

#include <QDateTime>
#include <QString>

// DataPath("recovery").
QString RecoveryFolder();
// Writes the open document (as a save would write it, without changing its name
// or its saved state) as recovery/recovery-<date>-<time>.dat with its side file.
// The path, or empty when it could not be written.
QString WriteRecoveryCopy(const QDateTime& when = QDateTime::currentDateTime());
// The newest recovery copy, or empty when there is none.
QString PendingRecoveryCopy();
// When the copy was written.
QDateTime RecoveryCopyTime(const QString& path);
// Makes the copy the open document, untitled and counted as modified against a
// new document; then removes the copy. False (message shown, copy removed, the
// document unchanged) when it cannot be read.
bool OpenRecoveryCopy(const QString& path);
// Removes the copy and its side file.
void DiscardRecoveryCopy(const QString& path);
