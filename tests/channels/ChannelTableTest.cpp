#include "TestSupport.h"

#include "channels/ChannelTable.h"
#include "codec/Tone.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/Hooks.h"

class ChannelTableTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        app().document.channelCount = 0;
        app().document.settings.features.scan.priorityChannel.fill(255);
        UseBand(0);
    }
    static void UseBand(int16 index) {
        app().bandText = BandTextOf(index);
        SetBandLimits();
    }
    static ChannelEntry& Channel(int number) {
        const int at = FindChannelEntry(number);
        EXPECT_GE(at, 0) << "channel " << number;
        return app().document.channels[static_cast<std::size_t>(std::max(at, 0))];
    }
    static void Edit(int row, int field, const QString& value) {
        ChangeChannelData(1, row, field, value);
    }
    static QString Tone(int index) { return ToneList().at(index); }
};

TEST_F(ChannelTableTest, CreatingByRxWithDefaultsAndTheTransmitLimit) {
    int refreshed = 0;
    hooks().channelsChanged = [&] { ++refreshed; };
    Edit(1, FieldRxFreq, "146.525");
    ASSERT_EQ(app().document.channelCount, 1);
    const ChannelEntry& e = Channel(1);
    EXPECT_EQ(e.rxFreq.raw() + e.txFreq.raw() + e.decodeTone.raw() + e.encodeTone.raw(),
              "1465250014652500FFFFFFFF");
    QStringList shown;
    for (int field : {FieldTxPower, FieldScanAddText, FieldSpacing, FieldBusyLockout, FieldPttId})
        shown << ShowChannelField(e, field);
    EXPECT_EQ(shown, QStringList({"High", "Add", "25K(Wide)", "Off", "Off"}));
    EXPECT_EQ(e.txEntryFlag, 1);
    EXPECT_EQ(refreshed, 1);
    // Other fields of a missing channel are ignored.
    Edit(2, FieldTxFreq, "146.000");
    Edit(2, FieldTxPower, "Low");
    EXPECT_EQ(app().document.channelCount, 1);
    EXPECT_TRUE(messages_.shown().isEmpty());

    // Above 480 MHz the TX takes the transmit limit unless the band is extended.
    UseBand(2);
    ChangeChannelData(2, 3, FieldRxFreq, "500");
    EXPECT_EQ(Channel(19).rxFreq.raw() + Channel(19).txFreq.raw(), "5000000048000000");
    app().sideValues.bandExtension = 1;
    ChangeChannelData(2, 4, FieldRxFreq, "500");
    EXPECT_EQ(Channel(20).txFreq.raw(), "50000000");
    ChangeChannelData(2, 5, FieldRxFreq, "300");
    EXPECT_EQ(messages_.shown().size(), 1); // out of range: warned, the limit stored
    EXPECT_EQ(Channel(21).rxFreq.raw(), "40000000");
}

TEST_F(ChannelTableTest, ClearingTxAndRx) {
    for (int row = 1; row <= 3; ++row)
        Edit(row, FieldRxFreq, "146.525");
    ChannelEntry& e = Channel(1);
    Edit(1, FieldEncodeTone, Tone(5));
    Edit(1, FieldReverse, "1");
    Edit(1, FieldTxFreq, "");
    EXPECT_EQ(e.txFreq.raw() + e.encodeTone.raw(), "FFFFFFFFFFFF");
    EXPECT_EQ(e.reverse, 0);
    EXPECT_EQ(e.txEntryFlag, 1);
    EXPECT_EQ(ShowChannelField(e, FieldTxFreq), "");
    Edit(1, FieldTxFreq, "146.000");
    EXPECT_EQ(e.txFreq.raw(), "14600000");
    EXPECT_EQ(e.txEntryFlag, 0);
    // Clearing RX deletes the channel and closes the gap.
    Edit(1, FieldRxFreq, "");
    ASSERT_EQ(app().document.channelCount, 2);
    EXPECT_EQ(app().document.channels[0].number, 2);
    EXPECT_EQ(app().document.channels[1].number, 3);
}

TEST_F(ChannelTableTest, ToneCopyingAndRepeaterToCarrier) {
    Edit(1, FieldRxFreq, "146.525");
    const ChannelEntry& e = Channel(1);
    Edit(1, FieldDecodeTone, Tone(3)); // first tone: encode follows
    EXPECT_EQ(ShowChannelField(e, FieldEncodeTone), Tone(3));
    Edit(1, FieldDecodeTone, Tone(7)); // encode set: left alone
    EXPECT_EQ(ShowChannelField(e, FieldEncodeTone), Tone(3));
    Edit(1, FieldBusyLockout, "Repeater");
    EXPECT_EQ(e.busyLockout, 2);
    Edit(1, FieldDecodeTone, Tone(0));
    EXPECT_EQ(e.decodeTone.raw(), "FFFF");
    EXPECT_EQ(e.busyLockout, 1);

    Edit(2, FieldRxFreq, "147.000");
    const ChannelEntry& f = Channel(2);
    Edit(2, FieldEncodeTone, Tone(200)); // first tone: decode follows
    Edit(2, FieldEncodeTone, Tone(10));
    EXPECT_EQ(ShowChannelField(f, FieldDecodeTone), Tone(200));
    EXPECT_EQ(ShowChannelField(f, FieldEncodeTone), Tone(10));
}

