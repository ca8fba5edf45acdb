#include "TestSupport.h"

#include "channels/ChannelImage.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/DocumentOps.h"
#include "core/Messages.h"
#include "features/OptionalFeaturesImage.h"
#include "link/ImageConversion.h"
#include "link/ModelCheck.h"
#include "link/RadioInfoImage.h"

namespace {

QByteArray Bytes(int offset, int length) {
    return QByteArray(reinterpret_cast<const char*>(&app().image[static_cast<std::size_t>(offset)]),
                      length);
}

// A document that uses every value the image holds, with all 128 channels in
// scrambled table order, and recognisable values in what the image does not hold.
void FillDocument() {
    DocumentRecord& doc = app().document;
    doc.channelCount = 128;
    for (int i = 0; i < 128; ++i) {
        const int n = (i * 37) % 128 + 1;
        ChannelEntry& e = doc.channels[static_cast<std::size_t>(i)];
        e = ChannelEntry{};
        e.number = static_cast<int16>(n);
        e.inUse = 1;
        e.rxFreq.assign(QByteArray::number(40000000 + n * 1250));
        e.txFreq.assign(n % 5 == 0 ? QByteArray("FFFFFFFF")
                                   : QByteArray::number(47000000 + n * 625));
        e.txEntryFlag = n % 5 == 0 ? 1 : 0;
        e.decodeTone.assign(n % 3 == 0 ? QByteArray("FFFF")
                                       : QByteArray("01") + QByteArray::number(10 + n % 40));
        e.encodeTone.assign(n % 4 == 0 ? QByteArray("FFFF") : QByteArray("0203"));
        e.spacing = n % 2;
        e.talkAround = (n / 2) % 2;
        e.reverse = (n / 4) % 2;
        e.txPower = (n / 8) % 2;
        e.busyLockout = static_cast<int16>(n % 3);
        e.scanAdd = (n / 3) % 2;
    }
    doc.model.modelName.assign("VM427");
    doc.model.bandIndex = 2;
    FeatureBlock& f = doc.settings.features;
    // Every optional feature at a non-default value inside its range.
    const std::uint8_t optional[16] = {40, 7, 3, 4, 9, 1, 0, 1, 1, 1, 8, 27, 1, 1, 1, 1};
    RadioImage bytes{};
    std::copy(std::begin(optional), std::end(optional), bytes.begin() + 2224);
    ImageToOptionalFeatures(bytes, f.optional, app().sideValues);
    f.optional.micSensitivity = 1;
    f.optional.pttIdMode = 2;
    f.optional.botCode.assign("*123#");
    f.optional.eotCode.assign("ABCD");
    f.keys = KeyAssignment{9, 12, 0, 255};
    f.scan.priorityType = 2;
    f.scan.priorityChannel = {16, 1, 0, 255, 5, 6, 7, 8};
    f.scan.lookBackA = 50;
    f.scan.lookBackB = 1;
    f.scan.revertChannel = 3;
    f.scan.dropoutDelay = 0;
    f.scan.txDwell = 45;
    f.dtmf.idCode.assign("987");
    f.dtmf.stunType = 3;
    f.fleetLink.ownId = 123456;
    doc.settings.dtmfListCount = 2;
    doc.settings.dtmfList[1].code.assign("55");
    doc.settings.reservedListCount = 1;
    doc.settings.fleetLinkListCount = 3;
    doc.settings.messageText1.assignTerminated("WELCOME  TO");
    doc.settings.messageText2.assign("0123456789012345678901234567890X");
    app().sideValues = SideValues{1, 0, 1};
}

} // namespace

class ImageConversionTest : public ProgramTest {};

TEST_F(ImageConversionTest, DocumentToImageAndBackKeepsEveryHeldField) {
    FillDocument();
    FillImage();
    RecordsToImage();
    const DocumentRecord before = app().document;
    const SideValues sideBefore = app().sideValues;

    // Reading into a document that held other things.
    DocumentRecord& doc = app().document;
    doc.channelCount = 3;
    doc.settings.features.optional = OptionalFeatures{};
    doc.settings.features.optional.micSensitivity = 1;
    doc.settings.features.optional.pttIdMode = 2;
    doc.settings.features.optional.botCode = before.settings.features.optional.botCode;
    doc.settings.features.optional.eotCode = before.settings.features.optional.eotCode;
    doc.settings.features.keys = KeyAssignment{};
    doc.settings.features.scan = ScanSettings{};
    doc.settings.messageText1.assign("x");
    doc.settings.messageText2.assign("y");
    app().sideValues = SideValues{};
    app().bandText = BandTextOf(0);
    ImageToRecords();

    ASSERT_EQ(doc.channelCount, 128);
    for (int i = 0; i < 128; ++i) {
        const ChannelEntry& got = doc.channels[static_cast<std::size_t>(i)];
        EXPECT_EQ(got.number, i + 1);
        const ChannelEntry* want = nullptr;
        for (const auto& e : before.channels)
            if (e.number == got.number) want = &e;
        ASSERT_TRUE(want);
        EXPECT_EQ(got, *want) << "channel " << got.number;
    }
    EXPECT_EQ(doc.settings, before.settings);
    EXPECT_EQ(app().sideValues, sideBefore);
    EXPECT_EQ(doc.model.bandIndex, 2);
    EXPECT_EQ(app().bandText, "400 - 480 MHz");
    EXPECT_EQ(app().currentModel, "VM427");

    // Writing again gives the same image.
    const RadioImage first = app().image;
    FillImage();
    RecordsToImage();
    EXPECT_EQ(app().image, first);
}

