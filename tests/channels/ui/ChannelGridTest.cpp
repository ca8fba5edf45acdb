// The channel grid driven from the keyboard and the mouse, as a technician uses it.

#include "ChannelWindowFixture.h"

#include "codec/Frequency.h"
#include "core/Hooks.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QScrollBar>

namespace {
class ChannelGrid : public ChannelWindowTest {};

TEST_F(ChannelGrid, TypedReceiveFrequencyCreatesChannelWithDefaultsAndMovesOn) {
    FrmCommChInfo* grid = openGrid();
    EXPECT_EQ(grid->windowTitle(), QStringLiteral("Channel Information[Channel - 1]"));
    ASSERT_EQ(focused()->objectName(), QStringLiteral("Text1"));

    type(QStringLiteral("146.525"));
    key(Qt::Key_Return);

    ASSERT_EQ(app().document.channelCount, 1);
    const ChannelEntry* ch = channel(1);
    ASSERT_TRUE(ch);
    EXPECT_EQ(text(ch->rxFreq), "14652500");
    EXPECT_EQ(text(ch->txFreq), "14652500");
    EXPECT_EQ(text(ch->decodeTone), "FFFF");
    EXPECT_EQ(text(ch->encodeTone), "FFFF");
    EXPECT_EQ(ch->txPower, 1);
    EXPECT_EQ(ch->scanAdd, 1);
    EXPECT_EQ(ch->spacing, 1);
    const QStringList row{cell(grid, 1, 1), cell(grid, 1, 2), cell(grid, 1, 3), cell(grid, 1, 4),
                          cell(grid, 1, 5), cell(grid, 1, 6), cell(grid, 1, 9)};
    EXPECT_EQ(row,
              (QStringList{"146.52500", "146.52500", "None", "None", "High", "Add", "25K(Wide)"}));
    // The cursor is in the TX cell, whose text is ready to be overtyped.
    auto* text1 = child<QLineEdit>(grid, "Text1");
    EXPECT_EQ(focused(), text1);
    EXPECT_EQ(text1->text(), QStringLiteral("146.52500"));
    EXPECT_EQ(text1->selectedText(), text1->text());
    EXPECT_EQ(text1->geometry(), table(grid)->visualItemRect(table(grid)->item(1, 2)));
    EXPECT_TRUE(messages_.shown().isEmpty());
}

TEST_F(ChannelGrid, ClearingCellsDeletesChannelOrTransmitFrequency) {
    FrmCommChInfo* grid = openGrid();
    type(QStringLiteral("150"));
    key(Qt::Key_Return);
    ASSERT_EQ(app().document.channelCount, 1);

    // Clearing TX: encode and reverse are cleared, the encode cell is empty.
    app().document.channels[0].reverse = 1;
    app().document.channels[0].encodeTone.assign("0108");
    key(Qt::Key_Backspace);
    key(Qt::Key_Return); // commits the empty TX, moves to decode
    EXPECT_EQ(text(channel(1)->txFreq), "FFFFFFFF");
    EXPECT_EQ(text(channel(1)->encodeTone), "FFFF");
    EXPECT_EQ(channel(1)->reverse, 0);
    EXPECT_EQ(cell(grid, 1, 2), QString());
    EXPECT_EQ(cell(grid, 1, 4), QString());
    EXPECT_EQ(table(grid)->currentColumn(), 3);

    // The encode cell of a channel without TX cannot be entered: the cursor goes to TX.
    clickCell(grid, 1, 4);
    EXPECT_EQ(table(grid)->currentColumn(), 2);
    EXPECT_EQ(focused()->objectName(), QStringLiteral("Text1"));

    // Enter from decode skips the encode cell instead of bouncing back to TX forever.
    clickCell(grid, 1, 3);
    key(Qt::Key_Return);
    EXPECT_EQ(table(grid)->currentColumn(), 5);

    // A cell right of an empty RX cell sends the cursor to the RX cell.
    clickCell(grid, 2, 5);
    EXPECT_EQ(table(grid)->currentRow(), 2);
    EXPECT_EQ(table(grid)->currentColumn(), 1);

    // Clearing RX deletes the channel and empties its row.
    clickCell(grid, 1, 1);
    key(Qt::Key_Backspace);
    key(Qt::Key_Return);
    EXPECT_EQ(app().document.channelCount, 0);
    for (int c = 1; c <= 9; ++c)
        EXPECT_EQ(cell(grid, 1, c), QString()) << "column " << c;
}

TEST_F(ChannelGrid, ReopenedGridNamesTheRowOfItsCurrentCell) {
    FrmCommChInfo* grid = openGrid();
    clickCell(grid, 5, 1);
    EXPECT_EQ(grid->windowTitle(), QStringLiteral("Channel Information[Channel - 5]"));
    grid->close();
    QApplication::processEvents();
    grid = openGrid();
    EXPECT_EQ(table(grid)->currentRow(), 1);
    EXPECT_EQ(grid->windowTitle(), QStringLiteral("Channel Information[Channel - 1]"));
}

// The tone list opens as a list of 16 visible items that scrolls, whatever the
// style would do with a list of 283 entries.
TEST_F(ChannelGrid, ToneListShowsSixteenItemsAndScrolls) {
    FrmCommChInfo* grid = openGrid();
    type(QStringLiteral("150"));
    key(Qt::Key_Return);
    key(Qt::Key_Return); // the decode cell
    auto* tones = grid->selectorOf(3);
    ASSERT_EQ(focused(), tones);
    key(Qt::Key_F4); // opens the list
    QAbstractItemView* list = tones->view();
    ASSERT_TRUE(list->isVisible());
    const int row = list->sizeHintForRow(0);
    EXPECT_LE(list->viewport()->height(), 16 * row + 2);
    EXPECT_GE(list->viewport()->height(), 15 * row);
    EXPECT_TRUE(list->verticalScrollBar()->isVisible());
    tones->hidePopup();
}

TEST_F(ChannelGrid, EnterOnEmptyReceiveCellMovesDownAndWraps) {
    FrmCommChInfo* grid = openGrid();
    for (int i = 0; i < 15; ++i)
        key(Qt::Key_Return);
    EXPECT_EQ(table(grid)->currentRow(), 16);
    EXPECT_EQ(grid->windowTitle(), QStringLiteral("Channel Information[Channel - 16]"));
    key(Qt::Key_Return);
    EXPECT_EQ(table(grid)->currentRow(), 1);
    EXPECT_EQ(table(grid)->currentColumn(), 1);
    EXPECT_EQ(app().document.channelCount, 0);
}

TEST_F(ChannelGrid, OutOfBandFrequencyWarnsAndStoresTheLimit) {
    FrmCommChInfo* grid = openGrid();
    type(QStringLiteral("99"));
    key(Qt::Key_Return);
    ASSERT_EQ(messages_.shown().size(), 1);
    EXPECT_EQ(messages_.shown()[0].text, QStringLiteral("Frequency is out of range."));
    EXPECT_EQ(messages_.shown()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(text(channel(1)->rxFreq), "13600000");
    EXPECT_EQ(cell(grid, 1, 1), QStringLiteral("136.00000"));

    // TX above the band: warned, the upper limit shown in the cell.
    type(QStringLiteral("180"));
    key(Qt::Key_Return);
    EXPECT_EQ(messages_.shown().size(), 2);
    EXPECT_EQ(cell(grid, 1, 2), QStringLiteral("174.00000"));
    EXPECT_EQ(text(channel(1)->txFreq), "17400000");
}

TEST_F(ChannelGrid, TextBoxAcceptsOnlyDigitsAndPoint) {
    FrmCommChInfo* grid = openGrid();
    auto* text1 = child<QLineEdit>(grid, "Text1");
    type(QStringLiteral("1a4-5,x.5"));
    EXPECT_EQ(text1->text(), QStringLiteral("145.5"));
    // Text put into the box without typing passes the box's own check, which
    // takes the digits 0-9 and the point only (no full-width digit).
    for (const QString& refused :
         {QStringLiteral("x"), QStringLiteral("-1"), QStringLiteral("\uFF17")}) {
        text1->insert(refused);
        EXPECT_EQ(text1->text(), QStringLiteral("145.5")) << refused.toStdString();
    }
    key(Qt::Key_Backspace);
    EXPECT_EQ(text1->text(), QStringLiteral("145."));
    // A pasted value is no typing: it goes into the cell through the cell's rules
    // (here above the band: warned, the upper limit stored).
    QApplication::clipboard()->setText(QStringLiteral("999"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(messages_.shown().size(), 1);
    EXPECT_EQ(cell(grid, 1, 1), QStringLiteral("174.00000"));
}

TEST_F(ChannelGrid, SixteenChannelsFromTheKeyboardAlone) {
    FrmCommChInfo* grid = openGrid();
    for (int row = 1; row <= 16; ++row) {
        type(QString::number(150 + row * 0.0125, 'f', 4));
        key(Qt::Key_Return); // -> TX
        key(Qt::Key_Return); // -> decode
        ASSERT_EQ(focused()->objectName(), QStringLiteral("Combo1_0")) << "row " << row;
        key(Qt::Key_Down);   // first tone
        key(Qt::Key_Return); // -> encode
        key(Qt::Key_Return); // -> power
        key(Qt::Key_Up);     // High -> Low
        key(Qt::Key_Return); // -> scan add
        key(Qt::Key_Return); // -> channel spacing (hidden columns skipped)
        EXPECT_EQ(table(grid)->currentColumn(), 9);
        key(Qt::Key_Up);     // 12.5K(Narrow)
        key(Qt::Key_Return); // -> next row
    }
    ASSERT_EQ(app().document.channelCount, 16);
    for (int n = 1; n <= 16; ++n) {
        const ChannelEntry* ch = channel(n);
        ASSERT_TRUE(ch) << n;
        EXPECT_EQ(text(ch->rxFreq), QByteArray::number(15000000 + n * 1250)) << n;
        EXPECT_EQ(text(ch->decodeTone), "0100") << n;
        EXPECT_EQ(text(ch->encodeTone), "0100") << n; // copied with the first decode tone
        EXPECT_EQ(ch->txPower, 0) << n;
        EXPECT_EQ(ch->spacing, 0) << n;
    }
    EXPECT_EQ(table(grid)->currentRow(), 1); // wrapped after row 16
    EXPECT_EQ(cell(grid, 16, 1), QStringLiteral("150.20000"));
    EXPECT_TRUE(messages_.shown().isEmpty());
}
} // namespace

namespace {
class ChannelGridRules : public ChannelWindowTest {};

TEST_F(ChannelGridRules, ToneChoicesFollowTheChannelTableRules) {
    AddChannelByNumber(1, QStringLiteral("150.00000"));
    AddChannelByNumber(2, QStringLiteral("151.00000"));
    app().document.channels[1].encodeTone.assign("0105");
    FrmCommChInfo* grid = openGrid();
    auto* tones = child<QComboBox>(grid, "Combo1_0");

    // No tones yet: the decode tone is copied to encode.
    clickCell(grid, 1, 3);
    ASSERT_TRUE(tones->isVisible());
    EXPECT_EQ(tones->geometry(), table(grid)->visualItemRect(table(grid)->item(1, 3)));
    key(Qt::Key_Down);
    EXPECT_EQ(channel(1)->decodeTone.trimmedValue(), "0100");
    EXPECT_EQ(cell(grid, 1, 4), QStringLiteral("67.0"));
    // The selector stays over its cell for the next choice.
    EXPECT_TRUE(tones->isVisible());
    key(Qt::Key_Down);
    EXPECT_EQ(channel(1)->decodeTone.trimmedValue(), "0101");
    EXPECT_EQ(channel(1)->encodeTone.trimmedValue(), "0100");

    // An encode tone exists: a new decode tone leaves it alone.
    clickCell(grid, 2, 3);
    key(Qt::Key_Down);
    EXPECT_EQ(channel(2)->decodeTone.trimmedValue(), "0100");
    EXPECT_EQ(channel(2)->encodeTone.trimmedValue(), "0105");

    // Decode back to None on a Repeater lock-out channel: Carrier.
    app().document.channels[1].busyLockout = 2;
    key(Qt::Key_Up);
    EXPECT_EQ(channel(2)->decodeTone.trimmedValue(), "FFFF");
    EXPECT_EQ(channel(2)->busyLockout, 1);
    EXPECT_EQ(cell(grid, 2, 3), QStringLiteral("None"));
}

TEST_F(ChannelGridRules, GroupSelectorAndTheWaysToTheEditWindow) {
    FrmCommChInfo* grid = openGrid();
    auto* group = child<QComboBox>(grid, "Combo6");
    group->setFocus();
    key(Qt::Key_Down); // group 2
    EXPECT_EQ(gridState().group, 2);
    key(Qt::Key_Return); // into the grid's RX cell
    EXPECT_EQ(focused()->objectName(), QStringLiteral("Text1"));
    type(QStringLiteral("160"));
    key(Qt::Key_Return);
    ASSERT_TRUE(channel(17));
    EXPECT_EQ(channel(17)->rxFreq.trimmedValue(), "16000000");
    EXPECT_FALSE(channel(1));

    // ">>" opens the edit window on the row's channel.
    clickCell(grid, 1, 10);
    FrmCHInfoEdit* edit =
        qobject_cast<FrmCHInfoEdit*>(FindOpenWindow(QStringLiteral("FrmCHInfoEdit")));
    ASSERT_TRUE(edit);
    EXPECT_EQ(child<QLineEdit>(edit, "Text1")->text(), QStringLiteral("160.00000"));
    edit->close();
    QApplication::processEvents();
    EXPECT_FALSE(gridState().editOpen);
    // The button does it too, after storing the typed cell.
    activate(grid);
    clickCell(grid, 2, 1);
    type(QStringLiteral("161"));
    child<QPushButton>(grid, "CommandCHInfoEdit")->click();
    EXPECT_TRUE(channel(18));
    EXPECT_TRUE(qobject_cast<FrmCHInfoEdit*>(FindOpenWindow(QStringLiteral("FrmCHInfoEdit"))));

    // Closing the grid clears its open flag and the hooks once both are closed.
    grid->close();
    EXPECT_FALSE(gridState().gridOpen);
    EXPECT_TRUE(static_cast<bool>(hooks().channelsChanged));
    CloseCurAllWindows();
    QApplication::processEvents();
    EXPECT_FALSE(static_cast<bool>(hooks().channelsChanged));
}
} // namespace

namespace {
class ChannelGridRelimit : public ChannelWindowTest {};

TEST_F(ChannelGridRelimit, SwitchingBandExtensionOffRedisplaysGridAndEditWindow) {
    app().bandText = QStringLiteral("400 - 480 MHz");
    SetBandLimits();
    app().sideValues.bandExtension = 1;
    AddChannelByNumber(1, QStringLiteral("500.00000"));
    FrmCommChInfo* grid = openGrid();
    FrmCHInfoEdit* edit = openEdit();
    EXPECT_EQ(cell(grid, 1, 2), QStringLiteral("500.00000"));

    app().sideValues.bandExtension = 0;
    ReLimitAllTxFre();
    EXPECT_EQ(cell(grid, 1, 2), QStringLiteral("480.00000"));
    EXPECT_EQ(cell(grid, 1, 1), QStringLiteral("500.00000"));
    EXPECT_EQ(child<QLineEdit>(edit, "Text2")->text(), QStringLiteral("480.00000"));
    EXPECT_TRUE(messages_.shown().isEmpty());
}
} // namespace
