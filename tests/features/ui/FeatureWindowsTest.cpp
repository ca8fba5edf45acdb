// The four feature editors driven through their real controls: what a window
// shows for stored values it has no item for, what opening it stores, and what
// each choice puts into the document and from there into the radio image.

#include "TestSupport.h"
#include "WidgetDriver.h"

#include "channels/ChannelTable.h"
#include "core/AppState.h"
#include "core/DocumentOps.h"
#include "core/Hooks.h"
#include "core/ui/WindowRegistry.h"
#include "features/EmbeddedMessageImage.h"
#include "features/KeyAssignmentImage.h"
#include "features/OptionalFeaturesImage.h"
#include "features/ScanImage.h"
#include "features/ui/FrmScanInfo.h"

#include <QLabel>
#include <QPointer>

namespace {
class FeatureWindows : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        InitNewDocument();
        app().document.channelCount = 0;
    }
    void TearDown() override {
        CloseCurAllWindows();
        QApplication::processEvents();
        ProgramTest::TearDown();
    }
    QWidget* open(const char* name) {
        QWidget* window = ShowChildWindow(QLatin1String(name));
        EXPECT_NE(window, nullptr);
        return window;
    }
    OptionalFeatures& optional() { return app().document.settings.features.optional; }
    KeyAssignment& keys() { return app().document.settings.features.keys; }
    ScanSettings& scan() { return app().document.settings.features.scan; }
};
} // namespace

TEST_F(FeatureWindows, OptionalFeaturesReplacesOnlyValuesTheRulesName) {
    optional().callResponse = 5; // chosen in an earlier session and saved
    optional().totWarning = 0;   // a failed image check
    optional().voicePrompt = 3;  // Russian, accepted from a radio
    optional().voxLevel = 0;     // passes the image check, has no item
    optional().totTime = 0;

    RadioImage image{};
    image.fill(0xFF);
    OptionalFeaturesToImage(optional(), app().sideValues, image);
    EXPECT_EQ(image[2226], 3) << "voice prompt 3 goes to the radio until the window opens";

    QWidget* w = open("FrmOptFeatures");
    EXPECT_EQ(Control<QComboBox>(w, "Combo4")->currentText(), "Off");
    EXPECT_EQ(optional().callResponse, 0);
    EXPECT_EQ(Control<QComboBox>(w, "Combo1_1")->currentText(), "5");
    EXPECT_EQ(optional().totWarning, 5);
    EXPECT_EQ(Control<QComboBox>(w, "Combo1_0")->currentText(), "Off");
    EXPECT_EQ(optional().totTime, 0);
    // No item for these: the lists stay empty and the stored values are kept.
    EXPECT_EQ(Control<QComboBox>(w, "Combo1_4")->currentIndex(), -1);
    EXPECT_EQ(optional().voicePrompt, 3);
    EXPECT_EQ(Control<QComboBox>(w, "Combo3_0")->currentIndex(), -1);
    EXPECT_EQ(optional().voxLevel, 0);
    // Hidden controls exist, hidden, and keep their fields.
    EXPECT_TRUE(Control<QWidget>(w, "Frame1")->isHidden());
    EXPECT_TRUE(Control<QWidget>(w, "Check1_2")->isHidden());
    EXPECT_TRUE(Control<QWidget>(w, "Combo1_3")->isHidden());
    EXPECT_EQ(QString::fromLatin1(optional().botCode.value()), "12345");
}

TEST_F(FeatureWindows, OptionalFeaturesChoicesReachTheImage) {
    QWidget* w = open("FrmOptFeatures");
    Choose(Control<QComboBox>(w, "Combo1_0"), "600");
    EXPECT_EQ(optional().totTime, 40);
    Choose(Control<QComboBox>(w, "Combo1_0"), "Off");
    EXPECT_EQ(optional().totTime, 0);
    Choose(Control<QComboBox>(w, "Combo1_4"), "English");
    EXPECT_EQ(optional().voicePrompt, 2);
    Choose(Control<QComboBox>(w, "Combo3_1"), "3.0");
    EXPECT_EQ(optional().voxDelay, 27);
    Choose(Control<QComboBox>(w, "Combo4"), "Vibration + Chord2");
    EXPECT_EQ(optional().callResponse, 5);

    // "Alert Locked" is stored inverted: ticked means 0 in the radio.
    auto* alert = Control<QCheckBox>(w, "Check1_4");
    ASSERT_TRUE(alert->isChecked());
    alert->click();
    EXPECT_EQ(app().sideValues.alertUnlocked, 1);
    alert->click();
    EXPECT_EQ(app().sideValues.alertUnlocked, 0);
    Control<QCheckBox>(w, "Check1_5")->click();
    RadioImage image{};
    image.fill(0xFF);
    OptionalFeaturesToImage(optional(), app().sideValues, image);
    EXPECT_EQ(image[2248], 0);
    EXPECT_EQ(image[2249], 1);
    EXPECT_EQ(image[2224], 0);
    EXPECT_EQ(image[2227], 5);
}

