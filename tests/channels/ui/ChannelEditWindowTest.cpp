// The channel edit window: loading rules, rebuilt lists, check box rules, and the
// grid and the window following each other.

#include "ChannelWindowFixture.h"

#include <QWheelEvent>

namespace {
class ChannelEditWindow : public ChannelWindowTest {
  protected:
    void SetUp() override {
        ChannelWindowTest::SetUp();
        AddChannelByNumber(1, QStringLiteral("150.00000"));
        AddChannelByNumber(2, QStringLiteral("151.00000"));
    }
    static QStringList items(QComboBox* combo) {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list.append(combo->itemText(i));
        return list;
    }
    static QComboBox* combo2(QWidget* w, int i) {
        return w->findChild<QComboBox*>(QStringLiteral("Combo2_%1").arg(i));
    }
    static QCheckBox* check1(QWidget* w, int i) {
        return w->findChild<QCheckBox*>(QStringLiteral("Check1_%1").arg(i));
    }
    static void choose(QComboBox* combo, const QString& text) {
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
};

TEST_F(ChannelEditWindow, ShowsEveryControlWithHiddenRowsAndLabelsLeftOfTheirControls) {
    FrmCHInfoEdit* edit = openEdit();
    EXPECT_EQ(edit->windowTitle(), QStringLiteral("Channel Edit"));
    for (int i : {2, 3, 7, 8}) {
        EXPECT_TRUE(combo2(edit, i)->isHidden()) << i;
        EXPECT_TRUE(edit->findChild<QLabel*>(QStringLiteral("Label2_%1").arg(i + 2))->isHidden());
    }
    // Hidden rows are still loaded.
    EXPECT_EQ(combo2(edit, 2)->currentText(), QStringLiteral("None"));
    EXPECT_EQ(combo2(edit, 8)->currentText(), QStringLiteral("1"));
    auto* label = child<QLabel>(edit, "Label2_8");
    EXPECT_EQ(label->text(), QStringLiteral("Busy Channel Lock-out"));
    EXPECT_EQ(label->geometry().right() + 1, combo2(edit, 6)->x() - Twips(100));
    EXPECT_EQ(child<QLineEdit>(edit, "Text1")->text(), QStringLiteral("150.00000"));
    EXPECT_EQ(combo2(edit, 4)->currentText(), QStringLiteral("High"));
    EXPECT_TRUE(check1(edit, 0)->isChecked());
}

TEST_F(ChannelEditWindow, DecodeToneAndOptionSignallingRebuildTheDependentLists) {
    FrmCHInfoEdit* edit = openEdit();
    EXPECT_EQ(items(combo2(edit, 6)), (QStringList{"Off", "Carrier"}));
    EXPECT_EQ(items(combo2(edit, 3)), (QStringList{"Carrier"}));

    choose(combo2(edit, 0), QStringLiteral("88.5"));
    EXPECT_EQ(channel(1)->decodeTone.trimmedValue(), "0108");
    EXPECT_EQ(channel(1)->encodeTone.trimmedValue(), "0108"); // both were none
    EXPECT_EQ(items(combo2(edit, 6)), (QStringList{"Off", "Carrier", "Repeater"}));
    EXPECT_EQ(items(combo2(edit, 3)), (QStringList{"CTCSS/DCS"}));

    choose(combo2(edit, 6), QStringLiteral("Repeater"));
    EXPECT_EQ(channel(1)->busyLockout, 2);
    choose(combo2(edit, 2), QStringLiteral("DTMF"));
    EXPECT_EQ(items(combo2(edit, 3)),
              (QStringList{"CTCSS/DCS", "CTCSS/DCS + Opt.Sig.", "CTCSS/DCS or Opt.Sig"}));
    EXPECT_EQ(items(combo2(edit, 6)),
              (QStringList{"Off", "Carrier", "Repeater", "Option Signalling"}));

    // Stored Repeater without a decode tone: shown as Off, stored code unchanged.
    app().document.channels[0].decodeTone.assign("FFFF");
    app().document.channels[0].optSignal = 0;
    edit->SetGridEditData(true);
    EXPECT_EQ(combo2(edit, 6)->currentText(), QStringLiteral("Off"));
    EXPECT_EQ(channel(1)->busyLockout, 2);
    // Option Signalling stored with option signalling only stays shown as such.
    app().document.channels[0].optSignal = 1;
    app().document.channels[0].busyLockout = 3;
    edit->SetGridEditData(true);
    EXPECT_EQ(combo2(edit, 6)->currentText(), QStringLiteral("Option Signalling"));

    // Decode back to None turns Repeater into Carrier.
    app().document.channels[0].optSignal = 0;
    app().document.channels[0].busyLockout = 0;
    edit->SetGridEditData(true);
    choose(combo2(edit, 0), QStringLiteral("88.5"));
    choose(combo2(edit, 6), QStringLiteral("Repeater"));
    choose(combo2(edit, 0), QStringLiteral("None"));
    EXPECT_EQ(channel(1)->busyLockout, 1);
}

TEST_F(ChannelEditWindow, ReverseAndTalkAroundExcludeEachOtherAndNeedATransmitFrequency) {
    FrmCHInfoEdit* edit = openEdit();
    activate(edit);
    check1(edit, 1)->click();
    EXPECT_EQ(channel(1)->reverse, 1);
    check1(edit, 2)->click();
    EXPECT_EQ(channel(1)->talkAround, 1);
    EXPECT_EQ(channel(1)->reverse, 0);
    EXPECT_FALSE(check1(edit, 1)->isChecked());
    check1(edit, 1)->click();
    EXPECT_EQ(channel(1)->reverse, 1);
    EXPECT_EQ(channel(1)->talkAround, 0);

    // Clearing TX: encode blank and disabled, Reverse unchecked and disabled.
    auto* text2 = child<QLineEdit>(edit, "Text2");
    text2->setFocus();
    text2->selectAll();
    key(Qt::Key_Backspace);
    key(Qt::Key_Return);
    EXPECT_EQ(channel(1)->txFreq.trimmedValue(), "FFFFFFFF");
    EXPECT_EQ(channel(1)->reverse, 0);
    EXPECT_FALSE(combo2(edit, 1)->isEnabled());
    EXPECT_EQ(combo2(edit, 1)->currentText(), QStringLiteral(" "));
    EXPECT_FALSE(check1(edit, 1)->isEnabled());
    EXPECT_FALSE(check1(edit, 1)->isChecked());

    // Tabbing through the empty TX box stores the RX frequency as TX.
    child<QLineEdit>(edit, "Text1")->setFocus();
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), text2);
    EXPECT_EQ(text2->text(), QStringLiteral("150.00000"));
    key(Qt::Key_Tab);
    EXPECT_EQ(channel(1)->txFreq.trimmedValue(), "15000000");
    EXPECT_TRUE(check1(edit, 1)->isEnabled());
}

