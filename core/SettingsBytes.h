#pragma once
// Small binary settings files ("Setting.ini", "BatchFun.ini") shared by every
// running copy of the program. A copy writes only the values it changed itself,
// on top of what the file holds at that moment, so two programs open at once
// never write back each other's old values.

#include <QByteArray>
#include <QString>

// Writes into the file at `path` the values (each `unit` bytes long) in which
// `mine` differs from `known` (what this program last read or wrote there); the
// other values stay as the file has them. A missing file, or one of another
// length, is written as `mine`. Nothing is written when the file already holds
// the result. False when the file could not be written.
bool WriteChangedSettings(const QString& path, const QByteArray& mine, const QByteArray& known,
                          int unit);
