#include "TestSupport.h"

#include "channels/ChannelImage.h"
#include "channels/ChannelTable.h"

#include <QRandomGenerator>

namespace {
ChannelEntry& Add(DocumentRecord& doc, int number, const char* rx = "44000000",
                  const char* tx = "44500000") {
    return AppendTestChannel(doc, number, rx, tx);
}
} // namespace

TEST(ChannelImage, SlotsSkipTheFirstAndLastSlotOfEveryPage) {
    const std::pair<int, int> known[] = {{1, 0x010},  {30, 0x1E0}, {31, 0x210},
                                         {60, 0x3E0}, {61, 0x410}, {128, 0x880}};
    for (auto [n, offset] : known)
        EXPECT_EQ(ChannelSlotOffset(n), offset) << n;
    QSet<int> seen;
    for (int n = 1; n <= 128; ++n) {
        const int at = ChannelSlotOffset(n);
        EXPECT_TRUE(at >= 16 && at + 16 <= 0x890 && at % 512 != 0 && at % 512 != 496) << n;
        seen.insert(at);
    }
    EXPECT_EQ(seen.size(), 128);
}

TEST(ChannelImage, FlagByteBitByBitAndUntouchedBytes) {
    DocumentRecord doc;
    Add(doc, 1).spacing = 1;
    Add(doc, 2).talkAround = 1;
    Add(doc, 3).reverse = 1;
    Add(doc, 4).txPower = 1;
    Add(doc, 5).busyLockout = 3;
    Add(doc, 6).scanAdd = 1;
    RadioImage image;
    image.fill(0xFF);
    ChannelsToImage(doc, image);
    const int flags[] = {0x40, 0x20, 0x10, 0x04, 0x03, 0x00};
    for (int n = 1; n <= 6; ++n) {
        const int slot = ChannelSlotOffset(n);
        EXPECT_EQ(image[static_cast<std::size_t>(slot + 12)], flags[n - 1]) << n;
        for (int i = 13; i < 16; ++i)
            EXPECT_EQ(image[static_cast<std::size_t>(slot + i)], 0xFF) << n;
    }
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(image[static_cast<std::size_t>(i)], 0xFF);
    EXPECT_EQ(image[kPresentBitmapOffset], 0x3F);
    EXPECT_EQ(image[kScanAddBitmapOffset], 0x20);
    EXPECT_EQ(image[kPresentBitmapOffset + 1], 0x00); // bitmaps cleared, not left 0xFF
}

TEST(ChannelImage, ReadingRules) {
    DocumentRecord doc;
    ChannelEntry& high = Add(doc, 128, "44000000", "FFFFFFFF");
    high.busyLockout = 3;
    high.scanAdd = 1;
    ChannelEntry& low = Add(doc, 2, "14652500", "14652500");
    low.decodeTone.assign("0102");
    low.reverse = 1;
    RadioImage image;
    image.fill(0xFF);
    ChannelsToImage(doc, image);
    image[kPresentBitmapOffset] |= 0x10; // channel 5 present but its slot erased

    DocumentRecord back;
    back.channels[0].optSignal = 2; // what the table slot held must not leak into a read
    ImageToChannels(image, back);
    ASSERT_EQ(back.channelCount, 2);
    EXPECT_EQ(back.channels[0].number, 2);
    EXPECT_EQ(back.channels[0].decodeTone.raw(), "0102");
    EXPECT_EQ(back.channels[0].reverse, 1);
    EXPECT_EQ(back.channels[0].scanAdd, 0);
    EXPECT_EQ(back.channels[0].optSignal, 0);
    EXPECT_EQ(back.channels[0].txEntryFlag, 0);
    EXPECT_EQ(back.channels[1].number, 128);
    EXPECT_EQ(back.channels[1].busyLockout, 2);
    EXPECT_EQ(back.channels[1].txFreq.raw(), "FFFFFFFF");
    EXPECT_EQ(back.channels[1].txEntryFlag, 1);
    EXPECT_EQ(back.channels[1].scanAdd, 1);
}

TEST(ChannelImage, GarbageImagesGiveAValidTable) {
    auto* random = QRandomGenerator::global();
    for (int round = 0; round < 200; ++round) {
        RadioImage image;
        for (auto& b : image)
            b = static_cast<std::uint8_t>(random->bounded(256));
        DocumentRecord doc;
        ImageToChannels(image, doc);
        ASSERT_LE(doc.channelCount, 128);
        for (int i = 0; i < doc.channelCount; ++i) {
            const ChannelEntry& e = doc.channels[static_cast<std::size_t>(i)];
            EXPECT_TRUE(i == 0 || e.number > doc.channels[static_cast<std::size_t>(i - 1)].number);
            EXPECT_LE(e.busyLockout, 2);
            for (int field = FieldRxFreq; field <= FieldTalkAround; ++field)
                ShowChannelField(e, field);
        }
        ChannelsToImage(doc, image);
    }
}