TEST_F(FeatureWindows, VoxSwitchEnablesItsControlsOnly) {
    optional().voxFunction = 1;
    QWidget* w = open("FrmOptFeatures");
    const char* vox[] = {"Combo3_0", "Combo3_1", "Check2_1", "Check2_2"};
    for (const char* name : vox)
        EXPECT_TRUE(Control<QWidget>(w, name)->isEnabled()) << name;
    Control<QCheckBox>(w, "Check2_0")->click();
    EXPECT_EQ(optional().voxFunction, 0);
    for (const char* name : vox)
        EXPECT_FALSE(Control<QWidget>(w, name)->isEnabled()) << name;
    EXPECT_TRUE(Control<QWidget>(w, "Check2_3")->isEnabled());
    // Greyed like the window, not like an input box.
    auto* level = Control<QWidget>(w, "Combo3_0");
    EXPECT_EQ(level->palette().color(QPalette::Base), level->palette().color(QPalette::Window));
}

TEST_F(FeatureWindows, BandExtensionOffClampsTransmitOnly) {
    app().sideValues.bandExtension = 1;
    ChangeChannelData(1, 1, FieldRxFreq, QStringLiteral("500.00000"));
    ChangeChannelData(1, 1, FieldTxFreq, QStringLiteral("500.00000"));
    ASSERT_EQ(app().document.channelCount, 1);
    ASSERT_EQ(QString::fromLatin1(app().document.channels[0].txFreq.raw()), "50000000");
    int redisplays = 0;
    hooks().channelsChanged = [&] { ++redisplays; };

    QWidget* w = open("FrmOptFeatures");
    EXPECT_EQ(redisplays, 0) << "opening the window must not re-limit";
    Control<QCheckBox>(w, "Check6")->click();
    EXPECT_EQ(app().sideValues.bandExtension, 0);
    EXPECT_EQ(QString::fromLatin1(app().document.channels[0].txFreq.raw()), "48000000");
    EXPECT_EQ(QString::fromLatin1(app().document.channels[0].rxFreq.raw()), "50000000");
    EXPECT_GE(redisplays, 1);
}

TEST_F(FeatureWindows, KeyListsShowUnofferedCodesWithoutLosingThem) {
    keys().pf1Short = 255;
    keys().pf2Short = 12; // passes the image check, not offered by the list
    keys().pf1Long = 9;

    RadioImage image{};
    image.fill(0xFF);
    KeysToImage(keys(), image);
    EXPECT_EQ(image[2256], 255);
    EXPECT_EQ(image[2257], 12) << "written back as read while the window was never opened";

    QWidget* w = open("FrmKeyAssignm");
    EXPECT_EQ(Control<QComboBox>(w, "Combo1_0")->currentText(), "None");
    EXPECT_EQ(keys().pf1Short, 0) << "255 becomes None (0) on opening";
    auto* pf2 = Control<QComboBox>(w, "Combo1_1");
    EXPECT_EQ(pf2->count(), 11);
    EXPECT_EQ(pf2->currentIndex(), 10);
    EXPECT_TRUE(pf2->currentText().startsWith("Keylock And Back-up"));
    EXPECT_EQ(keys().pf2Short, 12);
    EXPECT_EQ(Control<QComboBox>(w, "Combo1_2")->count(), 10);

    Choose(pf2, "Monitor");
    EXPECT_EQ(keys().pf2Short, 2);
    pf2->setCurrentIndex(10);
    Q_EMIT pf2->activated(10);
    EXPECT_EQ(keys().pf2Short, 12) << "the extra item still stands for the radio's code";
    Choose(Control<QComboBox>(w, "Combo1_3"), "Interference Channel Momentarily Delete");
    EXPECT_EQ(keys().pf2Long, 9);
}

