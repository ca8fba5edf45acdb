// Rules of the feature editors that hold without a window: the PTT ID code key
// filter and the list texts that become stored values.

#include "features/KeyRules.h"
#include "features/OptFeatRules.h"
#include "features/ScanRules.h"

#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <optional>
#include <string>

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

// Each rule that picks the list item showing a stored value, at both ends of its
// list and one step past them (nothing: no item is selected and the value stays).
TEST(FeatureRules, ShownItemsAtTheEndsOfEveryList) {
    const std::optional<int> none;
    struct Row {
        const char* rule;
        int value;
        std::optional<int> shown;
    };
    const auto callResponse = [](int v) { return CallResponseShownIndex(int16(v)); };
    const auto totTime = [](int v) { return TotTimeShownIndex(int16(v)); };
    const auto totWarning = [](int v) { return std::optional<int>(TotWarningShownIndex(int16(v))); };
    const auto pttId = [](int v) { return PttIdShownIndex(int16(v), 2); };
    const auto plain = [](int v) { return IndexShown(v, 3); };
    const auto key = [](int v) { return std::optional<int>(KeyShownIndex(int16(v))); };
    const std::map<std::string, std::function<std::optional<int>(int)>> rules{
        {"call response", callResponse}, {"TOT", totTime}, {"TOT warning", totWarning},
        {"PTT ID", pttId},               {"plain", plain}, {"key", key}};
    const Row rows[] = {
        {"call response", -1, none}, {"call response", 0, 0}, {"call response", 4, 4},
        {"call response", 5, 0},     {"TOT", -1, 0},          {"TOT", 0, 0},
        {"TOT", 1, 1},               {"TOT", 40, 40},         {"TOT", 41, none},
        {"TOT warning", 4, 0},       {"TOT warning", 5, 0},   {"TOT warning", 10, 5},
        {"TOT warning", 11, 0},      {"PTT ID", -1, none},    {"PTT ID", 0, 0},
        {"PTT ID", 1, 1},            {"PTT ID", 2, 0},        {"plain", -1, none},
        {"plain", 0, 0},             {"plain", 2, 2},         {"plain", 3, none},
        {"key", 0, 0},               {"key", 9, 9},           {"key", 10, 10},
        {"key", 254, 10},            {"key", 255, 0},         {"key", -1, 10},
    };
    for (const Row& row : rows)
        EXPECT_EQ(rules.at(row.rule)(row.value), row.shown) << row.rule << " " << row.value;

    // Key code 0 is "None", the first item of every key list, and stores 0; 255
    // shows the same item; an unoffered code adds one item that keeps it.
    const QList<KeyListItem> items = KeyListItems(0);
    ASSERT_EQ(items.size(), kOfferedKeyFunctions);
    EXPECT_EQ(items[0].text, "None");
    EXPECT_EQ(items[0].code, 0);
    EXPECT_EQ(KeyListItems(255).size(), kOfferedKeyFunctions);
    EXPECT_EQ(KeyListItems(10).size(), kOfferedKeyFunctions + 1);
    EXPECT_EQ(KeyListItems(10).last().code, 10);
}
