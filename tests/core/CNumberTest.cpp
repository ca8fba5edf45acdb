#include "core/CNumber.h"

#include <QLocale>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>

namespace {
// What QLocale::c() reads, the readers' reference.
struct Reference {
    bool ok = false;
    double value = 0;
};
Reference LocaleDouble(const QString& text) {
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    Reference r;
    r.value = c.toDouble(text, &r.ok);
    return r;
}
Reference LocaleInt(const QString& text) {
    Reference r;
    r.value = QLocale::c().toInt(text, &r.ok);
    return r;
}

// The same answer, bit for bit (the sign of zero included).
void ExpectSameAs(const QString& text) {
    double d = 12345;
    const Reference rd = LocaleDouble(text);
    ASSERT_EQ(ParseCDouble(text, &d), rd.ok) << text.toStdString();
    if (rd.ok && !std::isnan(rd.value))
        ASSERT_EQ(std::memcmp(&d, &rd.value, sizeof d), 0) << text.toStdString();
    int i = 12345;
    const Reference ri = LocaleInt(text);
    ASSERT_EQ(ParseCInt(text, &i), ri.ok) << text.toStdString();
    if (ri.ok) ASSERT_EQ(i, ri.value) << text.toStdString();
}
} // namespace

// The plain forms read without QLocale give what QLocale gives, and every other
// text too: the forms of a frequency column, the edges of int, and random texts
// of digits, signs, points, exponents, separators, blanks and other scripts.
TEST(CNumberTest, ReadsEveryTextAsTheCLocaleDoes) {
    for (const char* text :
         {"446.00625", "0446.00625", "-0", "-0.0", "0", "1.", ".5", "-.5", "+1", "1e3", "1E-3",
          "1,000", "1,000.5", " 1", "1 ", "-", ".", "", "2147483647", "2147483648", "-2147483648",
          "-2147483649", "999999999", "0000000001", "123456789012345678901234567890.123456789",
          "0.1000000000000000055511151231257827021181583404541015625", "inf", "nan", "1e400",
          "4.9e-324", "١٢٣", "１２３"})
        ExpectSameAs(QString::fromUtf8(text));
    QRandomGenerator random(580);
    const QString alphabet = QStringLiteral("0123456789012345678901234567.-+e, \t١");
    for (int n = 0; n < 200000; ++n) {
        QString text;
        for (int k = random.bounded(1, 14); k > 0; --k)
            text.append(alphabet.at(random.bounded(alphabet.size())));
        ExpectSameAs(text);
    }
}
