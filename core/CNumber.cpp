#include "core/CNumber.h"

#include <QLocale>
#include <algorithm>
#include <charconv>

namespace {
// Up to this many characters, a plain number is read here: its digits fit the
// buffer, and reading it correctly rounded gives the double QLocale gives.
constexpr qsizetype kPlainLength = 40;

// "-"? digits ("." digits)?, copied into `out` as Latin-1; false for any other
// form (signs, exponents, separators and other scripts' digits go to QLocale).
bool PlainForm(QStringView text, bool fraction, char* out) {
    const qsizetype n = text.size();
    if (n == 0 || n > kPlainLength) return false;
    const char16_t* c = text.utf16();
    qsizetype i = 0;
    if (c[0] == u'-') out[i++] = '-';
    const qsizetype digitsFrom = i;
    qsizetype point = -1;
    for (; i < n; ++i) {
        if (static_cast<unsigned>(c[i] - u'0') > 9u) { // not a digit
            if (c[i] != u'.' || !fraction || point >= 0) return false;
            point = i;
        }
        out[i] = static_cast<char>(c[i]);
    }
    // Digits on both sides of the point.
    if (point < 0) return n > digitsFrom;
    return point > digitsFrom && point + 1 < n;
}
} // namespace

bool ParseCDouble(QStringView text, double* value) {
    char plain[kPlainLength];
    if (PlainForm(text, true, plain)) {
        double v = 0;
        const auto [end, error] = std::from_chars(plain, plain + text.size(), v);
        if (error == std::errc() && end == plain + text.size()) {
            *value = v;
            return true;
        }
    }
    static const QLocale c = [] {
        QLocale locale = QLocale::c();
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        return locale;
    }();
    bool ok = false;
    const double v = c.toDouble(text, &ok);
    if (ok) *value = v;
    return ok;
}

bool ParseCInt(QStringView text, int* value) {
    char plain[kPlainLength];
    if (text.size() <= 9 && PlainForm(text, false, plain)) {
        int v = 0;
        std::from_chars(plain, plain + text.size(), v); // nine digits always fit
        *value = v;
        return true;
    }
    // A text without a digit is no number, and most cells read as a number first
    // are words: no need to ask QLocale.
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    bool ok = false;
    const int v = QLocale::c().toInt(text, &ok);
    if (ok) *value = v;
    return ok;
}
