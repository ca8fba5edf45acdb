#include "TestSupport.h"

#include "features/EmbeddedMessageImage.h"
#include "features/KeyAssignmentImage.h"
#include "features/OptionalFeaturesImage.h"
#include "features/ScanImage.h"

namespace {
RadioImage Erased() {
    RadioImage image;
    image.fill(0xFF);
    return image;
}
QByteArray At(const RadioImage& image, int offset, int length) {
    return QByteArray(reinterpret_cast<const char*>(image.data() + offset), length);
}
} // namespace

TEST(FeatureImage, RangeRulesOnReadingAtTheirEdges) {
    struct Case {
        int offset, byte, expected;
    };
    // Optional features and side values: {image byte, value read, value stored}.
    const Case features[] = {
        {2224, 0, 4},   {2224, 1, 1}, {2224, 40, 40}, {2224, 41, 4},  {2225, 10, 10}, {2225, 11, 0},
        {2226, 3, 3},   {2226, 4, 0}, {2227, 4, 4},   {2227, 5, 0},   {2228, 9, 9},   {2228, 10, 4},
        {2230, 0, 0},   {2230, 2, 1}, {2234, 0, 0},   {2234, 10, 4},  {2235, 27, 27}, {2235, 28, 1},
        {2239, 255, 0}, {2248, 1, 1}, {2248, 2, 0},   {2252, 255, 0},
    };
    for (const Case& c : features) {
        RadioImage image{}; // zero everywhere else
        image[static_cast<std::size_t>(c.offset)] = static_cast<std::uint8_t>(c.byte);
        OptionalFeatures f;
        f.micSensitivity = 1;
        f.botCode.assign("*12#");
        SideValues side;
        ImageToOptionalFeatures(image, f, side);
        RadioImage back{};
        OptionalFeaturesToImage(f, side, back);
        EXPECT_EQ(back[static_cast<std::size_t>(c.offset)], c.expected)
            << c.offset << "=" << c.byte;
        EXPECT_EQ(f.micSensitivity, 1); // fields the image does not hold are kept
        EXPECT_EQ(f.botCode.raw().left(4), "*12#");
    }

    const Case scan[] = {
        {2240, 2, 2},   {2240, 3, 0},   {2242, 0, 10},   {2242, 1, 1},
        {2242, 50, 50}, {2243, 51, 10}, {2244, 3, 3},    {2244, 4, 1},
        {2245, 0, 0},   {2245, 51, 30}, {2246, 50, 50},  {2246, 51, 30},
        {2264, 0, 0},   {2264, 16, 16}, {2264, 17, 255}, {2271, 254, 255},
    };
    for (const Case& c : scan) {
        RadioImage image = Erased();
        image[static_cast<std::size_t>(c.offset)] = static_cast<std::uint8_t>(c.byte);
        ScanSettings s;
        ImageToScan(image, s);
        RadioImage back = Erased();
        ScanToImage(s, back);
        EXPECT_EQ(back[static_cast<std::size_t>(c.offset)], c.expected)
            << c.offset << "=" << c.byte;
    }

    // Keys: 11 and 17..254 become 255; 0..10, 12..16 and 255 pass.
    for (int v = 0; v < 256; ++v) {
        const int expected = (v == 11 || (v > 16 && v < 255)) ? 255 : v;
        EXPECT_EQ(DecodeKeyByte(static_cast<std::uint8_t>(v)), expected) << v;
    }
}

TEST(FeatureImage, BytesSitWhereTheRadioExpectsThem) {
    OptionalFeatures f;
    int16 OptionalFeatures::*const order[] = {
        &OptionalFeatures::totTime,        &OptionalFeatures::totWarning,
        &OptionalFeatures::voicePrompt,    &OptionalFeatures::callResponse,
        &OptionalFeatures::squelchLevel,   &OptionalFeatures::batterySave,
        &OptionalFeatures::beep,           &OptionalFeatures::cancelOperation,
        &OptionalFeatures::frequencyShow,  &OptionalFeatures::voxFunction,
        &OptionalFeatures::voxLevel,       &OptionalFeatures::voxDelay,
        &OptionalFeatures::voxProceedTone, &OptionalFeatures::compander,
        &OptionalFeatures::cloneMode,      &OptionalFeatures::eliminateSquelchTail};
    for (int i = 0; i < 16; ++i)
        f.*order[i] = static_cast<int16>(i + 1);
    ScanSettings scan{1, {1, 2, 3, 4, 5, 6, 7, 255}, 15, 20, 3, 35, 50};
    RadioImage image = Erased();
    OptionalFeaturesToImage(f, SideValues{1, 0, 1}, image);
    ScanToImage(scan, image);
    KeysToImage(KeyAssignment{255, 1, 12, 9}, image);
    EXPECT_EQ(At(image, 2224, 48).toHex(), "0102030405060708090a0b0c0d0e0f10"
                                           "01ff0f14032332ff0100ffff01ffffff"
                                           "ff010c09ffffffff01020304050607ff");
}

TEST(FeatureImage, EmbeddedMessagesTrimFillAndStopAtFF) {
    RadioImage image{};
    FixedText<32> text;
    text.assignTerminated("");
    MessageToImage(text, image, kMessage1Offset);
    EXPECT_EQ(At(image, kMessage1Offset, 32), QByteArray(32, '\xff'));
    text.assignTerminated("HELLO");
    MessageToImage(text, image, kMessage2Offset);
    EXPECT_EQ(At(image, kMessage2Offset, 32), "HELLO" + QByteArray(27, '\xff'));
    // A full line loses its trailing blanks; a shorter one keeps blanks typed before its end.
    text.assign("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    MessageToImage(text, image, kMessage1Offset);
    EXPECT_EQ(At(image, kMessage1Offset, 32), "ABCDEFGHIJKLMNOPQRSTUVWXYZ" + QByteArray(6, '\xff'));
    text.assignTerminated("AB  ");
    MessageToImage(text, image, kMessage1Offset);
    EXPECT_EQ(At(image, kMessage1Offset, 32), "AB  " + QByteArray(28, '\xff'));

    image.fill(0xFF);
    text.assign("old text");
    ImageToMessage(image, kMessage1Offset, text);
    EXPECT_EQ(text.raw(), '\0' + QByteArray(31, ' '));
    const QByteArray line = "FIRST\xff"
                            "AFTER";
    std::copy(line.begin(), line.end(), image.begin() + kMessage1Offset);
    ImageToMessage(image, kMessage1Offset, text);
    EXPECT_EQ(text.value(), "FIRST");
    const QByteArray full(32, 'Z');
    std::copy(full.begin(), full.end(), image.begin() + kMessage2Offset);
    ImageToMessage(image, kMessage2Offset, text);
    EXPECT_EQ(text.raw(), full);
}
