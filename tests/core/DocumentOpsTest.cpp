#include "core/DocumentOps.h"
#include "TestSupport.h"
#include "core/Ansi.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/Hooks.h"
#include "core/Messages.h"

#include <QDir>

namespace {
class DocumentOpsTest : public ProgramTest {
  protected:
    // A saved document with three channels and two DTMF list entries.
    void savedWithChannels() {
        InitNewDocument();
        auto& d = app().document;
        d.channelCount = 3;
        for (int i = 0; i < 3; ++i) {
            d.channels[i].number = static_cast<int16>(10 + i);
            d.channels[i].rxFreq.assign("44600000");
        }
        d.settings.dtmfListCount = 2;
        d.settings.dtmfList[0].key = 1;
        d.settings.dtmfList[0].code.assign("111");
        d.settings.dtmfList[1].key = 2;
        d.settings.dtmfList[1].code.assign("222");
        StoreSavedCopy();
    }
};
} // namespace

TEST_F(DocumentOpsTest, NewDocumentWithoutTemplatesTakesTheDefaults) {
    QDir(path("Init")).removeRecursively();
    int resets = 0;
    int idles = 0;
    hooks().resetGridEditState = [&] { ++resets; };
    hooks().setLinkIdle = [&] { ++idles; };
    app().documentName = "old.dat";
    app().isNewDocument = false;
    app().document.channelCount = 5;
    app().sideValues.bandExtension = 1;
    app().radioInfo.seller = "someone";

    InitNewDocument();
    const auto& d = app().document;
    const auto& f = d.settings.features;
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(idles, 1);
    EXPECT_EQ(app().documentName, "new.dat");
    EXPECT_TRUE(app().isNewDocument);
    EXPECT_EQ(d.channelCount, 0);
    EXPECT_EQ(f.optional.totTime, 4);
    EXPECT_EQ(f.optional.totWarning, 5);
    EXPECT_EQ(f.optional.squelchLevel, 4);
    EXPECT_EQ(f.optional.beep, 1);
    EXPECT_EQ(f.optional.botCode.value(), "12345");
    EXPECT_EQ(f.optional.eotCode.value(), "");
    EXPECT_EQ(f.optional.voxLevel, 3);
    EXPECT_EQ(f.optional.voxDelay, 17);
    EXPECT_EQ(f.keys, (KeyAssignment{255, 1, 255, 255}));
    EXPECT_EQ(f.scan.priorityChannel[7], 255);
    EXPECT_EQ(f.scan.lookBackA, 20);
    EXPECT_EQ(f.scan.revertChannel, 1);
    EXPECT_EQ(f.scan.txDwell, 30);
    EXPECT_EQ(f.dtmf.firstDigitDelay, 10);
    EXPECT_EQ(f.dtmf.sideTone, 1);
    EXPECT_EQ(f.dtmf.idCode.raw(), "000       ");
    EXPECT_EQ(f.dtmf.autoResetTimer, 10);
    EXPECT_EQ(f.fleetLink, (FleetLinkSettings{255, 0, 0, 400, 10, 1}));
    EXPECT_EQ(d.settings.messageText1.value(), "");
    EXPECT_EQ(app().sideValues, SideValues{});
    EXPECT_EQ(app().radioInfo, RadioInfoRecord{});
    EXPECT_EQ(d.model.modelName.value(), "VM427");
    EXPECT_EQ(d.model.bandIndex, 2);
    EXPECT_FALSE(IsModified());
}

TEST_F(DocumentOpsTest, ChangesAreSeenByContentNotByOrder) {
    savedWithChannels();
    ASSERT_FALSE(IsModified());
    auto& d = app().document;

    std::swap(d.channels[0], d.channels[2]);
    std::swap(d.settings.dtmfList[0], d.settings.dtmfList[1]);
    EXPECT_FALSE(IsModified());
    d.channels[5].txPower = 1; // past the count: not a channel
    EXPECT_FALSE(IsModified());

    d.channels[1].txPower ^= 1;
    EXPECT_TRUE(IsModified());
    d.channels[1].txPower ^= 1;
    d.channels[0].number = 99; // the saved channel 12 no longer exists
    EXPECT_TRUE(IsModified());
    d.channels[0].number = 12;
    ASSERT_FALSE(IsModified());

    d.settings.dtmfList[0].code.assign("333");
    EXPECT_TRUE(IsModified());
    d.settings.dtmfList[0].code.assign("222");
    d.settings.messageText2.assign("HELLO");
    EXPECT_TRUE(IsModified());
    d.settings.messageText2 = app().savedDocument.settings.messageText2;
    app().sideValues.alertUnlocked = 1;
    EXPECT_TRUE(IsModified());
    app().sideValues.alertUnlocked = 0;
    d.settings.features.fleetLink.ownId = 7;
    EXPECT_TRUE(IsModified());
    d.settings.features.fleetLink.ownId = 0;
    d.settings.reservedListCount = 1;
    EXPECT_TRUE(IsModified());
}