TEST_F(ChannelTableTest, CodedFieldsAreStoredByTheirWords) {
    Edit(1, FieldRxFreq, "146.525");
    const ChannelEntry& e = Channel(1);
    app().languageIndex = Chinese;
    Edit(1, FieldTxPower, "低");
    Edit(1, FieldScanAddText, "删除");
    Edit(1, FieldSpacing, "12.5K(窄带)");
    Edit(1, FieldPttId, "开");
    EXPECT_EQ(QList<int>({e.txPower, e.scanAdd, e.spacing, e.pttId}), QList<int>({0, 0, 0, 1}));
    EXPECT_EQ(ShowChannelField(e, FieldSpacing), "12.5K(窄带)");
    Edit(1, FieldTxPower, "Low"); // an English word is not the Chinese Low word
    EXPECT_EQ(e.txPower, 1);
    app().languageIndex = English;

    // Option signalling back to None drops what needs it; an unknown word changes nothing.
    Edit(1, FieldOptSignal, "FleetLink");
    Edit(1, FieldBusyLockout, "Option Signalling");
    Edit(1, FieldSpUnmute, "Carrier or Opt.Sig");
    Edit(1, FieldOptSignal, "Unknown");
    EXPECT_EQ(QList<int>({e.optSignal, e.busyLockout, e.spUnmute}), QList<int>({2, 3, 2}));
    Edit(1, FieldOptSignal, "None");
    EXPECT_EQ(QList<int>({e.optSignal, e.busyLockout, e.spUnmute}), QList<int>({0, 0, 0}));
    // SP unmute words follow the decode tone's family.
    Edit(1, FieldDecodeTone, Tone(3));
    Edit(1, FieldSpUnmute, "CTCSS/DCS + Opt.Sig.");
    EXPECT_EQ(e.spUnmute, 1);
    Edit(1, FieldAutodial, "8");
    EXPECT_EQ(e.autodial, 7);
    EXPECT_EQ(ShowChannelField(e, FieldAutodial), "8");
}

TEST_F(ChannelTableTest, PriorityChannelsFollowAddsAndDeletes) {
    auto& priority = app().document.settings.features.scan.priorityChannel;
    for (int row : {9, 4, 12})
        ChangeChannelData(2, row, FieldRxFreq, "146.000");
    EXPECT_EQ(priority[1], 9);
    EXPECT_EQ(priority[0], 255);
    EXPECT_EQ(ListGroupChannels(2), QList<int>({4, 9, 12}));
    // The last channel of the group in table order takes over, then 255.
    ChangeChannelData(2, 9, FieldRxFreq, "");
    EXPECT_EQ(priority[1], 12);
    ChangeChannelData(2, 12, FieldRxFreq, "");
    EXPECT_EQ(priority[1], 4);
    ChangeChannelData(2, 4, FieldRxFreq, "");
    EXPECT_EQ(priority[1], 255);

    // A position 0 from a radio never names the previous group's channel 16.
    ChangeChannelData(1, 16, FieldRxFreq, "146.000");
    ChangeChannelData(3, 2, FieldRxFreq, "146.000");
    priority[2] = 0;
    CheckGroupScanCh();
    EXPECT_EQ(priority[2], 2);

    // While the scan window is open its own refresh runs instead.
    int reshown = 0;
    hooks().scanWindowReshow = [&] { ++reshown; };
    priority[2] = 7;
    ChangeChannelData(3, 5, FieldRxFreq, "146.000");
    EXPECT_EQ(reshown, 1);
    EXPECT_EQ(priority[2], 7);
}

TEST_F(ChannelTableTest, AddingRefusesDuplicatesBadNumbersAndAFullTable) {
    EXPECT_EQ(AddChannelByNumber(5, "146.000"), 0);
    for (int bad : {5, 0, 129})
        EXPECT_EQ(AddChannelByNumber(bad, "147.000"), -1) << bad;
    for (int n = 1; n <= 128; ++n)
        AddChannelByNumber(n, "146.000");
    EXPECT_EQ(app().document.channelCount, 128);
    DeleteChannelData(128);
    DeleteChannelData(-1);
    EXPECT_EQ(app().document.channelCount, 128);
}

// Rows 0 and 17 lie outside every group: an edit there is refused whatever the
// field, in a full table and in an empty one, and changes nothing at all (it must
// not reach the last channel of the group before or the first of the next).
TEST_F(ChannelTableTest, RowsOutsideTheGroupAreRefused) {
    int refreshed = 0;
    hooks().channelsChanged = [&] { ++refreshed; };
    const QString values[] = {"", "150.00000", Tone(5), "Low", "Del", "None", "On", "0", "1"};
    for (const bool full : {false, true}) {
        app().document.channelCount = 0;
        if (full)
            for (int n = 1; n <= kMaxChannels; ++n)
                AppendTestChannel(app().document, n, "14652500", "14652500");
        const DocumentRecord before = app().document;
        for (int group = 1; group <= 8; ++group)
            for (const int row : {0, 17})
                for (int field = FieldRxFreq; field <= FieldTalkAround; ++field)
                    for (const QString& value : values)
                        ChangeChannelData(group, row, field, value);
        EXPECT_EQ(app().document.channelCount, before.channelCount);
        for (int i = 0; i < kMaxChannels; ++i)
            EXPECT_TRUE(app().document.channels[i] == before.channels[i]) << "entry " << i;
    }
    EXPECT_EQ(refreshed, 0);
    EXPECT_TRUE(messages_.shown().isEmpty());
}
