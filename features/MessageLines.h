#pragma once
// The embedded-message editor's rules without its widgets: a line as shown,
// a line as stored, and the key filter of its text boxes.

#include "core/Document.h"

#include <QString>

constexpr int kMessageLineLength = 32;

// The line as the text box shows it: the stored text up to its NUL.
QString MessageLineText(const FixedText<32>& line);
// Stores a typed line: a shorter line is followed by a NUL and blanks, a longer
// one is cut to 32 characters.
void StoreMessageLine(const QString& text, FixedText<32>& line);

// The key filter of the message boxes: true when a typed character code may be
// inserted. Cut, copy and paste codes and anything above 127 are dropped; Enter
// is handled by the window (focus moves on).
constexpr bool MessageKeyPasses(int code) {
    return code != 24 && code != 22 && code != 3 && code <= 127;
}
