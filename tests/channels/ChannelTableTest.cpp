#include "TestSupport.h"

#include "channels/ChannelTable.h"
#include "channels/ChannelTexts.h"
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
    }
    static void UseBand(int16 index) {
        app().bandText = BandTextOf(index);
        SetBandLimits();
    }
    static ChannelEntry& Channel(int number) {
        const int at = FindChannelEntry(number);
        EXPECT_GE(at, 0) << "channel " << number;
        return app().document.channels[static_cast<std::size_t>(at < 0 ? 0 : at)];
    }
    static QString Tone(int index) { return ToneList().at(index); }
};

TEST_F(ChannelTableTest, TypingAnRxFrequencyCreatesTheChannelWithDefaults) {
    UseBand(0);
    int refreshed = 0;
    hooks().channelsChanged = [&] { ++refreshed; };
    ChangeChannelData(1, 1, FieldRxFreq, "146.525");
    ASSERT_EQ(app().document.channelCount, 1);
    const ChannelEntry& e = Channel(1);
    EXPECT_EQ(e.rxFreq.raw(), "14652500");
    EXPECT_EQ(e.txFreq.raw(), "14652500");
    EXPECT_EQ(e.decodeTone.raw(), "FFFF");
    EXPECT_EQ(e.encodeTone.raw(), "FFFF");
    EXPECT_EQ(ShowChannelField(e, FieldTxPower), "High");
    EXPECT_EQ(ShowChannelField(e, FieldScanAddText), "Add");
    EXPECT_EQ(ShowChannelField(e, FieldSpacing), "25K(Wide)");
    EXPECT_EQ(e.txEntryFlag, 1);
    EXPECT_EQ(e.inUse, 1);
    EXPECT_EQ(refreshed, 1);
    EXPECT_TRUE(messages_.shown().isEmpty());

    // Any other field of a missing channel is ignored.
    ChangeChannelData(1, 2, FieldTxFreq, "146.000");
    ChangeChannelData(1, 2, FieldTxPower, "Low");
    EXPECT_EQ(app().document.channelCount, 1);
}

TEST_F(ChannelTableTest, NewChannelTxIsLimitedAsATransmitFrequency) {
    UseBand(2);
    ChangeChannelData(2, 3, FieldRxFreq, "500");
    EXPECT_EQ(Channel(19).rxFreq.raw(), "50000000");
    EXPECT_EQ(Channel(19).txFreq.raw(), "48000000");
    app().sideValues.bandExtension = 1;
    ChangeChannelData(2, 4, FieldRxFreq, "500");
    EXPECT_EQ(Channel(20).txFreq.raw(), "50000000");
    // Out of band: warned once, the limit stored.
    ChangeChannelData(2, 5, FieldRxFreq, "300");
    EXPECT_EQ(messages_.shown().size(), 1);
    EXPECT_EQ(Channel(21).rxFreq.raw(), "40000000");
}

TEST_F(ChannelTableTest, ClearingFrequencies) {
    UseBand(0);
    ChangeChannelData(1, 1, FieldRxFreq, "146.525");
    ChangeChannelData(1, 2, FieldRxFreq, "147.000");
    ChangeChannelData(1, 3, FieldRxFreq, "148.000");
    ChannelEntry& e = Channel(1);
    ChangeChannelData(1, 1, FieldEncodeTone, Tone(5));
    ChangeChannelData(1, 1, FieldReverse, "1");
    EXPECT_EQ(e.reverse, 1);
    ChangeChannelData(1, 1, FieldTxFreq, "");
    EXPECT_EQ(e.txFreq.raw(), "FFFFFFFF");
    EXPECT_EQ(e.encodeTone.raw(), "FFFF");
    EXPECT_EQ(e.reverse, 0);
    EXPECT_EQ(e.txEntryFlag, 1);
    EXPECT_EQ(ShowChannelField(e, FieldTxFreq), "");
    ChangeChannelData(1, 1, FieldTxFreq, "146.000");
    EXPECT_EQ(e.txFreq.raw(), "14600000");
    EXPECT_EQ(e.txEntryFlag, 0);

    // Clearing RX deletes the channel and closes the gap in table order.
    ChangeChannelData(1, 1, FieldRxFreq, "");
    ASSERT_EQ(app().document.channelCount, 2);
    EXPECT_EQ(app().document.channels[0].number, 2);
    EXPECT_EQ(app().document.channels[1].number, 3);
    EXPECT_EQ(FindChannelEntry(1), -1);
}

TEST_F(ChannelTableTest, ToneCopyingAndRepeaterRules) {
    UseBand(0);
    ChangeChannelData(1, 1, FieldRxFreq, "146.525");
    ChannelEntry& e = Channel(1);
    // A first decode tone on a channel without tones is copied to encode.
    ChangeChannelData(1, 1, FieldDecodeTone, Tone(3));
    EXPECT_EQ(ShowChannelField(e, FieldDecodeTone), Tone(3));
    EXPECT_EQ(ShowChannelField(e, FieldEncodeTone), Tone(3));
    // Changing it again leaves an existing encode tone alone.
    ChangeChannelData(1, 1, FieldDecodeTone, Tone(7));
    EXPECT_EQ(ShowChannelField(e, FieldEncodeTone), Tone(3));

    ChangeChannelData(1, 1, FieldBusyLockout, "Repeater");
    EXPECT_EQ(e.busyLockout, 2);
    ChangeChannelData(1, 1, FieldDecodeTone, Tone(0));
    EXPECT_EQ(e.decodeTone.raw(), "FFFF");
    EXPECT_EQ(e.busyLockout, 1);
    EXPECT_EQ(ShowChannelField(e, FieldEncodeTone), Tone(3));

    // An encode tone on a channel without tones is copied to decode.
    ChangeChannelData(1, 2, FieldRxFreq, "147.000");
    ChannelEntry& f = Channel(2);
    ChangeChannelData(1, 2, FieldEncodeTone, Tone(200));
    EXPECT_EQ(ShowChannelField(f, FieldDecodeTone), Tone(200));
    ChangeChannelData(1, 2, FieldEncodeTone, Tone(10));
    EXPECT_EQ(ShowChannelField(f, FieldDecodeTone), Tone(200));
}

