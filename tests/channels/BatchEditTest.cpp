// Batch channel edit: range handling, the eight steps of an apply, and the
// function flags kept in "BatchFun.ini".

#include "channels/BatchEdit.h"
#include "TestSupport.h"
#include "channels/ChannelTable.h"
#include "codec/Tone.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/Hooks.h"

#include <QFile>

namespace {
class BatchEdit : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        app().bandText = QStringLiteral("136 - 174 MHz");
        SetBandLimits();
        app().document.channelCount = 0;
        batchFlags() = DefaultBatchFlags();
    }

    static BatchFlags only(std::initializer_list<BatchFunction> functions) {
        BatchFlags flags{};
        for (BatchFunction f : functions)
            flags[static_cast<std::size_t>(f)] = 1;
        return flags;
    }
    static BatchRequest range(int from, int to) {
        BatchRequest r;
        r.allChannels = false;
        r.fromText = QString::number(from);
        r.toText = QString::number(to);
        return r;
    }
    static const ChannelEntry* channel(int number) {
        const int p = FindChannelEntry(number);
        return p < 0 ? nullptr : &app().document.channels[static_cast<std::size_t>(p)];
    }
    static QByteArray rx(int number) { return channel(number)->rxFreq.trimmedValue(); }
    static QByteArray tx(int number) { return channel(number)->txFreq.trimmedValue(); }
    static QByteArray decode(int number) { return channel(number)->decodeTone.trimmedValue(); }
    static QByteArray encode(int number) { return channel(number)->encodeTone.trimmedValue(); }
};

TEST_F(BatchEdit, ReceiveFrequenciesStepAcrossAReversedRangeAndCreateChannels) {
    BatchRequest r = range(5, 3);
    r.rxStart = QStringLiteral("145.000");
    r.rxStep = QStringLiteral("12.50");
    const BatchResult result = ApplyBatch(r, only({BatchRx}));
    EXPECT_EQ(result.from, 3);
    EXPECT_EQ(result.to, 5);
    EXPECT_EQ(app().document.channelCount, 3);
    EXPECT_EQ(rx(3), "14500000");
    EXPECT_EQ(rx(4), "14501250");
    EXPECT_EQ(rx(5), "14502500");
    // New channels carry the new-channel defaults.
    EXPECT_EQ(tx(4), "14501250");
    EXPECT_EQ(channel(4)->txPower, 1);
    // The boxes hold their validated texts.
    EXPECT_EQ(r.rxStart, QStringLiteral("145.00000"));
    EXPECT_EQ(r.rxStep, QStringLiteral("12.5"));

    // Decrement, limited to the band without a warning.
    BatchRequest down = range(1, 2);
    down.rxStart = QStringLiteral("136.010");
    down.rxStep = QStringLiteral("25");
    down.rxDirection = StepDirection::Decrement;
    ApplyBatch(down, only({BatchRx}));
    EXPECT_EQ(rx(1), "13601000");
    EXPECT_EQ(rx(2), "13600000"); // 135.985 limited
    EXPECT_TRUE(messages_.shown().isEmpty());
}

TEST_F(BatchEdit, WithoutReceiveFunctionMissingChannelsAreSkippedAndDeleteKeepsTheRange) {
    AddChannelByNumber(2, QStringLiteral("150.00000"));
    AddChannelByNumber(20, QStringLiteral("151.00000"));
    AddChannelByNumber(1, QStringLiteral("152.00000"));
    app().document.settings.features.scan.priorityChannel[0] = 1;

    BatchRequest r = range(2, 3);
    r.powerPosition = 0;
    r.scanAdd = false;
    ApplyBatch(r, only({BatchPower, BatchScanAdd}));
    EXPECT_EQ(channel(2)->txPower, 0);
    EXPECT_EQ(channel(2)->scanAdd, 0);
    EXPECT_FALSE(channel(3));
    EXPECT_EQ(channel(1)->txPower, 1); // outside the range
    EXPECT_EQ(app().document.channelCount, 3);

    BatchRequest d = range(2, 16);
    d.deleteOutside = true;
    ApplyBatch(d, only({}));
    EXPECT_EQ(app().document.channelCount, 1);
    EXPECT_TRUE(channel(2));
    // The priority channel of group 1 pointed at the deleted channel 1.
    EXPECT_EQ(app().document.settings.features.scan.priorityChannel[0], 2);
    EXPECT_EQ(app().document.settings.features.scan.priorityChannel[1], 255);
}