TEST_F(ChannelEditWindow, ChoosingAMissingChannelAndTypingItsReceiveFrequencyCreatesIt) {
    FrmCommChInfo* grid = openGrid();
    auto* groupBox = child<QComboBox>(grid, "Combo6");
    groupBox->setCurrentIndex(2);
    emit groupBox->activated(2);
    FrmCHInfoEdit* edit = openEdit();
    activate(edit);
    auto* combo1 = child<QComboBox>(edit, "Combo1");
    combo1->setCurrentIndex(4);
    emit combo1->activated(4);
    // Empty, disabled form; the grid moved to row 5.
    auto* text1 = child<QLineEdit>(edit, "Text1");
    EXPECT_TRUE(text1->text().isEmpty());
    EXPECT_FALSE(child<QLineEdit>(edit, "Text2")->isEnabled());
    for (int i = 0; i < 9; ++i)
        EXPECT_FALSE(combo2(edit, i)->isEnabled()) << i;
    EXPECT_FALSE(check1(edit, 0)->isEnabled());
    EXPECT_EQ(table(grid)->currentRow(), 5);
    EXPECT_EQ(grid->windowTitle(), QStringLiteral("Channel Information[Channel - 5]"));

    text1->setFocus();
    ASSERT_EQ(focused(), text1);
    type(QStringLiteral("160.5"));
    EXPECT_EQ(text1->text(), QStringLiteral("160.5"));
    key(Qt::Key_Return);
    ASSERT_TRUE(channel(2 * 16 + 5));
    EXPECT_EQ(channel(37)->rxFreq.trimmedValue(), "16050000");
    EXPECT_EQ(cell(grid, 5, 1), QStringLiteral("160.50000"));
    // Enter moved on to the TX box the new channel enabled.
    EXPECT_EQ(focused(), child<QLineEdit>(edit, "Text2"));

    // The grid's row moves the window: a click on row 1 of group 3 (empty).
    activate(grid);
    clickCell(grid, 5, 5);
    EXPECT_EQ(combo1->currentText(), QStringLiteral("5"));
    EXPECT_EQ(combo2(edit, 4)->currentText(), QStringLiteral("High"));
    // A choice in the grid shows at once in the window.
    key(Qt::Key_Up); // High -> Low in the power selector
    EXPECT_EQ(channel(37)->txPower, 0);
    EXPECT_EQ(combo2(edit, 4)->currentText(), QStringLiteral("Low"));
}