TEST_F(DocumentOpsTest, ModelAndBandFollowTheRecord) {
    EXPECT_EQ(BandTextOf(7), "400 - 480 MHz");
    EXPECT_EQ(BandTextOf(-1), "400 - 480 MHz");
    EXPECT_EQ(BandTextOf(1), "200 - 260 MHz");
    EXPECT_EQ(BandIndexOf("350 - 370 MHz"), 0);
    EXPECT_EQ(BandIndexOf("200 - 260 MHz"), 1);
    app().bandText = "200 - 260 MHz";
    SetBandLimits();
    EXPECT_DOUBLE_EQ(app().bandLower, 200);
    EXPECT_DOUBLE_EQ(app().bandUpper, 260);

    ModelRecord m;
    m.modelName.assign(" VM4");
    m.bandIndex = 0;
    ApplyDocumentModel(m);
    EXPECT_EQ(app().currentModel, "VM4");
    EXPECT_EQ(app().bandText, "136 - 174 MHz");
    EXPECT_DOUBLE_EQ(app().bandUpper, 174);

    app().currentModel = "AB";
    StoreSavedCopy();
    EXPECT_EQ(app().savedDocument.model.modelName.raw(), QByteArray("AB\0  ", 5));
    EXPECT_EQ(app().savedDocument.model.bandIndex, 0);
}

TEST_F(DocumentOpsTest, MessageTableInBothLanguages) {
    EXPECT_EQ(MessageText(Msg::NeedOneChannel),
              "Only when it at least has data of one channel,  can it be writed.");
    EXPECT_EQ(MessageText(Msg::ReadConfirm), "Read data from radio.\r\nDo you wish continue?");
    EXPECT_EQ(MessageText(Msg::WriteConfirm, Chinese), "向对讲机写入数据。\r\n是否继续？");
    app().languageIndex = Chinese;
    EXPECT_EQ(MessageText(Msg::FileError), "文件错误。");
    for (int m = 0; m <= static_cast<int>(Msg::FreqOutOfRange); ++m) {
        EXPECT_FALSE(MessageText(static_cast<Msg>(m), English).isEmpty()) << m;
        EXPECT_FALSE(MessageText(static_cast<Msg>(m), Chinese).isEmpty()) << m;
        EXPECT_NE(MessageText(static_cast<Msg>(m), English),
                  MessageText(static_cast<Msg>(m), Chinese));
    }
}

TEST_F(DocumentOpsTest, CodePagesKeepEveryByte) {
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(static_cast<char>(i));
    EXPECT_EQ(ToCodePage(FromCodePage(all, false), false), all);
    EXPECT_EQ(FromCodePage("\x80\xe9", false), QString::fromUtf8("€é"));
    const QString chinese = QString::fromUtf8("文件错误");
    EXPECT_EQ(ToCodePage(chinese, true).toHex(), "cec4bcfeb4edcef3");
    EXPECT_EQ(FromCodePage(ToCodePage(chinese, true), true), chinese);
}

// The lists no window shows still count: each field of a Fleet Link and a reserved
// list entry (found by key, whatever its position) is seen when it changes.
TEST_F(DocumentOpsTest, HiddenListFieldsCount) {
    savedWithChannels();
    auto& s = app().document.settings;
    s.fleetLinkListCount = 2;
    s.reservedListCount = 2;
    for (int i = 0; i < 2; ++i) {
        s.fleetLinkList[i] = FleetLinkListEntry{int16(i + 1), int16(10 + i), 70000 + i};
        s.reservedList[i].key = int16(i + 1);
    }
    StoreSavedCopy();
    std::swap(s.fleetLinkList[0], s.fleetLinkList[1]);
    std::swap(s.reservedList[0], s.reservedList[1]);
    ASSERT_FALSE(IsModified());

    const std::function<void()> changes[] = {
        [&] { s.fleetLinkList[0].idCode += 1; },
        [&] { s.fleetLinkList[1].fleetCode += 1; },
        [&] { s.fleetLinkList[0].key = 3; },
        [&] { s.reservedList[1].text1.assign("A"); },
        [&] { s.reservedList[0].text2.assign("B"); },
        [&] { s.reservedList[1].value1 = 5; },
        [&] { s.reservedList[0].value2 = 6; },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        const SettingsRecord unchanged = s;
        changes[i]();
        EXPECT_TRUE(IsModified()) << "change " << i;
        s = unchanged;
        ASSERT_FALSE(IsModified());
    }
}
