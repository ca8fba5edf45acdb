#include "TestSupport.h"

#include "channels/ChannelTable.h"
#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentEdits.h"
#include "core/DocumentOps.h"
#include "exchange/ChannelImport.h"
#include "history/EditHistory.h"

namespace {
class EditHistoryTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        InstallEditHistory();
        InitNewDocument(); // a new document starts a new history
    }
    static QByteArray bytes() { return SerializeDocument(app().document); }
    EditHistory& history = editHistory();
};
} // namespace

// Every reported edit that changed something is one step, nested edits included;
// undo restores the record exactly and the change test follows; redo gives the
// edits back; a new edit drops the redo steps; a new document drops them all.
TEST_F(EditHistoryTest, StepsUndoAndRedoExactly) {
    const QByteArray start = bytes();
    ASSERT_FALSE(IsModified());
    ChangeChannelData(1, 1, FieldRxFreq, QStringLiteral("440.12500"));
    {
        const DocumentEdit batch; // one step, however many stores it makes
        for (int row = 2; row <= 4; ++row)
            ChangeChannelData(1, row, FieldRxFreq, QStringLiteral("441.00000"));
        app().sideValues.bandExtension = 1;
    }
    DocumentEdited(); // nothing changed since: no step
    ASSERT_EQ(history.undoSteps(), 2);
    const QByteArray edited = bytes();
    EXPECT_EQ(history.undoName(), "Channel 2 RX Frequency (+3)");

    ASSERT_TRUE(history.undo());
    EXPECT_EQ(history.undoName(), "Channel 1 RX Frequency");
    EXPECT_EQ(history.redoName(), "Channel 2 RX Frequency (+3)");
    ASSERT_TRUE(history.undo());
    EXPECT_FALSE(history.undo());
    EXPECT_EQ(bytes(), start);
    EXPECT_EQ(app().sideValues.bandExtension, 0);
    EXPECT_FALSE(IsModified());

    ASSERT_TRUE(history.redo());
    ASSERT_TRUE(history.redo());
    EXPECT_FALSE(history.redo());
    EXPECT_EQ(bytes(), edited);
    EXPECT_TRUE(IsModified());

    history.undo();
    ChangeChannelData(8, 16, FieldRxFreq, QStringLiteral("479.00000"));
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undoSteps(), 2);

    // A channel table imported, pasted or cleared in one go is one step, named
    // after what the user did in the language shown, for undo and redo alike.
    const struct {
        ChannelTableStep step;
        const char* en;
        const char* zh;
    } steps[] = {{ChannelTableStep::Import, "Import Channels", "导入信道"},
                 {ChannelTableStep::Paste, "Paste Channels", "粘贴信道"},
                 {ChannelTableStep::Clear, "Clear Channels", "清除信道"}};
    for (const auto& step : steps) {
        const QByteArray beforeImport = bytes();
        DocumentRecord imported = app().document;
        AppendTestChannel(imported, 100);
        AppendTestChannel(imported, 101);
        ReplaceChannelTable(imported, ChannelTableStepName(step.step));
        EXPECT_EQ(history.undoName(), QString::fromUtf8(step.en));
        app().languageIndex = Chinese;
        EXPECT_EQ(history.undoName(), QString::fromUtf8(step.zh));
        app().languageIndex = English;
        history.undo();
        EXPECT_TRUE(bytes() == beforeImport);
        EXPECT_EQ(history.redoName(), QString::fromUtf8(step.en));
        // The next edit is named by its field again.
        ChangeChannelData(8, 16, FieldRxFreq, QStringLiteral("478.00000"));
        EXPECT_TRUE(history.undoName().startsWith("Channel 128 RX Frequency"))
            << history.undoName().toStdString();
        history.undo();
    }

    ASSERT_TRUE(SaveDataFile(path("a.dat")));
    ASSERT_TRUE(LoadDataFile(path("a.dat")));
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
}

// The oldest steps go beyond 1,000; an edit that changed nothing is no step.
TEST_F(EditHistoryTest, KeepsTheLastThousandSteps) {
    int16& squelch = app().document.settings.features.optional.squelchLevel;
    for (int i = 1; i <= EditHistory::kLimit + 5; ++i) {
        squelch = static_cast<int16>(i);
        DocumentEdited();
        DocumentEdited();
    }
    EXPECT_EQ(history.undoSteps(), EditHistory::kLimit);
    while (history.undo()) {
    }
    EXPECT_EQ(squelch, 5);
    EXPECT_EQ(history.redoSteps(), EditHistory::kLimit);
}
