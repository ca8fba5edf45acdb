#include "codec/Frequency.h"

#include "core/AppState.h"
#include "core/CNumber.h"
#include "core/Hooks.h"
#include "core/MessageBox.h"
#include "core/Messages.h"

#include <QLocale>
#include <QVarLengthArray>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {
const QString kExtendedBand = QStringLiteral("400 - 480 MHz");

// A decimal number typed or stored as text, parsed with "." whatever the locale.
bool ParseNumber(QStringView text, double* value) {
    double v = 0;
    if (!ParseCDouble(text.trimmed(), &v) || !std::isfinite(v)) return false;
    *value = v;
    return true;
}

// The working text without anything after a NUL and without trailing blanks.
QString CleanWorking(const QString& working) {
    QString t = working;
    const auto nul = t.indexOf(QChar(u'\0'));
    if (nul >= 0) t.truncate(nul);
    while (!t.isEmpty() && t.back() == u' ')
        t.chop(1);
    return t;
}

bool AllDigits(QStringView text) {
    if (text.isEmpty()) return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

QString PlainNumber(double value) {
    return QLocale::c().toString(value, 'g', 15);
}

void WarnOutOfRange() {
    ShowMessage(MessageText(Msg::FreqOutOfRange), MsgButtons::Ok, MsgIcon::Warning);
}
} // namespace

bool ParseMHz(const QString& text, double* mhz) {
    return ParseNumber(text, mhz);
}

double UpperLimitFor(int kind) {
    const AppState& s = app();
    if (s.bandText == kExtendedBand) {
        if (kind == RxFreq || s.sideValues.bandExtension == 1) return 520.0;
    }
    return s.bandUpper;
}

double LimitFre(double mhz, int kind) {
    const double lower = app().bandLower;
    if (mhz >= lower) return std::min(mhz, UpperLimitFor(kind));
    return lower;
}

double CheckFreRange(double mhz, int kind, bool warn) {
    const double lower = app().bandLower;
    const double upper = UpperLimitFor(kind);
    if (mhz < lower || mhz > upper) {
        if (warn) WarnOutOfRange();
        return mhz < lower ? lower : upper;
    }
    return mhz;
}

QString FormatMHz(double mhz) {
    // Units of 10 Hz, rounded, then "000.00000". A value far beyond any frequency
    // (an absurd typed offset) is held at 1e9 MHz first, so it still formats as a
    // huge number that limits to the upper band edge instead of overflowing.
    const double bounded = std::isnan(mhz) ? 0.0 : std::clamp(mhz, -1e9, 1e9);
    const long long units = std::llround(bounded * 100000.0);
    const long long whole = units / 100000;
    const long long fraction = std::llabs(units % 100000);
    // The whole megahertz in at least three places ("-05" below zero), the
    // fraction in five: written digit by digit, a tenth of the C library's cost.
    char digits[24];
    const std::uint64_t magnitude = whole < 0 ? 0 - static_cast<std::uint64_t>(whole) : static_cast<std::uint64_t>(whole);
    char* const end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
    const qsizetype count = end - digits;
    const qsizetype zeros = std::max<qsizetype>(0, (whole < 0 ? 2 : 3) - count);
    QString text((whole < 0 ? 1 : 0) + zeros + count + 6, Qt::Uninitialized);
    QChar* out = text.data();
    if (whole < 0) *out++ = u'-';
    for (qsizetype i = 0; i < zeros; ++i)
        *out++ = u'0';
    for (const char* d = digits; d < end; ++d)
        *out++ = QLatin1Char(*d);
    *out++ = u'.';
    for (long long place = 10000; place > 0; place /= 10)
        *out++ = QLatin1Char(static_cast<char>('0' + fraction / place % 10));
    return text;
}

QString FormatInputFre(const QString& typed, int kind, bool warn) {
    double value = 0;
    if (ParseNumber(typed, &value)) {
        value = CheckFreRange(value, kind, warn);
    } else {
        if (warn) WarnOutOfRange();
        value = app().bandLower;
    }
    return FormatMHz(value);
}