TEST_F(ChannelEditWindow, GridCommitsATypedValueWhenAnotherWindowTakesTheFocus) {
    FrmCommChInfo* grid = openGrid();
    type(QStringLiteral("155.5"));
    // No Enter: the technician clicks into the edit window.
    FrmCHInfoEdit* edit = openEdit();
    activate(edit);
    EXPECT_EQ(channel(1)->rxFreq.trimmedValue(), "15550000");
    EXPECT_EQ(child<QLineEdit>(edit, "Text1")->text(), QStringLiteral("155.50000"));
    // The editor stays over its cell with the stored value for when the grid returns.
    auto* text1 = child<QLineEdit>(grid, "Text1");
    EXPECT_TRUE(text1->isVisible());
    EXPECT_EQ(text1->text(), QStringLiteral("155.50000"));

    // A write to the radio commits the edit window's typed value too.
    auto* editRx = child<QLineEdit>(edit, "Text1");
    editRx->setFocus();
    editRx->selectAll();
    type(QStringLiteral("156"));
    static_cast<CommitsPendingEdit*>(edit)->commitPendingEdit();
    EXPECT_EQ(channel(1)->rxFreq.trimmedValue(), "15600000");
    EXPECT_EQ(cell(grid, 1, 1), QStringLiteral("156.00000"));

    // The wheel over the channel list changes the channel while the TX box keeps
    // the focus: the value typed for channel 1 is stored there, not into channel 2.
    auto* editTx = child<QLineEdit>(edit, "Text2");
    editTx->setFocus();
    editTx->selectAll();
    type(QStringLiteral("157"));
    auto* combo1 = child<QComboBox>(edit, "Combo1");
    QWheelEvent down(QPointF(5, 5), combo1->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo1, &down);
    ASSERT_EQ(combo1->currentText(), QStringLiteral("2"));
    EXPECT_EQ(channel(1)->txFreq.trimmedValue(), "15700000");
    EXPECT_EQ(editTx->text(), QStringLiteral("151.00000"));
    activate(grid);
    EXPECT_EQ(channel(2)->txFreq.trimmedValue(), "15100000");
}

TEST_F(ChannelEditWindow, BothLanguagesSwitchWordsButNotStoredCodes) {
    app().languageIndex = Chinese;
    FrmCommChInfo* grid = openGrid();
    FrmCHInfoEdit* edit = openEdit();
    EXPECT_EQ(cell(grid, 0, 1), QStringLiteral("接收频率"));
    EXPECT_EQ(cell(grid, 1, 3), QStringLiteral("无"));
    EXPECT_EQ(cell(grid, 1, 5), QStringLiteral("高"));
    EXPECT_EQ(cell(grid, 1, 6), QStringLiteral("添加"));
    EXPECT_EQ(cell(grid, 1, 9), QStringLiteral("25K(宽带)"));
    EXPECT_EQ(grid->windowTitle(), QStringLiteral("信道信息[信道 - 1]"));
    EXPECT_EQ(child<QPushButton>(grid, "CommandCHInfoEdit")->text(), QStringLiteral("信道编辑"));
    EXPECT_EQ(edit->windowTitle(), QStringLiteral("信道编辑"));
    EXPECT_EQ(child<QLabel>(edit, "Label2_8")->text(), QStringLiteral("遇忙锁定"));

    choose(combo2(edit, 4), QStringLiteral("低"));
    choose(combo2(edit, 5), QStringLiteral("12.5K(窄带)"));
    EXPECT_EQ(channel(1)->txPower, 0);
    EXPECT_EQ(channel(1)->spacing, 0);
    EXPECT_EQ(cell(grid, 1, 5), QStringLiteral("低"));

    CloseCurAllWindows();
    app().languageIndex = English;
    grid = openGrid();
    EXPECT_EQ(cell(grid, 1, 5), QStringLiteral("Low"));
    EXPECT_EQ(cell(grid, 1, 9), QStringLiteral("12.5K(Narrow)"));
    EXPECT_EQ(cell(grid, 1, 3), QStringLiteral("None"));
    EXPECT_EQ(channel(1)->decodeTone.trimmedValue(), "FFFF");
}
} // namespace
