#pragma once
// Reading a radio image file for the command-line tool.

#include "core/Document.h"

#include <QString>

// False, with "file error." naming the file and the reason, when the file cannot be read or is not
// exactly 4096 bytes.
bool ReadImageFile(const QString& path, RadioImage* image);
