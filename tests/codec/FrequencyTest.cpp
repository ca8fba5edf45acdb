#include "codec/Frequency.h"
#include "TestSupport.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/Hooks.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace {
class FrequencyTest : public ProgramTest {
  protected:
    void useBand(int16 index) {
        app().bandText = BandTextOf(index);
        SetBandLimits();
    }
    QString imageHex(const QString& working) {
        const auto b = FreDataToImage(working);
        return QByteArray(reinterpret_cast<const char*>(b.data()), 4).toHex(' ');
    }
    QString fromImage(std::uint32_t hertz) {
        const std::uint8_t b[4] = {std::uint8_t(hertz >> 24), std::uint8_t(hertz >> 16),
                                   std::uint8_t(hertz >> 8), std::uint8_t(hertz)};
        return ImageToFreData(b);
    }
};
} // namespace

TEST_F(FrequencyTest, ThreeFormsOfOneFrequencyAgree) {
    EXPECT_EQ(ShowToFreData("146.52500"), "14652500");
    EXPECT_EQ(FreDataToShow("14652500"), "146.52500");
    // 146 525 000 Hz is 0x08BBCB48.
    EXPECT_EQ(imageHex("14652500"), "08 bb cb 48");
    EXPECT_EQ(fromImage(0x08BBCB48), "14652500");
    // The odd 5 Hz of a frequency off the 10 Hz step are dropped.
    EXPECT_EQ(fromImage(146525005), "14652500");
    EXPECT_EQ(fromImage(0xFFFFFFFF), kNoFrequency);
    EXPECT_EQ(FreDataToShow(kNoFrequency), "");
    EXPECT_EQ(FreDataToShow(""), "");
    EXPECT_EQ(imageHex(kNoFrequency), "ff ff ff ff");
    EXPECT_EQ(imageHex(""), "ff ff ff ff");
    // Whole megahertz stored without a point, blank padded, and a NUL-cut field.
    EXPECT_EQ(ShowToFreData("146"), "146");
    EXPECT_EQ(imageHex("146     "), imageHex("14600000"));
    EXPECT_EQ(imageHex(QString("1465") + QChar(0) + "xyz"), imageHex("14650000"));
    EXPECT_EQ(FreDataToShow("146     "), "146.00000");
    // Below 100 MHz the first three digits stay the whole megahertz.
    EXPECT_EQ(fromImage(66000000), "06600000");
    EXPECT_EQ(FreDataToShow(fromImage(66000000)), "066.00000");
    // 1 GHz and above (damaged memory) is no frequency, never a shortened value.
    EXPECT_EQ(fromImage(999999990), "99999999");
    EXPECT_EQ(fromImage(1000000000), kNoFrequency);
    EXPECT_EQ(fromImage(0xFFFFFFFE), kNoFrequency);
    // More than eight digits is no working frequency: nothing goes to the radio.
    EXPECT_EQ(imageHex("146525000"), "ff ff ff ff");
    EXPECT_EQ(imageHex("4460062500"), "ff ff ff ff");
    EXPECT_TRUE(messages_.shown().isEmpty());
}

TEST_F(FrequencyTest, TypedTextIsRoundedToTenHertzWhateverTheLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    useBand(0);
    EXPECT_EQ(FormatInputFre("146.5254", RxFreq, true), "146.52540");
    EXPECT_EQ(FormatInputFre("146.525456", RxFreq, true), "146.52546");
    EXPECT_EQ(FormatInputFre(" 150 ", TxFreq, true), "150.00000");
    EXPECT_EQ(FormatMHz(174), "174.00000");
    QLocale::setDefault(previous);
}

TEST_F(FrequencyTest, BandLimitsWarnAndClamp) {
    useBand(0);
    EXPECT_EQ(FormatInputFre("99", RxFreq, true), "136.00000");
    EXPECT_EQ(FormatInputFre("180", TxFreq, true), "174.00000");
    EXPECT_EQ(FormatInputFre("146,525", RxFreq, true), "136.00000");
    ASSERT_EQ(messages_.shown().size(), 3);
    for (const auto& m : messages_.shown()) {
        EXPECT_EQ(m.text, "Frequency is out of range.");
        EXPECT_EQ(m.icon, MsgIcon::Warning);
    }
    messages_.clear();
    // Both limits are inside; no warning without the flag.
    EXPECT_EQ(FormatInputFre("136", RxFreq, true), "136.00000");
    EXPECT_EQ(FormatInputFre("174", TxFreq, true), "174.00000");
    EXPECT_EQ(FormatInputFre("500", TxFreq, false), "174.00000");
    EXPECT_TRUE(messages_.shown().isEmpty());

    app().languageIndex = Chinese;
    CheckFreRange(10, RxFreq, true);
    EXPECT_EQ(messages_.texts(), QStringList{"频率超出范围。"});
}

