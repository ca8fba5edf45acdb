#pragma once
// Reading a radio image file for the command-line tool.

#include "core/Document.h"

#include <QString>

// False, with a one-line error on stderr, when the file cannot be read or is not
// exactly 4096 bytes.
bool ReadImageFile(const QString& path, RadioImage* image);
