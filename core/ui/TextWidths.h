#pragma once
// Widths of texts in one font, for fitting a column to the texts it may show.
// Measuring a text lays it out in full (shaping, kerning), which for the long
// lists of a selector (the tone codes) cost more than building the rest of its
// window; most of their texts never come near their column's width. A text
// is measured once, and only when it could be wider than the width the column
// has anyway.

#include <QFontMetrics>
#include <QHash>
#include <QString>
#include <QStringList>

class TextWidths {
  public:
    explicit TextWidths(const QFont& font);

    // The width of the widest of `texts`, or `floor` (0 if less) when none is
    // wider; only texts that could be wider than `floor` are measured.
    int widestOver(const QStringList& texts, int floor);

  private:
    // The text's width as QFontMetrics::horizontalAdvance gives it.
    int width(const QString& text);
    // At least the text's width: its characters' own widths with room for
    // what kerning and rounding may add.
    int upperBound(const QString& text);

    QFontMetrics metrics_;
    QHash<QString, int> measured_;
    QHash<char16_t, int> characters_;
    bool measureAll_;
};