TEST_F(FrequencyTest, UpperBandReceivesTo520AndTransmitsThereOnlyWithExtension) {
    useBand(2);
    EXPECT_EQ(FormatInputFre("520", RxFreq, true), "520.00000");
    EXPECT_EQ(FormatInputFre("520.001", RxFreq, true), "520.00000");
    EXPECT_EQ(FormatInputFre("520", TxFreq, true), "480.00000");
    EXPECT_EQ(messages_.shown().size(), 2);
    app().sideValues.bandExtension = 1;
    EXPECT_EQ(FormatInputFre("520", TxFreq, true), "520.00000");
    EXPECT_EQ(messages_.shown().size(), 2);
    // The exception belongs to that band only.
    useBand(1);
    EXPECT_DOUBLE_EQ(UpperLimitFor(RxFreq), 260);
    EXPECT_DOUBLE_EQ(LimitFre(199.99, TxFreq), 200);
}

TEST_F(FrequencyTest, DamagedWorkingTextShowsTheLowerLimit) {
    useBand(2);
    EXPECT_EQ(FreDataToShow("14X52500"), "400");
    EXPECT_EQ(messages_.texts(), QStringList{"Not IsNumeric"});
    EXPECT_EQ(ShowToFreData("garbage"), "400");
    EXPECT_EQ(imageHex("14X52500"), "ff ff ff ff");
}

TEST_F(FrequencyTest, SwitchingTheExtensionOffReLimitsTransmitOnly) {
    useBand(2);
    auto& doc = app().document;
    doc.channelCount = 3;
    doc.channels[0].rxFreq.assign("50000000");
    doc.channels[0].txFreq.assign("50000000");
    doc.channels[1].txFreq.assign("FFFFFFFF");
    doc.channels[2].txFreq.assign("44600625");
    doc.channels[3].txFreq.assign("50000000"); // past the count: not a channel
    int refreshed = 0;
    hooks().channelsChanged = [&] { ++refreshed; };

    ReLimitAllTxFre();
    EXPECT_EQ(doc.channels[0].txFreq.value(), "48000000");
    EXPECT_EQ(doc.channels[0].rxFreq.value(), "50000000");
    EXPECT_EQ(doc.channels[1].txFreq.value(), "FFFFFFFF");
    EXPECT_EQ(doc.channels[2].txFreq.value(), "44600625");
    EXPECT_EQ(doc.channels[3].txFreq.value(), "50000000");
    EXPECT_EQ(refreshed, 1);
    EXPECT_TRUE(messages_.shown().isEmpty());
}

// The formatting is that of "%03lld.%05lld" on the value in units of 10 Hz, for
// every sign and size: below zero, beyond a thousand megahertz, and held at the
// bound of absurd values.
TEST(FrequencyFormat, WritesAsThePrintfPatternDoes) {
    const auto printed = [](double mhz) {
        const double bounded = std::isnan(mhz) ? 0.0 : std::clamp(mhz, -1e9, 1e9);
        const long long units = std::llround(bounded * 100000.0);
        char text[48];
        std::snprintf(text, sizeof text, "%03lld.%05lld", units / 100000, std::llabs(units % 100000));
        return QString::fromLatin1(text);
    };
    for (const double mhz : {0.0, 0.000004, 0.000005, 7.5, 99.99999, 146.525456, 446.00625, 999.999995,
                             1234.5, -0.5, -5.5, -12.00001, -123.4, -99999.0, 1e9, 5e12, -5e12,
                             std::nan("")})
        EXPECT_EQ(FormatMHz(mhz), printed(mhz)) << mhz;
}

// Every eight-digit data text shows as the number it spells in megahertz,
// formatted, and that text stores back as the same eight digits.
TEST(FrequencyFormat, DataTextShowsAsItsNumberAndStoresBack) {
    std::mt19937 random(427);
    for (int i = 0; i < 20000; ++i) {
        const QString data = QString::number(random() % 100000000).rightJustified(8, u'0');
        const QString shown = FreDataToShow(data);
        EXPECT_EQ(shown, FormatMHz(QLocale::c().toDouble(data.left(3) + u'.' + data.mid(3)))) << data.toStdString();
        EXPECT_EQ(ShowToFreData(shown), data);
    }
}
