// Undo and redo in the running program, driven by the keys a user presses: typing
// in the grid, a batch Apply over all channels, a feature value and a band change
// are one step each; undoing them all gives back the saved bytes and an unchanged
// document; redo gives the edits back; a new edit drops what could be redone.

#include "TestSupport.h"

#include "channels/ui/FrmCHBatch.h"
#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/Startup.h"
#include "core/ui/FrmMain.h"
#include "core/ui/WindowRegistry.h"
#include "history/EditHistory.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {
class UndoRedo : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        qputenv("ZR580_LANG", "en");
        InstallEditHistory();
        StartProgram();
        main_ = std::make_unique<FrmMain>();
        FinishStartup();
        main_->show();
        QApplication::setActiveWindow(main_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
    }
    void TearDown() override {
        CloseCurAllWindows();
        main_.reset();
        QApplication::processEvents();
        qunsetenv("ZR580_LANG");
        ProgramTest::TearDown();
    }

    // Keys go wherever the keyboard focus is, as they would for a user.
    QWidget* focused() {
        QWidget* w = QApplication::focusWidget();
        return w ? w : main_.get();
    }
    void type(const QString& text) { QTest::keyClicks(focused(), text); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(focused(), k, m);
    }
    void undoKey() { key(Qt::Key_Z, Qt::ControlModifier); }
    void redoKey() { key(Qt::Key_Y, Qt::ControlModifier); }

    QAction* action(const char* name) { return main_->menuAction(QLatin1String(name)); }
    static QByteArray bytes() { return SerializeDocument(app().document); }
    static QString rx(int number) {
        const int at = FindChannelEntryIn(number);
        return at < 0 ? QString() : QString::fromLatin1(app().document.channels[at].rxFreq.raw());
    }
    static int FindChannelEntryIn(int number) {
        for (int i = 0; i < app().document.channelCount; ++i)
            if (app().document.channels[i].number == number) return i;
        return -1;
    }
    QString gridCell(int row, int column) {
        auto* grid = FindOpenWindow(QStringLiteral("frmCommChInfo"))
                         ->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
        return grid->item(row, column) ? grid->item(row, column)->text() : QString();
    }

    std::unique_ptr<FrmMain> main_;
};
} // namespace

TEST_F(UndoRedo, TypingInTheGridUndoesAndRedoesByKeys) {
    const QByteArray saved = bytes();
    const QString shownBefore = gridCell(1, 1);
    EXPECT_FALSE(action("mnuEditUndo")->isEnabled());
    EXPECT_FALSE(main_->toolButton(15)->isEnabled());

    type(QStringLiteral("446.5"));
    key(Qt::Key_Down);
    type(QStringLiteral("447"));
    key(Qt::Key_Down);
    const QByteArray edited = bytes();
    ASSERT_EQ(rx(1), "44650000");
    ASSERT_EQ(rx(2), "44700000");
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo Channel 2 RX Frequency");
    EXPECT_EQ(main_->toolButton(15)->toolTip(), "Undo Channel 2 RX Frequency");

    // A value still being typed is stored first, so the undo takes it back.
    type(QStringLiteral("448"));
    undoKey();
    EXPECT_TRUE(bytes() == edited);
    undoKey();
    undoKey();
    EXPECT_TRUE(bytes() == saved);
    EXPECT_FALSE(IsModified());
    EXPECT_EQ(gridCell(1, 1), shownBefore);
    EXPECT_FALSE(action("mnuEditUndo")->isEnabled());
    EXPECT_EQ(action("mnuEditRedo")->text(), "&Redo Channel 1 RX Frequency");

    redoKey();
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(bytes() == edited);
    EXPECT_TRUE(IsModified());
    EXPECT_EQ(gridCell(1, 1), "446.50000");
    EXPECT_TRUE(action("mnuEditRedo")->isEnabled()); // the 448 can still come back
    type(QStringLiteral("449"));
    key(Qt::Key_Down);
    EXPECT_FALSE(action("mnuEditRedo")->isEnabled());
    EXPECT_FALSE(editHistory().canRedo());

    // In Chinese the items name the step in Chinese.
    app().languageIndex = Chinese;
    QMenu* edit = main_->menu(QStringLiteral("mnuEdit"));
    Q_EMIT edit->aboutToShow();
    EXPECT_EQ(action("mnuEditUndo")->text(), "撤销 信道3 接收频率(&U)");
}

TEST_F(UndoRedo, BandChangeBatchApplyAndFeatureValueAreOneStepEach) {
    const QByteArray saved = bytes();
    const QString startTitle = main_->windowTitle();

    // A band change: the model window, OK and the warning answered with OK.
    messages_.answer(MsgAnswer::Ok);
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_TRUE(modal);
        modal->findChild<QComboBox*>(QStringLiteral("Combo2"))->setCurrentIndex(0);
        modal->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
    action("mnuModelInfo")->trigger();
    ASSERT_EQ(app().bandText, "136 - 174 MHz");
    EXPECT_FALSE(IsModified()); // a new document for the new band
    const QByteArray newBand = bytes();

    // A batch Apply over all 128 channels.
    {
        FrmCHBatch batch;
        batch.show();
        batch.findChild<QRadioButton*>(QStringLiteral("Option1_0"))->click();
        batch.findChild<QPushButton*>(QStringLiteral("CommandApply"))->click();
    }
    ASSERT_EQ(app().document.channelCount, 128);
    const QByteArray batched = bytes();

    // A feature value chosen with the keyboard in its list.
    OpenWindow(QStringLiteral("FrmOptFeatures"));
    QWidget* features = FindOpenWindow(QStringLiteral("FrmOptFeatures"));
    ASSERT_TRUE(features);
    auto* squelch = features->findChild<QComboBox*>(QStringLiteral("Combo1_2"));
    const int16 level = app().document.settings.features.optional.squelchLevel;
    const QString shown = squelch->currentText();
    QTest::keyClick(squelch, level < 9 ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_NE(app().document.settings.features.optional.squelchLevel, level);
    QApplication::setActiveWindow(main_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
    EXPECT_EQ(editHistory().undoSteps(), 3);
    undoKey();
    EXPECT_TRUE(bytes() == batched);
    EXPECT_EQ(squelch->currentText(), shown); // the open window shows the restored value
    undoKey();
    EXPECT_TRUE(bytes() == newBand);
    undoKey();
    EXPECT_TRUE(bytes() == saved);
    EXPECT_EQ(app().bandText, "400 - 480 MHz");
    EXPECT_EQ(main_->windowTitle(), startTitle);
    EXPECT_FALSE(IsModified());

    for (int i = 0; i < 3; ++i)
        redoKey();
    EXPECT_EQ(app().bandText, "136 - 174 MHz");
    EXPECT_EQ(app().document.channelCount, 128);
    EXPECT_NE(app().document.settings.features.optional.squelchLevel, level);
    EXPECT_NE(squelch->currentText(), shown);
}
