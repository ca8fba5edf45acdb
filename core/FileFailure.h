#pragma once
// Why a file could not be used, said the same way everywhere: the program's own
// message first ("file error."), then the file's name and the reason, in the
// system's words for input/output errors and in the program's for content.

#include "core/Messages.h"

#include <QString>

struct FileFailure {
    QString path;
    QString reason;
};

// The system's words for an error number ("No such file or directory").
QString SystemErrorText(int errorNumber);
// "it has 7978 bytes, not 7979", in the current language.
QString WrongSizeText(qint64 size, qint64 expected);
// The message, then the file and the reason: "file error. /x/a.dat: Is a directory".
QString FileFailureText(Msg entry, const FileFailure& failure);
// Shows that text (a message box; a line on stderr in the command-line tool).
void ShowFileFailure(Msg entry, const FileFailure& failure);

class QFile;
// Opens a file for reading; the reason when it cannot be (a directory counts as
// one), else an empty text.
QString OpenToRead(QFile& file);

// True when both names reach the same file (same device and inode, through any
// symbolic link, "./" or ".."), or, where a file does not exist yet, name the
// same place once the existing part of the path is resolved.
bool SameFile(const QString& a, const QString& b);