TEST_F(ImageConversionTest, WriteTouchesOnlyTheConvertedBytes) {
    FillDocument();
    app().document.channelCount = 0;
    FillImage();
    RecordsToImage();
    const RadioImage& image = app().image;
    for (int i = 0; i < 0x890; ++i)
        ASSERT_EQ(image[static_cast<std::size_t>(i)], 0xFF) << i;
    EXPECT_EQ(Bytes(0x890, 32), QByteArray(32, '\0'));
    for (int at : {2241, 2247, 2250, 2251, 2253, 2254, 2255, 2260, 2263, 2272, 2575, 2640, 2647,
                   2653, 2654, 2687, 2688, 4095})
        EXPECT_EQ(image[static_cast<std::size_t>(at)], 0xFF) << at;
    EXPECT_EQ(Bytes(2641, 6), QByteArray("VM427\x02", 6));

    // A shorter model name is followed by 0x00; the band follows the band text.
    app().currentModel = "AB1";
    app().bandText = BandTextOf(1);
    RecordsToImage();
    EXPECT_EQ(Bytes(2641, 6), QByteArray("AB1\0\0\x01", 6));
}

TEST_F(ImageConversionTest, ModelAndBandReadFromTheImage) {
    FillImage();
    ModelRecord model = ImageToModel(app().image);
    EXPECT_EQ(model.modelName.raw(), QByteArray(5, '\0'));
    EXPECT_EQ(model.bandIndex, 2); // 0xFF falls back to the last band
    const QByteArray ident("VM4\xff\xff\x07", 6);
    std::copy(ident.begin(), ident.end(), app().image.begin() + 2641);
    ImageToRecords();
    EXPECT_EQ(app().currentModel, "VM4");
    EXPECT_EQ(app().bandText, "400 - 480 MHz");
    EXPECT_EQ(app().bandUpper, 480);
    EXPECT_EQ(app().document.model.bandIndex, 2);
    app().image[2646] = 0;
    ImageToRecords();
    EXPECT_EQ(app().bandText, "136 - 174 MHz");
    EXPECT_EQ(app().bandLower, 136);
    // An erased radio: no channels, feature replacements, empty messages.
    EXPECT_EQ(app().document.channelCount, 0);
    EXPECT_EQ(app().document.settings.features.optional.totTime, 4);
    EXPECT_EQ(app().document.settings.features.keys, (KeyAssignment{255, 255, 255, 255}));
    EXPECT_EQ(app().document.settings.messageText1.value(), "");
}

TEST_F(ImageConversionTest, RadioInformationTextsAndFlags) {
    FillImage();
    RadioImage& image = app().image;
    image[2688] = 0x02;
    const QByteArray model("VM427");
    std::copy(model.begin(), model.end(), image.begin() + 2689);
    image[2694] = 3;
    const QByteArray area("0755");
    std::copy(area.begin(), area.end(), image.begin() + 2696);
    const QByteArray serial("SN1234\0TAIL", 11);
    std::copy(serial.begin(), serial.end(), image.begin() + 2704);
    const QByteArray reason(96, 'R');
    std::copy(reason.begin(), reason.end(), image.begin() + 2832);
    image[2928] = 'X'; // past the area
    ApplyRadioInfoFromImage();
    const RadioInfoRecord& info = app().radioInfo;
    EXPECT_EQ(info.flags, 2);
    EXPECT_EQ(info.modelText, "VM427");
    EXPECT_EQ(info.bandIndex, 3);
    EXPECT_EQ(info.areaCode, "0755");
    EXPECT_EQ(info.serialNumber, "SN1234");
    EXPECT_EQ(info.productionDate, "");
    EXPECT_EQ(info.productionBatch, "");
    EXPECT_EQ(info.repairReason, QString(96, 'R'));
    EXPECT_EQ(app().radioFlags, (std::array<int16, 3>{0, 1, 0}));

    // A flag once set stays set; unset flags keep following the radio.
    image[2688] = 0x05;
    ApplyRadioInfoFromImage();
    EXPECT_EQ(app().radioFlags, (std::array<int16, 3>{1, 1, 1}));
    image[2688] = 0x00;
    ImageToRecords();
    EXPECT_EQ(app().radioFlags, (std::array<int16, 3>{1, 1, 1}));
}

TEST_F(ImageConversionTest, ModelAndBandCheck) {
    app().bandText = BandTextOf(2);
    EXPECT_TRUE(CheckModelAndBand(QByteArray("PVM427\x02", 7) + QByteArray(7, '\0')));
    EXPECT_TRUE(messages_.shown().isEmpty());

    EXPECT_FALSE(CheckModelAndBand("VM428", 2));
    ASSERT_EQ(messages_.shown().size(), 1);
    EXPECT_EQ(messages_.shown()[0].text, MessageText(Msg::ModelWrong));
    EXPECT_EQ(messages_.shown()[0].buttons, MsgButtons::Ok);
    // Model wrong and band wrong: only the model message.
    EXPECT_FALSE(CheckModelAndBand("VM428", 0));
    EXPECT_EQ(messages_.shown().size(), 2);

    messages_.clear();
    messages_.answer(MsgAnswer::Ok);
    EXPECT_TRUE(CheckModelAndBand("VM427", 0));
    messages_.answer(MsgAnswer::Cancel);
    EXPECT_FALSE(CheckModelAndBand("VM427", 1));
    ASSERT_EQ(messages_.shown().size(), 2);
    EXPECT_EQ(messages_.shown()[1].text, MessageText(Msg::BandDifferent));
    EXPECT_EQ(messages_.shown()[1].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(messages_.shown()[1].icon, MsgIcon::Warning);

    // A reply too short to hold a band never passes.
    EXPECT_FALSE(CheckModelAndBand(QByteArray("PVM427")));
}