TEST_F(BatchEdit, TransmitFrequencyModes) {
    BatchRequest r = range(1, 2);
    r.rxStart = QStringLiteral("170");
    r.rxStep = QStringLiteral("2500"); // 170.0, 172.5
    r.txMode = TxMode::Offset;
    r.txOffset = QStringLiteral("3");
    r.txSplit = TxSplit::Plus;
    ApplyBatch(r, only({BatchRx, BatchTx}));
    EXPECT_EQ(tx(1), "17300000");
    EXPECT_EQ(tx(2), "17400000"); // 175.5 limited as a transmit frequency
    EXPECT_EQ(channel(1)->txEntryFlag, 0);

    r.txSplit = TxSplit::Minus;
    ApplyBatch(r, only({BatchTx}));
    EXPECT_EQ(tx(1), "16700000");
    EXPECT_EQ(tx(2), "16950000");

    // An absurd offset (the box takes any digits) still ends at a band limit.
    r.txOffset = QStringLiteral("99999999999999999999");
    ApplyBatch(r, only({BatchTx}));
    EXPECT_EQ(tx(1), "13600000");
    r.txSplit = TxSplit::Plus;
    ApplyBatch(r, only({BatchTx}));
    EXPECT_EQ(tx(1), "17400000");

    r.txMode = TxMode::Start;
    r.txStart = QStringLiteral("160");
    r.txStep = QStringLiteral("12.5");
    r.txDirection = StepDirection::Decrement;
    ApplyBatch(r, only({BatchTx}));
    EXPECT_EQ(tx(1), "16000000");
    EXPECT_EQ(tx(2), "15998750");

    r.txMode = TxMode::SameAsRx;
    ApplyBatch(r, only({BatchTx}));
    EXPECT_EQ(tx(2), rx(2));
}

TEST_F(BatchEdit, TonesStepWrapOrComeFromRandomAndEncodeCanCopyDecode) {
    const int last = static_cast<int>(ToneList().size()) - 1; // 282, D765I
    BatchRequest r = range(1, 3);
    r.rxStart = QStringLiteral("150");
    r.decodePosition = last - 1;
    r.decodeStep = QStringLiteral("1");
    r.encodePosition = 1;
    r.encodeStep = QStringLiteral("2");
    r.encodeDirection = StepDirection::Decrement;
    ApplyBatch(r, only({BatchRx, BatchDecode, BatchEncode}));
    EXPECT_EQ(decode(1), "0372");
    EXPECT_EQ(decode(2), "0373");
    EXPECT_EQ(decode(3), "FFFF"); // past the end: the list starts again
    EXPECT_EQ(encode(1), "0100");
    EXPECT_EQ(encode(2), "0373"); // 1 - 2 wraps to the last entry
    EXPECT_EQ(encode(3), "0371");

    r.decodeRandom = true;
    r.encodeCopyDecode = true;
    double next = 0.9999;
    ApplyBatch(r, only({BatchDecode, BatchEncode}), [&] { return next; });
    EXPECT_EQ(decode(1), "0373");
    EXPECT_EQ(encode(1), "0373");
    next = 0.0;
    r.encodeCopyDecode = false;
    r.encodeRandom = true;
    r.decodeRandom = false;
    r.decodePosition = 1;
    r.decodeStep = QStringLiteral("x"); // not a number: no stepping
    ApplyBatch(r, only({BatchDecode, BatchEncode}), [&] { return next; });
    EXPECT_EQ(r.decodeStep, QStringLiteral("0"));
    EXPECT_EQ(decode(3), "0100");
    EXPECT_EQ(encode(3), "FFFF");
}