// Code 0 is "None": every key list shows it as its first item, opening the window
// keeps 0, and choosing "None" after another function stores 0, not 255.
TEST_F(FeatureWindows, KeyCodeZeroIsTheFirstItemOfEveryList) {
    keys() = KeyAssignment{0, 0, 0, 0};
    QWidget* w = open("FrmKeyAssignm");
    for (int k = 0; k < 4; ++k) {
        auto* list = Control<QComboBox>(w, QStringLiteral("Combo1_%1").arg(k).toLatin1().constData());
        EXPECT_EQ(list->count(), 10) << k;
        EXPECT_EQ(list->currentIndex(), 0) << k;
        EXPECT_EQ(list->currentText(), "None") << k;
        Choose(list, "Monitor");
        Choose(list, "None");
    }
    EXPECT_EQ(keys(), (KeyAssignment{0, 0, 0, 0}));
}

TEST_F(FeatureWindows, ScanTypeSwitchesPickTheRevertCode) {
    scan().priorityType = 1;
    scan().revertChannel = 2;
    scan().lookBackA = 12; // 1.2 s from a radio
    RadioImage image{};
    image.fill(0xFF);
    ScanToImage(scan(), image);
    EXPECT_EQ(image[2242], 12);

    QWidget* w = open("FrmScanInfo");
    EXPECT_EQ(scan().lookBackA, 10) << "opening shows and stores 1.0";
    auto* type = Control<QComboBox>(w, "Combo1_0");
    auto* revert = Control<QComboBox>(w, "Combo1_4");
    EXPECT_EQ(revert->count(), 4);
    EXPECT_EQ(revert->currentText(), "Priority");

    Choose(type, "None");
    EXPECT_EQ(revert->count(), 2);
    EXPECT_EQ(revert->currentText(), "Selected");
    EXPECT_EQ(scan().revertChannel, 0);
    EXPECT_FALSE(Control<QWidget>(w, "Combo1_2")->isEnabled());
    EXPECT_FALSE(Control<QWidget>(w, "Combo1_7")->isEnabled());

    Choose(type, "Fixd");
    Choose(revert, "Selected+Talk Back");
    Choose(type, "Selected");
    EXPECT_EQ(revert->currentText(), "Priority+Talk Back");
    EXPECT_EQ(scan().revertChannel, 3);
    EXPECT_TRUE(Control<QWidget>(w, "Combo1_2")->isEnabled());
    EXPECT_FALSE(Control<QWidget>(w, "Combo1_7")->isEnabled());
    EXPECT_TRUE(revert->isEnabled());

    Choose(Control<QComboBox>(w, "Combo1_6"), "4.5");
    EXPECT_EQ(scan().txDwell, 45);
    EXPECT_EQ(Control<QLabel>(w, "Label1_14")->text(), "Priority Channel 8");
}

TEST_F(FeatureWindows, OpenScanWindowFollowsChannelChanges) {
    scan().priorityType = 1;
    ChangeChannelData(1, 3, FieldRxFreq, QStringLiteral("440.00000"));
    ChangeChannelData(1, 7, FieldRxFreq, QStringLiteral("441.00000"));
    scan().priorityChannel[0] = 7;
    scan().priorityChannel[1] = 4; // group 2 has no channel

    QPointer<QWidget> w = open("FrmScanInfo");
    auto* group1 = Control<QComboBox>(w, "Combo1_7");
    auto* group2 = Control<QComboBox>(w, "Combo1_8");
    EXPECT_EQ(group1->count(), 2);
    EXPECT_EQ(group1->currentText(), "7");
    EXPECT_EQ(group2->count(), 0);
    EXPECT_EQ(scan().priorityChannel[1], 4) << "an empty list stores nothing";

    // Deleting channel 7 while the window is open: its refresh picks the first.
    ChangeChannelData(1, 7, FieldRxFreq, QString());
    EXPECT_EQ(group1->count(), 1);
    EXPECT_EQ(group1->currentText(), "3");
    EXPECT_EQ(scan().priorityChannel[0], 3);
    ChangeChannelData(2, 5, FieldRxFreq, QStringLiteral("442.00000"));
    EXPECT_EQ(group2->currentText(), "5");
    EXPECT_EQ(scan().priorityChannel[1], 5);
    EXPECT_TRUE(group2->isEnabled());

    // Closed again: the channel table's own rule takes over at once, also before
    // the closed window is deleted (a grid closing with it commits a channel).
    w->close();
    EXPECT_FALSE(hooks().scanWindowReshow);
    ChangeChannelData(1, 3, FieldRxFreq, QString());
    EXPECT_EQ(scan().priorityChannel[0], 255);
    QApplication::processEvents();
    EXPECT_TRUE(w.isNull());
}

