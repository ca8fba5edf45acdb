#include "TestSupport.h"

#include "compare/DocumentCompare.h"
#include "core/AppState.h"
#include "core/DocumentOps.h"
#include "link/ImageConversion.h"

#include <functional>
#include <utility>
#include <vector>

namespace {

class DocumentCompareTest : public ProgramTest {
  protected:
    // Channels 5 and 20 (440.000 / 445.000 MHz), the defaults elsewhere.
    DocumentSnapshot base() {
        InitNewDocument();
        DocumentRecord& doc = app().document;
        doc.channelCount = 0;
        AppendTestChannel(doc, 5);
        AppendTestChannel(doc, 20);
        doc.model.bandIndex = 2;
        doc.settings.features.keys.pf1Short = 255;
        doc.settings.features.scan.lookBackA = 20;
        doc.settings.features.optional.squelchLevel = 4;
        doc.settings.messageText2.assignTerminated("");
        doc.settings.dtmfListCount = 0;
        app().sideValues = SideValues{};
        return OpenDocumentSnapshot();
    }
};

struct Change {
    const char* what;
    std::function<void(DocumentSnapshot&)> apply;
    QStringList expected; // place, field, this value, other value
};

QStringList Fields(const Difference& d) {
    return {d.place, d.field, d.mine, d.theirs};
}

} // namespace

// Each chosen change is listed exactly once, in the windows' words, and nothing
// else; all of them together are listed in the order model, channels, settings,
// messages, other data; a document compared with itself or with its channel table
// in another order has no difference.
TEST_F(DocumentCompareTest, ListsExactlyTheChosenDifferences) {
    const DocumentSnapshot original = base();
    const std::vector<Change> changes = {
        {"band",
         [](DocumentSnapshot& d) { d.record.model.bandIndex = 1; },
         {"Model Information", "Frequency", "400 - 480 MHz", "200 - 260 MHz"}},
        {"RX of channel 5",
         [](DocumentSnapshot& d) { d.record.channels[0].rxFreq.assign("44112500"); },
         {"Channel 5", "RX Frequency", "440.00000", "441.12500"}},
        {"TX power of channel 5",
         [](DocumentSnapshot& d) { d.record.channels[0].txPower = 1; },
         {"Channel 5", "TX Power", "Low", "High"}},
        {"channel 20 deleted",
         [](DocumentSnapshot& d) { d.record.channelCount = 1; },
         {"Channel 20", "RX Frequency", "440.00000", "(no channel)"}},
        {"alert locked (a side value)",
         [](DocumentSnapshot& d) { d.side.alertUnlocked = 1; },
         {"Function Setup", "Alert Locked", "On", "Off"}},
        {"key PF1",
         [](DocumentSnapshot& d) { d.record.settings.features.keys.pf1Short = 4; },
         {"Key Setting", "PF1", "None", "Scan"}},
        {"look-back time A",
         [](DocumentSnapshot& d) { d.record.settings.features.scan.lookBackA = 35; },
         {"Scan Information", "Look Back Time A[s]", "2.0", "3.5"}},
        {"message line 2",
         [](DocumentSnapshot& d) { d.record.settings.messageText2.assignTerminated("HELLO"); },
         {"Embedded Message", "Line 2", "", "HELLO"}},
        {"DTMF list",
         [](DocumentSnapshot& d) {
             d.record.settings.dtmfListCount = 1;
             d.record.settings.dtmfList[0] = DtmfListEntry{3, {}};
             d.record.settings.dtmfList[0].code.assign("123");
         },
         {"Data no window shows", "DTMF list", "[0] ", "[1] 3:123"}},
    };

    DocumentSnapshot all = original;
    for (const Change& change : changes) {
        DocumentSnapshot changed = original;
        change.apply(changed);
        change.apply(all);
        const QList<Difference> found = CompareDocuments(original, changed);
        ASSERT_EQ(found.size(), 1) << change.what << ": " << DifferenceReport(found).toStdString();
        EXPECT_EQ(Fields(found.first()), change.expected) << change.what;
        EXPECT_TRUE(CompareDocuments(changed, changed).isEmpty()) << change.what;
    }
    QList<QStringList> listed;
    for (const Difference& d : CompareDocuments(original, all))
        listed.append(Fields(d));
    QList<QStringList> expected;
    for (const Change& change : changes)
        expected.append(change.expected);
    EXPECT_EQ(listed, expected);

    DocumentSnapshot reordered = original;
    std::swap(reordered.record.channels[0], reordered.record.channels[1]);
    EXPECT_TRUE(CompareDocuments(original, reordered).isEmpty());
    EXPECT_EQ(DifferenceReport({}), "No differences.\n");
    EXPECT_EQ(DifferenceLine(CompareDocuments(original, all).at(1)),
              "Channel 5\tRX Frequency\t440.00000\t441.12500");

    app().languageIndex = Chinese;
    EXPECT_EQ(DifferenceName(CompareDocuments(original, all).at(1)), "信道5 接收频率");
    EXPECT_EQ(DifferenceReport({}), "无差别。\n");
}

// Against a radio only what a write sends counts: the fields the radio cannot
// hold differ without being listed, a changed byte of the radio is listed.
TEST_F(DocumentCompareTest, RadioComparisonListsOnlyWhatTheRadioHolds) {
    const DocumentSnapshot original = base();
    RadioImage radio;
    radio.fill(0xFF);
    DocumentToImage(original.record, original.side, QStringLiteral("VM427"), 2, radio);

    DocumentSnapshot mine = original;
    mine.record.channels[0].txEntryFlag = 1;                      // not sent
    mine.record.settings.features.dtmf.groupCode = 9;             // not sent
    mine.record.settings.features.optional.botCode.assign("999"); // not sent
    mine.record.settings.reservedList[0].key = 4;
    mine.record.settings.reservedListCount = 1; // not sent
    ASSERT_EQ(CompareDocuments(original, mine).size(), 4);
    EXPECT_TRUE(CompareWithRadioImage(mine, radio).isEmpty())
        << DifferenceReport(CompareWithRadioImage(mine, radio)).toStdString();

    mine.record.settings.features.optional.squelchLevel = 8; // sent
    radio[16 + 1] ^= 0x01;                                   // channel 1's slot: not a channel
    const QList<Difference> found = CompareWithRadioImage(mine, radio);
    ASSERT_EQ(found.size(), 1) << DifferenceReport(found).toStdString();
    EXPECT_EQ(Fields(found.first()), QStringList({"Function Setup", "Squelch Level", "8", "4"}));
}
