// Rules of the feature editors that hold without a window: the PTT ID code key
// filter and the list texts that become stored values.

#include "features/OptFeatRules.h"
#include "features/ScanRules.h"

#include <gtest/gtest.h>

TEST(FeatureRules, PttCodeKeysPassOnlyDialableCharacters) {
    for (char c : QByteArray("0123456789#*ABCD"))
        EXPECT_EQ(FilterPttCodeKey(c), c) << c;
    EXPECT_EQ(FilterPttCodeKey('a'), 'A');
    EXPECT_EQ(FilterPttCodeKey('d'), 'D');
    for (int dropped : {int('e'), int('E'), int(' '), int('+'), 3, 22, 24, 128, 0x4E2D})
        EXPECT_EQ(FilterPttCodeKey(dropped), 0) << dropped;
    EXPECT_EQ(FilterPttCodeKey(8), 8) << "Backspace passes";
    EXPECT_EQ(FilterPttCodeKey(127), 127);
    EXPECT_EQ(FilterPttCodeKey('\r'), -1) << "Enter moves on";
}

TEST(FeatureRules, ListTextsBecomeStoredValues) {
    OptionalFeatures f;
    SideValues side;
    SaveOptFeat(OptTotTime, {QStringLiteral("45"), 3, 0}, f, side);
    EXPECT_EQ(f.totTime, 3);
    f.squelchLevel = 7;
    SaveOptFeat(OptSquelchLevel, {QString(), -1, 0}, f, side);
    EXPECT_EQ(f.squelchLevel, 7) << "no selection keeps the value";
    f.voicePrompt = 3;
    SaveOptFeat(OptVoicePrompt, {QStringLiteral("Klingon"), 0, 0}, f, side);
    EXPECT_EQ(f.voicePrompt, 3) << "an unknown text keeps the value";
    SaveOptFeat(OptBotCode, {QStringLiteral("12A#"), -1, 0}, f, side);
    EXPECT_EQ(f.botCode.raw(), QByteArray("12A#            ")) << "blank-padded, no NUL";
    SaveOptFeat(OptFunctionLocked, {QString(), -1, 0}, f, side);
    EXPECT_EQ(side.functionUnlocked, 1);

    EXPECT_EQ(VoxDelayItems().first(), "0.3");
    EXPECT_EQ(VoxDelayItems().last(), "3.0");
    EXPECT_EQ(VoxDelayItems().size(), 28);
    EXPECT_EQ(TotTimeItems().size(), 41);
    EXPECT_EQ(ScanTimeItems(),
              QStringList({"1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0"}));
    EXPECT_EQ(ScanTimeValue(QStringLiteral("4.5")), 45);
    EXPECT_EQ(ScanTimeText(12), "1.2");
}