TEST_F(ChannelTableTest, CodedFieldsFollowTheirWordsInEitherLanguage) {
    UseBand(0);
    ChangeChannelData(1, 1, FieldRxFreq, "146.525");
    ChannelEntry& e = Channel(1);
    app().languageIndex = Chinese;
    ChangeChannelData(1, 1, FieldTxPower, "低");
    ChangeChannelData(1, 1, FieldScanAddText, "删除");
    ChangeChannelData(1, 1, FieldSpacing, "12.5K(窄带)");
    ChangeChannelData(1, 1, FieldPttId, "开");
    EXPECT_EQ(e.txPower, 0);
    EXPECT_EQ(e.scanAdd, 0);
    EXPECT_EQ(e.spacing, 0);
    EXPECT_EQ(e.pttId, 1);
    EXPECT_EQ(ShowChannelField(e, FieldTxPower), "低");
    // An English word in Chinese is not the Low word.
    ChangeChannelData(1, 1, FieldTxPower, "Low");
    EXPECT_EQ(e.txPower, 1);
    app().languageIndex = English;

    // Option signalling back to None drops the settings that need it.
    ChangeChannelData(1, 1, FieldOptSignal, "FleetLink");
    ChangeChannelData(1, 1, FieldBusyLockout, "Option Signalling");
    ChangeChannelData(1, 1, FieldSpUnmute, "Carrier or Opt.Sig");
    EXPECT_EQ(e.optSignal, 2);
    EXPECT_EQ(e.busyLockout, 3);
    EXPECT_EQ(e.spUnmute, 2);
    ChangeChannelData(1, 1, FieldOptSignal, "Unknown");
    EXPECT_EQ(e.optSignal, 2);
    ChangeChannelData(1, 1, FieldOptSignal, "None");
    EXPECT_EQ(e.optSignal, 0);
    EXPECT_EQ(e.busyLockout, 0);
    EXPECT_EQ(e.spUnmute, 0);

    // SP unmute words come from the family of the decode tone.
    ChangeChannelData(1, 1, FieldDecodeTone, Tone(3));
    ChangeChannelData(1, 1, FieldSpUnmute, "CTCSS/DCS + Opt.Sig.");
    EXPECT_EQ(e.spUnmute, 1);
    EXPECT_EQ(ShowChannelField(e, FieldSpUnmute), "CTCSS/DCS + Opt.Sig.");

    ChangeChannelData(1, 1, FieldAutodial, "8");
    EXPECT_EQ(e.autodial, 7);
    EXPECT_EQ(ShowChannelField(e, FieldAutodial), "8");
    ChangeChannelData(1, 1, FieldTalkAround, "1");
    EXPECT_EQ(e.talkAround, 1);
}

TEST_F(ChannelTableTest, PriorityChannelsFollowAddsAndDeletes) {
    UseBand(0);
    auto& priority = app().document.settings.features.scan.priorityChannel;
    ChangeChannelData(2, 9, FieldRxFreq, "146.000");
    EXPECT_EQ(priority[1], 9); // the first channel of a group becomes its priority
    ChangeChannelData(2, 4, FieldRxFreq, "146.000");
    ChangeChannelData(2, 12, FieldRxFreq, "146.000");
    EXPECT_EQ(priority[1], 9);
    EXPECT_EQ(ListGroupChannels(2), QList<int>({4, 9, 12}));
    EXPECT_EQ(priority[0], 255);

    // Deleting the priority channel moves it to the last channel of the group in
    // table order, not the highest number.
    ChangeChannelData(2, 9, FieldRxFreq, "");
    EXPECT_EQ(priority[1], 12);
    ChangeChannelData(2, 12, FieldRxFreq, "");
    EXPECT_EQ(priority[1], 4);
    ChangeChannelData(2, 4, FieldRxFreq, "");
    EXPECT_EQ(priority[1], 255);
    EXPECT_TRUE(ListGroupChannels(2).isEmpty());

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

TEST_F(ChannelTableTest, AddingRefusesDuplicatesAndAFullTable) {
    UseBand(0);
    EXPECT_EQ(AddChannelByNumber(5, "146.000"), 0);
    EXPECT_EQ(AddChannelByNumber(5, "147.000"), -1);
    EXPECT_EQ(AddChannelByNumber(0, "147.000"), -1);
    EXPECT_EQ(AddChannelByNumber(129, "147.000"), -1);
    for (int n = 1; n <= 128; ++n)
        AddChannelByNumber(n, "146.000");
    EXPECT_EQ(app().document.channelCount, 128);
    DeleteChannelData(128);
    DeleteChannelData(-1);
    EXPECT_EQ(app().document.channelCount, 128);
}
