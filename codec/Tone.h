#pragma once
// CTCSS/DCS tones: the 283-entry tone list and the three forms of a tone value
// (image 2 bytes, working 4 hex characters "FFFF" = none, display = list entry).

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

enum class ToneKind { Ctcss, DcsNormal, DcsInverted };

inline const QString kNoTone = QStringLiteral("FFFF");

// Entry 0 is the none word of the current language.
const QStringList& ToneList();
QString NoneToneWord();
QString ToneDataToShow(const QString& working);
QString ShowToToneData(const QString& display);
int FindToneIndex(const QString& display, ToneKind kind);
std::array<std::uint8_t, 2> ToneDataToImage(const QString& working);
QString ImageToToneData(std::uint8_t kind, std::uint8_t index);

// "dec.tbl": read at start-up; a failure shows "Read dec.TBL File Error!".
bool ReadDecTable();
// True when the text is an entry of the tone list (selectors offer nothing else).
bool IsToneListText(const QString& display);
// The 83 numbers of "dec.tbl" (entries 51 to 83 with 256 added); zeros until read.
const std::array<int, 83>& DecTable();