TEST_F(BatchEdit, RepeaterLockoutNeedsTheToneTheChannelListensWith) {
    BatchRequest r = range(1, 2);
    r.rxStart = QStringLiteral("150");
    r.lockoutPosition = 2;
    ApplyBatch(r, only({BatchRx, BatchLockout}));
    EXPECT_EQ(channel(1)->busyLockout, 1); // no decode tone: Carrier

    // With reverse on, the encode tone decides.
    app().document.channels[0].encodeTone.assign("0108");
    r.reverse = true;
    r.talkAround = true;
    ApplyBatch(r, only({BatchLockout, BatchReverse, BatchTalkAround}));
    EXPECT_EQ(channel(1)->busyLockout, 2);
    EXPECT_EQ(channel(2)->busyLockout, 1);
    EXPECT_EQ(channel(1)->reverse, 1);
    EXPECT_EQ(channel(1)->talkAround, 1);

    r.powerPosition = 0;
    r.spacingPosition = 0;
    r.lockoutPosition = 3;
    ApplyBatch(r, only({BatchPower, BatchSpacing, BatchLockout}));
    EXPECT_EQ(channel(2)->txPower, 0);
    EXPECT_EQ(channel(2)->spacing, 0);
    EXPECT_EQ(channel(2)->busyLockout, 3);
}

TEST_F(BatchEdit, ApplyLetsOpenWindowsRedisplayOnce) {
    int refreshes = 0;
    hooks().channelsChanged = [&] { ++refreshes; };
    BatchRequest r;
    r.rxStart = QStringLiteral("150");
    const BatchResult result = ApplyBatch(r, only({BatchRx}));
    EXPECT_EQ(result.channelsSet, 128);
    EXPECT_EQ(app().document.channelCount, 128);
    EXPECT_EQ(refreshes, 1);
}

TEST_F(BatchEdit, BoxRules) {
    EXPECT_EQ(RangeBoxValue(QStringLiteral("abc")), QStringLiteral("1"));
    EXPECT_EQ(RangeBoxValue(QString()), QStringLiteral("1"));
    EXPECT_EQ(RangeBoxValue(QStringLiteral("200")), QStringLiteral("128"));
    EXPECT_EQ(RangeBoxValue(QStringLiteral("0")), QStringLiteral("1"));
    EXPECT_EQ(RangeBoxValue(QStringLiteral("7.9")), QStringLiteral("7"));
    EXPECT_EQ(PlainNumberBoxValue(QStringLiteral("12.50")), QStringLiteral("12.5"));
    EXPECT_EQ(PlainNumberBoxValue(QStringLiteral("1..2")), QStringLiteral("0"));
    EXPECT_EQ(NumberBoxValue(QStringLiteral("2.0")), QStringLiteral("2.0"));
    EXPECT_EQ(NumberBoxValue(QStringLiteral("two")), QStringLiteral("0"));
    EXPECT_EQ(FrequencyBoxValue(QStringLiteral("99"), 1), QStringLiteral("136.00000"));
    EXPECT_EQ(FrequencyBoxValue(QStringLiteral("150.1"), 1), QStringLiteral("150.10000"));
    EXPECT_TRUE(messages_.shown().isEmpty());
}

TEST_F(BatchEdit, FunctionFlagsLiveInBatchFunIni) {
    const QString file = path(QStringLiteral("BatchFun.ini"));
    QFile::remove(file);
    LoadBatchFunctionFlags();
    QFile created(file);
    ASSERT_TRUE(created.open(QIODevice::ReadOnly));
    const QByteArray bytes = created.readAll();
    created.close();
    ASSERT_EQ(bytes.size(), 20);
    EXPECT_EQ(bytes.toHex(), QByteArray("0101010101000001010000000001000001010000"));

    batchFlags()[5] = 1;
    batchFlags()[0] = 0;
    ASSERT_TRUE(SaveBatchFunctionFlags());
    batchFlags() = DefaultBatchFlags();
    LoadBatchFunctionFlags();
    EXPECT_EQ(batchFlags()[5], 1);
    EXPECT_EQ(batchFlags()[0], 0);

    // A short file is not trusted: the defaults stay in force.
    QFile shortFile(file);
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write("\x00\x00", 2);
    shortFile.close();
    LoadBatchFunctionFlags();
    EXPECT_EQ(batchFlags(), DefaultBatchFlags());

    // Check boxes to flag bytes: the two swapped pairs and the boxes without a flag.
    EXPECT_EQ(FlagByteOfCheck(12), 11);
    EXPECT_EQ(FlagByteOfCheck(13), 10);
    EXPECT_EQ(FlagByteOfCheck(21), 12);
    EXPECT_EQ(FlagByteOfCheck(14), 13);
    EXPECT_EQ(FlagByteOfCheck(4), -1);
    EXPECT_EQ(FlagByteOfCheck(5), -1);
    EXPECT_EQ(FlagByteOfCheck(22), -1);
}
} // namespace
