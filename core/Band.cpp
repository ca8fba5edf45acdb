#include "core/Band.h"

#include "core/AppState.h"

const QStringList& BandTexts() {
    static const QStringList texts{QStringLiteral("136 - 174 MHz"), QStringLiteral("200 - 260 MHz"),
                                   QStringLiteral("400 - 480 MHz")};
    return texts;
}

QString BandTextOf(int16 index) {
    if (index == 0 || index == 1) return BandTexts().at(index);
    return BandTexts().at(2);
}

int16 BandIndexOf(const QString& text) {
    const auto i = BandTexts().indexOf(text);
    return i < 0 ? int16{0} : static_cast<int16>(i);
}

namespace {
// The leading whole number of a text, 0 when it has none.
double LeadingNumber(const QString& text) {
    qsizetype n = 0;
    const QString t = text.trimmed();
    while (n < t.size() && t.at(n).isDigit())
        ++n;
    return n == 0 ? 0.0 : t.left(n).toDouble();
}
} // namespace

void SetBandLimits() {
    AppState& s = app();
    s.bandLower = LeadingNumber(s.bandText.left(3));
    s.bandUpper = LeadingNumber(s.bandText.mid(6, 3));
}
