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
} // namespace

TEST(OptionalFeaturesImage, WritesEachFieldToItsByte) {
    OptionalFeatures f;
    f.totTime = 1;
    f.totWarning = 2;
    f.voicePrompt = 3;
    f.callResponse = 4;
    f.squelchLevel = 5;
    f.batterySave = 6;
    f.beep = 7;
    f.cancelOperation = 8;
    f.frequencyShow = 9;
    f.voxFunction = 10;
    f.voxLevel = 11;
    f.voxDelay = 12;
    f.voxProceedTone = 13;
    f.compander = 14;
    f.cloneMode = 15;
    f.eliminateSquelchTail = 16;
    f.micSensitivity = 99; // not held by the image
    SideValues side{1, 0, 1};
    RadioImage image = Erased();
    OptionalFeaturesToImage(f, side, image);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(image[2224 + i], i + 1) << i;
    EXPECT_EQ(image[2248], 1);
    EXPECT_EQ(image[2249], 0);
    EXPECT_EQ(image[2252], 1);
    for (int at : {2240, 2241, 2247, 2250, 2251, 2253, 2254, 2255})
        EXPECT_EQ(image[static_cast<std::size_t>(at)], 0xFF) << at;
}

TEST(OptionalFeaturesImage, ReadingReplacesValuesOutsideTheirRange) {
    RadioImage image = Erased();
    // TOT at both edges of 1..40.
    OptionalFeatures f;
    f.micSensitivity = 1;
    f.botCode.assign("123");
    SideValues side{1, 1, 1};
    const auto readTot = [&](int v) {
        image[2224] = static_cast<std::uint8_t>(v);
        ImageToOptionalFeatures(image, f, side);
        return f.totTime;
    };
    EXPECT_EQ(readTot(0), 4);
    EXPECT_EQ(readTot(1), 1);
    EXPECT_EQ(readTot(40), 40);
    EXPECT_EQ(readTot(41), 4);
    // An erased radio gives each row's replacement.
    image = Erased();
    ImageToOptionalFeatures(image, f, side);
    EXPECT_EQ(f.totTime, 4);
    EXPECT_EQ(f.totWarning, 0);
    EXPECT_EQ(f.voicePrompt, 0);
    EXPECT_EQ(f.callResponse, 0);
    EXPECT_EQ(f.squelchLevel, 4);
    EXPECT_EQ(f.beep, 1);
    EXPECT_EQ(f.voxLevel, 4);
    EXPECT_EQ(f.voxDelay, 1);
    EXPECT_EQ(side, (SideValues{0, 0, 0}));
    // Values just inside their range pass.
    const std::uint8_t inside[16] = {40, 10, 3, 4, 9, 1, 0, 1, 1, 1, 9, 27, 1, 1, 1, 1};
    std::copy(std::begin(inside), std::end(inside), image.begin() + 2224);
    image[2248] = 1;
    image[2249] = 2;
    image[2252] = 1;
    ImageToOptionalFeatures(image, f, side);
    EXPECT_EQ(f.totWarning, 10);
    EXPECT_EQ(f.voicePrompt, 3);
    EXPECT_EQ(f.callResponse, 4);
    EXPECT_EQ(f.beep, 0);
    EXPECT_EQ(f.voxLevel, 9);
    EXPECT_EQ(f.voxDelay, 27);
    EXPECT_EQ(side, (SideValues{1, 0, 1}));
    // Just outside.
    image[2225] = 11;
    image[2227] = 5;
    image[2235] = 28;
    image[2228] = 10;
    ImageToOptionalFeatures(image, f, side);
    EXPECT_EQ(f.totWarning, 0);
    EXPECT_EQ(f.callResponse, 0);
    EXPECT_EQ(f.voxDelay, 1);
    EXPECT_EQ(f.squelchLevel, 4);
    // Fields the image does not hold are kept.
    EXPECT_EQ(f.micSensitivity, 1);
    EXPECT_EQ(f.botCode.raw().left(3), "123");
}

TEST(KeyAssignmentImage, ReadRuleAndBytes) {
    EXPECT_EQ(DecodeKeyByte(0), 0);
    EXPECT_EQ(DecodeKeyByte(10), 10);
    EXPECT_EQ(DecodeKeyByte(11), 255);
    EXPECT_EQ(DecodeKeyByte(12), 12);
    EXPECT_EQ(DecodeKeyByte(16), 16);
    EXPECT_EQ(DecodeKeyByte(17), 255);
    EXPECT_EQ(DecodeKeyByte(254), 255);
    EXPECT_EQ(DecodeKeyByte(255), 255);

    RadioImage image = Erased();
    KeysToImage(KeyAssignment{255, 1, 12, 9}, image);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&image[2256]), 4),
              QByteArray::fromHex("ff010c09"));
    image[2258] = 11;
    KeyAssignment keys;
    ImageToKeys(image, keys);
    EXPECT_EQ(keys, (KeyAssignment{255, 1, 255, 9}));
}

