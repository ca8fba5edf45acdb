#include "TestSupport.h"

#include "channels/ChannelImage.h"
#include "channels/ChannelTable.h"
#include "core/AppState.h"

#include <QRandomGenerator>

namespace {

ChannelEntry MakeChannel(int number, const char* rx, const char* tx) {
    ChannelEntry e;
    e.number = static_cast<int16>(number);
    e.inUse = 1;
    e.rxFreq.assign(rx);
    e.txFreq.assign(tx);
    e.decodeTone.assign("FFFF");
    e.encodeTone.assign("FFFF");
    e.scanAdd = 1;
    return e;
}

void Append(DocumentRecord& doc, const ChannelEntry& e) {
    doc.channels[static_cast<std::size_t>(doc.channelCount++)] = e;
}

bool Bit(const RadioImage& image, int base, int n) {
    return (image[static_cast<std::size_t>(base + (n - 1) / 8)] >> ((n - 1) % 8)) & 1;
}

} // namespace

class ChannelImageTest : public ProgramTest {};

TEST_F(ChannelImageTest, SlotsSkipFirstAndLastSlotOfEveryPage) {
    EXPECT_EQ(ChannelSlotOffset(1), 0x010);
    EXPECT_EQ(ChannelSlotOffset(30), 0x1E0);
    EXPECT_EQ(ChannelSlotOffset(31), 0x210);
    EXPECT_EQ(ChannelSlotOffset(60), 0x3E0);
    EXPECT_EQ(ChannelSlotOffset(61), 0x410);
    EXPECT_EQ(ChannelSlotOffset(128), 0x880);
    // Every slot distinct and inside the channel area, never a page's first or last slot.
    QSet<int> seen;
    for (int n = 1; n <= 128; ++n) {
        const int at = ChannelSlotOffset(n);
        EXPECT_TRUE(at >= 16 && at + 16 <= 0x890) << n;
        EXPECT_NE(at % 512, 0) << n;
        EXPECT_NE(at % 512, 496) << n;
        seen.insert(at);
    }
    EXPECT_EQ(seen.size(), 128);
}

TEST_F(ChannelImageTest, WritesSlotsBitmapsAndFlagsBitByBit) {
    DocumentRecord doc;
    ChannelEntry a = MakeChannel(1, "14652500", "FFFFFFFF");
    a.spacing = 1;
    Append(doc, a);
    ChannelEntry b = MakeChannel(30, "44000000", "44500000");
    b.talkAround = 1;
    b.scanAdd = 0;
    Append(doc, b);
    ChannelEntry c = MakeChannel(31, "44000000", "44000000");
    c.reverse = 1;
    c.busyLockout = 3;
    Append(doc, c);
    ChannelEntry d = MakeChannel(128, "44000000", "44000000");
    d.txPower = 1;
    d.busyLockout = 1;
    Append(doc, d);

    RadioImage image;
    image.fill(0xFF);
    ChannelsToImage(doc, image);

    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(image[static_cast<std::size_t>(i)], 0xFF) << i;
    const auto slot = [&](int n, int byte) { return image[ChannelSlotOffset(n) + byte]; };
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&image[0x10]), 8),
              QByteArray::fromHex("08bbcb48ffffffff"));
    EXPECT_EQ(slot(1, 12), 0x40);
    EXPECT_EQ(slot(30, 12), 0x20);
    EXPECT_EQ(slot(31, 12), 0x13);
    EXPECT_EQ(slot(128, 12), 0x05);
    for (int n : {1, 30, 31, 128})
        for (int byte = 13; byte < 16; ++byte)
            EXPECT_EQ(slot(n, byte), 0xFF) << n;
    // The slot between channel 30 and 31 (end of page 0, start of page 1) untouched.
    for (int i = 0x1F0; i < 0x210; ++i)
        EXPECT_EQ(image[static_cast<std::size_t>(i)], 0xFF) << i;

    for (int n = 1; n <= 128; ++n) {
        const bool present = n == 1 || n == 30 || n == 31 || n == 128;
        EXPECT_EQ(Bit(image, kPresentBitmapOffset, n), present) << n;
        EXPECT_EQ(Bit(image, kScanAddBitmapOffset, n), present && n != 30) << n;
    }
    EXPECT_EQ(image[0x890], 0x01);
    EXPECT_EQ(image[0x893], 0x60); // channels 30 and 31
    EXPECT_EQ(image[0x89F], 0x80);
}

TEST_F(ChannelImageTest, ReadsChannelsInNumberOrderWithTheReadRules) {
    RadioImage image;
    image.fill(0xFF);
    DocumentRecord doc;
    ChannelEntry high = MakeChannel(128, "44000000", "FFFFFFFF");
    high.busyLockout = 3;
    high.spacing = 1;
    high.txPower = 1;
    Append(doc, high);
    ChannelEntry low = MakeChannel(2, "14652500", "14652500");
    low.decodeTone.assign("0102");
    low.reverse = 1;
    low.scanAdd = 0;
    Append(doc, low);
    ChannelsToImage(doc, image);
    // Channel 5 present but erased: not loaded.
    image[0x890] |= 0x10;

    DocumentRecord back;
    back.channels[0].optSignal = 2; // stale slot content must not leak into a read channel
    ImageToChannels(image, back);
    ASSERT_EQ(back.channelCount, 2);
    const ChannelEntry& c2 = back.channels[0];
    EXPECT_EQ(c2.number, 2);
    EXPECT_EQ(c2.rxFreq.raw(), "14652500");
    EXPECT_EQ(c2.decodeTone.raw(), "0102");
    EXPECT_EQ(c2.encodeTone.raw(), "FFFF");
    EXPECT_EQ(c2.reverse, 1);
    EXPECT_EQ(c2.scanAdd, 0);
    EXPECT_EQ(c2.optSignal, 0);
    const ChannelEntry& c128 = back.channels[1];
    EXPECT_EQ(c128.number, 128);
    EXPECT_EQ(c128.txFreq.raw(), "FFFFFFFF");
    EXPECT_EQ(c128.busyLockout, 2);
    EXPECT_EQ(c128.spacing, 1);
    EXPECT_EQ(c128.txPower, 1);
    EXPECT_EQ(c128.scanAdd, 1);
    EXPECT_EQ(c128.inUse, 1);
}

TEST_F(ChannelImageTest, GarbageImagesGiveAValidTable) {
    auto* random = QRandomGenerator::global();
    for (int round = 0; round < 200; ++round) {
        RadioImage image;
        for (auto& b : image)
            b = static_cast<std::uint8_t>(random->bounded(256));
        DocumentRecord doc;
        ImageToChannels(image, doc);
        ASSERT_GE(doc.channelCount, 0);
        ASSERT_LE(doc.channelCount, 128);
        int previous = 0;
        for (int i = 0; i < doc.channelCount; ++i) {
            const ChannelEntry& e = doc.channels[static_cast<std::size_t>(i)];
            EXPECT_GT(e.number, previous);
            EXPECT_LE(e.busyLockout, 2);
            previous = e.number;
            // Every loaded channel survives display and a write back.
            ShowChannelField(e, FieldDecodeTone);
            ShowChannelField(e, FieldRxFreq);
        }
        RadioImage out;
        out.fill(0xFF);
        ChannelsToImage(doc, out);
    }
}