TEST_F(FeatureWindows, MessageLinesStoreOnFocusLossAndFilterKeys) {
    QWidget* w = open("FrmEmbMsg");
    auto* line1 = Control<QLineEdit>(w, "Text1_0");
    auto* line2 = Control<QLineEdit>(w, "Text1_1");
    EXPECT_EQ(line1->text(), "");
    EXPECT_EQ(line1->contextMenuPolicy(), Qt::NoContextMenu);

    Focus(line1);
    Type(line1, "HELLO");
    Key(line1, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
    Key(line1, 0, Qt::NoModifier, QStringLiteral("é")); // above 127
    EXPECT_EQ(line1->text(), "HELLO");
    Key(line1, Qt::Key_Return); // moves on and stores
    EXPECT_TRUE(line2->hasFocus());
    EXPECT_EQ(app().document.settings.messageText1.raw(),
              QByteArray("HELLO") + '\0' + QByteArray(26, ' '));

    const QString full = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUV");
    Type(line2, full + "XYZ"); // the box holds 32 characters
    EXPECT_EQ(line2->text(), full);
    // A pending edit is stored when the main window asks before a write.
    dynamic_cast<CommitsPendingEdit*>(w)->commitPendingEdit();
    EXPECT_EQ(app().document.settings.messageText2.raw(), full.toLatin1());

    RadioImage image{};
    image.fill(0);
    MessagesToImage(app().document.settings, image);
    EXPECT_EQ(image[2576 + 4], 'O');
    EXPECT_EQ(image[2576 + 5], 0xFF);
    EXPECT_EQ(image[2608 + 31], 'V');

    // An emptied line is stored as an empty line.
    line1->setFocus();
    line1->selectAll();
    Key(line1, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    w->close();
    QApplication::processEvents();
    EXPECT_EQ(app().document.settings.messageText1.raw(),
              QByteArray(1, '\0') + QByteArray(31, ' '));
}

TEST_F(FeatureWindows, ChineseCaptionsStoreTheSameCodes) {
    app().languageIndex = Chinese;
    QWidget* w = open("FrmOptFeatures");
    EXPECT_EQ(w->windowTitle(), "功能设定");
    EXPECT_EQ(Control<QLabel>(w, "Label1_0")->text(), "超时定时器(TOT)[秒]");
    Choose(Control<QComboBox>(w, "Combo1_4"), "英文");
    EXPECT_EQ(optional().voicePrompt, 2);
    Choose(Control<QComboBox>(w, "Combo1_0"), "关");
    EXPECT_EQ(optional().totTime, 0);
    Choose(Control<QComboBox>(w, "Combo4"), "振动+和弦1");
    EXPECT_EQ(optional().callResponse, 4);
    // Labels end 100 twips left of their boxes.
    auto* label = Control<QLabel>(w, "Label1_2");
    auto* box = Control<QWidget>(w, "Combo1_2");
    EXPECT_EQ(label->geometry().right() + 1 + 100 / 15, box->x());

    QWidget* scanWindow = open("FrmScanInfo");
    Choose(Control<QComboBox>(scanWindow, "Combo1_0"), "固定");
    Choose(Control<QComboBox>(scanWindow, "Combo1_4"), "优先+当前通话");
    EXPECT_EQ(scan().revertChannel, 3);
    QWidget* keyWindow = open("FrmKeyAssignm");
    Choose(Control<QComboBox>(keyWindow, "Combo1_0"), "扫描");
    EXPECT_EQ(keys().pf1Short, 4);
    EXPECT_EQ(Control<QWidget>(keyWindow, "CommandClose")->property("text").toString(), "关闭(&C)");
}
