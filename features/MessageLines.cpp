#include "features/MessageLines.h"

#include "core/Ansi.h"

QString MessageLineText(const FixedText<32>& line) {
    return FromAnsi(line.value());
}

void StoreMessageLine(const QString& text, FixedText<32>& line) {
    line.assignTerminated(ToAnsi(text.left(kMessageLineLength)));
}
