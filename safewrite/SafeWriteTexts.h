#pragma once
// The safe write's texts, from section "SafeWrite" of the language files.

#include <QString>

QString SafeWriteText(const char* key);
