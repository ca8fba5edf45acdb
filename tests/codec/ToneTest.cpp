#include "codec/Frequency.h"
#include "codec/Tone.h"
#include "TestSupport.h"
#include "core/AppState.h"

#include <QFile>

namespace {
class ToneTest : public ProgramTest {};
} // namespace

TEST_F(ToneTest, ListHoldsEveryKindInItsPlace) {
    const QStringList& list = ToneList();
    ASSERT_EQ(list.size(), 283);
    EXPECT_EQ(list.at(0), "None");
    EXPECT_EQ(list.at(1), "67.0");
    EXPECT_EQ(list.at(50), "254.1");
    EXPECT_EQ(list.at(51), "D017N");
    EXPECT_EQ(list.at(52), "D023N");
    EXPECT_EQ(list.at(166), "D765N");
    EXPECT_EQ(list.at(167), "D017I");
    EXPECT_EQ(list.at(168), "D023I");
    EXPECT_EQ(list.at(282), "D765I");
    QStringList copy = list;
    EXPECT_EQ(copy.removeDuplicates(), 0);
}

TEST_F(ToneTest, DisplayWorkingAndImageFormsConvert) {
    const std::pair<const char*, const char*> cases[] = {
        {"67.0", "0100"},  {"88.5", "0108"},  {"254.1", "0131"}, {"D017N", "0200"},
        {"D765N", "0273"}, {"D017I", "0300"}, {"D754I", "0372"}, {"D765I", "0373"}};
    for (const auto& [display, working] : cases) {
        EXPECT_EQ(ShowToToneData(display), working) << display;
        EXPECT_EQ(ToneDataToShow(working), display) << working;
    }
    const auto image = ToneDataToImage("0372");
    EXPECT_EQ(image[0], 0x03);
    EXPECT_EQ(image[1], 0x72);
    EXPECT_EQ(ImageToToneData(0x01, 0x31), "0131");
    EXPECT_EQ(ImageToToneData(0xFF, 0xFF), kNoTone);
    EXPECT_EQ(ImageToToneData(0x02, 0x0A), "020A");
    EXPECT_EQ(ToneDataToImage(kNoTone), (std::array<std::uint8_t, 2>{0xFF, 0xFF}));
    EXPECT_EQ(ShowToToneData(""), "");
}

TEST_F(ToneTest, NoneWordFollowsTheLanguageButValuesDoNot) {
    EXPECT_EQ(ShowToToneData("None"), kNoTone);
    EXPECT_EQ(ToneDataToShow(kNoTone), "None");
    app().languageIndex = Chinese;
    EXPECT_EQ(ToneList().at(0), "无");
    EXPECT_EQ(ToneDataToShow(kNoTone), "无");
    EXPECT_EQ(ShowToToneData("无"), kNoTone);
    EXPECT_EQ(ShowToToneData("D023N"), "0201");
    app().languageIndex = English;
    EXPECT_EQ(ToneList().at(0), "None");
}

TEST_F(ToneTest, IndexesPastTheirTableShowNone) {
    // Possible from a damaged file or radio: never read outside the list.
    for (const char* working : {"0132", "01FF", "0274", "02FF", "0374", "03FF", "ZZZZ", "01"})
        EXPECT_EQ(ToneDataToShow(working), "None") << working;
    // Unknown kinds read as CTCSS.
    EXPECT_EQ(ToneDataToShow("0708"), "88.5");
    // A text in no table gives the miss index without reading past the list.
    EXPECT_EQ(FindToneIndex("D999I", ToneKind::DcsInverted), 116);
    EXPECT_EQ(FindToneIndex("D765I", ToneKind::DcsInverted), 115);
    EXPECT_EQ(FindToneIndex("D023N", ToneKind::Ctcss), 116);
    EXPECT_FALSE(IsToneListText("D999I"));
    EXPECT_TRUE(IsToneListText("D765I"));
}

TEST_F(ToneTest, DecTableReadAtStartUp) {
    ASSERT_TRUE(ReadDecTable());
    EXPECT_TRUE(messages_.shown().isEmpty());
    EXPECT_GE(DecTable()[50], 256);
    EXPECT_LT(DecTable()[49], 256);

    QFile::resize(path("dec.tbl"), 50);
    EXPECT_FALSE(ReadDecTable());
    QFile::remove(path("dec.tbl"));
    EXPECT_FALSE(ReadDecTable());
    EXPECT_EQ(messages_.texts(),
              (QStringList{"Read dec.TBL File Error!", "Read dec.TBL File Error!"}));
}

// A working text ends at its first NUL: one that starts with a NUL (a damaged
// data file) is empty for the grid and for the radio alike, never a tone or a
// frequency made of the bytes after it.
TEST_F(ToneTest, WorkingTextStartingWithNulIsEmpty) {
    const QString nul(QChar(0));
    EXPECT_EQ(ToneDataToShow(nul + "108"), "");
    const auto tone = ToneDataToImage(nul + "108");
    EXPECT_EQ(tone[0], 0xFF);
    EXPECT_EQ(tone[1], 0xFF);
    EXPECT_EQ(ToneDataToShow("0108" + nul), "88.5");
    EXPECT_EQ(FreDataToShow(nul + "4660000"), "");
    EXPECT_EQ(FreDataToImage(nul + "14652500"), (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_TRUE(messages_.shown().isEmpty());
}
