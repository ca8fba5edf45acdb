#pragma once
// A channel frequency in its three forms: image (4 bytes, big-endian hertz,
// FF FF FF FF = none), working (8 decimal digits in units of 10 Hz,
// "FFFFFFFF" = none) and display (MHz as "000.00000"); band limits.

#include <QString>
#include <array>
#include <cstdint>

enum FreqKind { RxFreq = 1, TxFreq = 2 };

inline const QString kNoFrequency = QStringLiteral("FFFFFFFF");

// A frequency text in MHz ("." as decimal separator, no group separators); false
// when it is not a finite number.
bool ParseMHz(const QString& text, double* mhz);
QString FreDataToShow(const QString& working);
QString ShowToFreData(const QString& display);
// The upper limit for a kind in the current band (520 MHz exception included).
double UpperLimitFor(int kind);
double LimitFre(double mhz, int kind);
double CheckFreRange(double mhz, int kind, bool warn);
QString FormatInputFre(const QString& typed, int kind, bool warn);
// "000.00000" with "." whatever the locale.
QString FormatMHz(double mhz);
std::array<std::uint8_t, 4> FreDataToImage(const QString& working);
// "FFFFFFFF" for FF FF FF FF and for 1 GHz and above (damaged memory).
QString ImageToFreData(const std::uint8_t* bytes);
// Re-limits every channel's TX frequency (band extension switched), then asks the
// open channel windows to redisplay.
void ReLimitAllTxFre();