QString ShowToFreData(const QString& display) {
    if (display.isEmpty()) return display;
    // "ddd.ddddd", as every frequency is shown, is its data text without the point.
    if (display.size() == 9 && display[3] == u'.' && AllDigits(QStringView(display).first(3)) &&
        AllDigits(QStringView(display).sliced(4))) {
        QString data = display;
        return data.remove(3, 1);
    }
    double value = 0;
    if (!ParseNumber(display, &value)) return PlainNumber(app().bandLower);
    const auto point = display.indexOf(u'.');
    if (point < 0) return display;
    const QStringView digits = QStringView(display).sliced(point + 1);
    QString data;
    data.reserve(3 + digits.size());
    data.append(QStringView(display).left(3)).append(digits);
    return data;
}

QString FreDataToShow(const QString& working) {
    const QString t = CleanWorking(working);
    if (t.isEmpty() || t == kNoFrequency) return QString();
    // Eight digits, as the data file holds every frequency, show as they stand
    // with the point after the whole megahertz: "44600625" is "446.00625".
    if (t.size() == 8 && AllDigits(t)) {
        QString shown = t;
        return shown.insert(3, u'.');
    }
    double value = 0;
    if (ParseNumber(t, &value)) {
        // The first three digits are the whole megahertz: "44600625" is 446.00625.
        QVarLengthArray<QChar, 64> shown;
        const qsizetype whole = std::min<qsizetype>(3, t.size());
        shown.append(t.constData(), whole);
        shown.append(u'.');
        shown.append(t.constData() + whole, t.size() - whole);
        if (ParseNumber(QStringView(shown.data(), shown.size()), &value)) return FormatMHz(value);
    }
    ShowMessage(QStringLiteral("Not IsNumeric"));
    return PlainNumber(app().bandLower);
}

std::array<std::uint8_t, 4> FreDataToImage(const QString& working) {
    std::array<std::uint8_t, 4> bytes{0xFF, 0xFF, 0xFF, 0xFF};
    QString t = CleanWorking(working);
    if (t.isEmpty() || t == kNoFrequency || t.size() > 8 || !AllDigits(t)) return bytes;
    t = t.leftJustified(8, u'0');
    const std::uint32_t hertz = t.toUInt() * 10u;
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(hertz >> (24 - 8 * i));
    return bytes;
}

QString ImageToFreData(const std::uint8_t* bytes) {
    std::uint32_t hertz = 0;
    for (int i = 0; i < 4; ++i)
        hertz = (hertz << 8) | bytes[i];
    if (hertz == 0xFFFFFFFFu) return kNoFrequency;
    // 1 GHz and above does not fit the eight digits (the first three are the whole
    // megahertz) and lies far outside every band of the radio: it can only be
    // damaged memory, so it counts as no frequency (an RX channel is not loaded)
    // rather than as a shortened, plausible-looking value.
    if (hertz >= 1000000000u) return kNoFrequency;
    // Eight digits of 10 Hz; a frequency below 100 MHz keeps its leading zero so
    // the first three digits stay the whole megahertz.
    return QString::number(hertz / 10u).rightJustified(8, u'0').left(8);
}

void ReLimitAllTxFre() {
    DocumentRecord& doc = app().document;
    const int count = std::clamp<int>(doc.channelCount, 0, kMaxChannels);
    for (int i = 0; i < count; ++i) {
        ChannelEntry& ch = doc.channels[static_cast<std::size_t>(i)];
        const QString shown = FreDataToShow(ch.txFreq.text());
        double value = 0;
        if (!ParseNumber(shown, &value)) continue;
        const QString limited = ShowToFreData(FormatMHz(LimitFre(value, TxFreq)));
        ch.txFreq.assign(limited.toLatin1());
    }
    if (hooks().channelsChanged) hooks().channelsChanged();
}
