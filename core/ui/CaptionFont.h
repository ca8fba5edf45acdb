#pragma once
// The toolbar's Print caption is Chinese in both languages ("打印"). In English
// it is the main window's only Chinese text, and the system font that covers
// it is a face of tens of thousands of characters: finding and loading it cost
// more than the rest of the toolbar and some MB of memory. The program carries
// the caption's two characters as a small font of its own, cut from the face a
// Debian desktop draws them with, so they look the same and load at once.

#include <QFont>

// Adds the caption font to the application's fonts; safe on any thread once
// the application exists. The program calls it before the first text is
// measured, so that the font list is built once, with it.
void AddCaptionFont();

// The font for a caption in a window that speaks English or Chinese. In an
// English window a caption with Chinese characters takes a font that resolves
// only its families: the family `base` is drawn with, then the caption font
// for the characters that family lacks; set on a widget, it keeps the widget's
// size and style from its parent. Otherwise an empty font: the widget's own,
// as the other texts are drawn.
QFont CaptionFontFor(const QString& caption, bool englishWindow, const QFont& base);