TEST(ScanImage, BytesAndReplacements) {
    ScanSettings scan;
    scan.priorityType = 1;
    scan.priorityChannel = {1, 2, 3, 4, 5, 6, 7, 255};
    scan.lookBackA = 15;
    scan.lookBackB = 20;
    scan.revertChannel = 3;
    scan.dropoutDelay = 35;
    scan.txDwell = 50;
    RadioImage image = Erased();
    ScanToImage(scan, image);
    EXPECT_EQ(image[2240], 1);
    EXPECT_EQ(image[2241], 0xFF);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&image[2242]), 5),
              QByteArray::fromHex("0f14032332"));
    EXPECT_EQ(image[2247], 0xFF);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&image[2264]), 8),
              QByteArray::fromHex("01020304050607ff"));
    ScanSettings back;
    ImageToScan(image, back);
    EXPECT_EQ(back, scan);

    image[2240] = 3;
    image[2242] = 0;
    image[2243] = 51;
    image[2244] = 4;
    image[2245] = 51;
    image[2246] = 0;
    image[2264] = 17;
    image[2265] = 0;
    image[2266] = 16;
    ImageToScan(image, back);
    EXPECT_EQ(back.priorityType, 0);
    EXPECT_EQ(back.lookBackA, 10);
    EXPECT_EQ(back.lookBackB, 10);
    EXPECT_EQ(back.revertChannel, 1);
    EXPECT_EQ(back.dropoutDelay, 30);
    EXPECT_EQ(back.txDwell, 0);
    EXPECT_EQ(back.priorityChannel[0], 255);
    EXPECT_EQ(back.priorityChannel[1], 0);
    EXPECT_EQ(back.priorityChannel[2], 16);
}

TEST(EmbeddedMessageImage, EncodeTrimsAndFillsDecodeStopsAtFF) {
    RadioImage image = Erased();
    const auto bytesAt = [&](int offset) {
        return QByteArray(reinterpret_cast<const char*>(&image[static_cast<std::size_t>(offset)]),
                          32);
    };
    FixedText<32> empty;
    empty.assignTerminated("");
    image.fill(0);
    MessageToImage(empty, image, kMessage1Offset);
    EXPECT_EQ(bytesAt(kMessage1Offset), QByteArray(32, '\xff'));

    FixedText<32> five;
    five.assignTerminated("HELLO");
    MessageToImage(five, image, kMessage2Offset);
    EXPECT_EQ(bytesAt(kMessage2Offset), QByteArray("HELLO") + QByteArray(27, '\xff'));

    // 32 characters ending in blanks lose them; a shorter line keeps blanks before its NUL.
    FixedText<32> full;
    full.assign(QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ") + "    ");
    EXPECT_EQ(full.raw().size(), 32);
    full.bytes[26] = 'x';
    MessageToImage(full, image, kMessage1Offset);
    EXPECT_EQ(bytesAt(kMessage1Offset),
              QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZx") + QByteArray(5, '\xff'));
    FixedText<32> padded;
    padded.assignTerminated("AB  ");
    MessageToImage(padded, image, kMessage1Offset);
    EXPECT_EQ(bytesAt(kMessage1Offset), QByteArray("AB  ") + QByteArray(28, '\xff'));

    // Reading: 32 x 0xFF is an empty line; an 0xFF in the middle ends the line.
    FixedText<32> text;
    text.assign("old text");
    image.fill(0xFF);
    ImageToMessage(image, kMessage1Offset, text);
    EXPECT_EQ(text.value(), "");
    EXPECT_EQ(text.raw(), QByteArray(1, '\0') + QByteArray(31, ' '));
    QByteArray line = "FIRST";
    line += '\xff';
    line += "AFTER";
    std::copy(line.begin(), line.end(), image.begin() + kMessage1Offset);
    ImageToMessage(image, kMessage1Offset, text);
    EXPECT_EQ(text.value(), "FIRST");
    const QByteArray all(32, 'Z');
    std::copy(all.begin(), all.end(), image.begin() + kMessage2Offset);
    ImageToMessage(image, kMessage2Offset, text);
    EXPECT_EQ(text.raw(), all);
}
