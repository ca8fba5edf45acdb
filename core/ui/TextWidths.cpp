#include "core/ui/TextWidths.h"

#include <algorithm>
#include <climits>

TextWidths::TextWidths(const QFont& font)
    : metrics_(font),
      // Wider spacing and capitals make a text wider than its characters.
      measureAll_(font.letterSpacing() >
                      (font.letterSpacingType() == QFont::PercentageSpacing ? 100 : 0) ||
                  font.wordSpacing() > 0 || font.capitalization() != QFont::MixedCase) {}

int TextWidths::width(const QString& text) {
    auto it = measured_.constFind(text);
    if (it == measured_.constEnd()) it = measured_.insert(text, metrics_.horizontalAdvance(text));
    return *it;
}

int TextWidths::upperBound(const QString& text) {
    if (measureAll_) return INT_MAX;
    long long sum = 0;
    for (const QChar c : text) {
        // A character outside the basic plane is two halves with no width of
        // their own: such a text is measured.
        if (c.isSurrogate()) return INT_MAX;
        auto it = characters_.constFind(c.unicode());
        if (it == characters_.constEnd())
            it = characters_.insert(c.unicode(), metrics_.horizontalAdvance(c));
        sum += std::max(0, *it);
    }
    // Kerning moves a pair by a small part of a character; a quarter of the
    // whole is far more than any font adds, and a pixel covers the rounding.
    return static_cast<int>(std::min<long long>(INT_MAX, sum + sum / 4 + 1));
}

int TextWidths::widestOver(const QStringList& texts, int floor) {
    // A text whose bound is within `floor` is no wider than `floor`.
    int widest = std::max(floor, 0);
    for (const QString& t : texts)
        if (upperBound(t) > floor) widest = std::max(widest, width(t));
    return widest;
}
