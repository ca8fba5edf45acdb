// The batch window: texts from the language files, offered functions, box rules
// and an apply driven through its controls.

#include "ChannelWindowFixture.h"
#include "channels/BatchEdit.h"
#include "channels/ui/FrmCHBatch.h"

#include <QFile>
#include <QGroupBox>
#include <QRadioButton>
#include <memory>

namespace {
class BatchWindow : public ChannelWindowTest {
  protected:
    std::unique_ptr<FrmCHBatch> open() {
        auto window = std::make_unique<FrmCHBatch>();
        window->show();
        activate(window.get());
        return window;
    }
    static QByteArray flagFile(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(BatchWindow, TextsComeFromTheLanguageFileOfTheCurrentLanguage) {
    auto window = open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Batch Channel Edit"));
    EXPECT_EQ(child<QLabel>(window.get(), "LabelHint")->text(),
              QStringLiteral("Channel=(GroupID-1)*16+ChannelID"));
    EXPECT_EQ(child<QCheckBox>(window.get(), "Check2_10")->text(),
              QStringLiteral("Busy Channel Lock-out"));
    EXPECT_EQ(child<QComboBox>(window.get(), "Combo1_6")->itemText(2), QStringLiteral("Repeater"));
    EXPECT_EQ(child<QLineEdit>(window.get(), "Text2_0")->text(), QStringLiteral("136.00000"));
    window.reset();

    app().languageIndex = Chinese;
    window = open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("批信道编辑"));
    EXPECT_EQ(child<QPushButton>(window.get(), "CommandApply")->text(), QStringLiteral("应用(&A)"));
    EXPECT_EQ(child<QComboBox>(window.get(), "Combo1_2")->itemText(0), QStringLiteral("低"));
    EXPECT_EQ(child<QComboBox>(window.get(), "Combo1_0")->itemText(0), QStringLiteral("无"));
    // Every shown control has a text in both languages.
    for (int16 language : {English, Chinese}) {
        app().languageIndex = language;
        window = open();
        child<QPushButton>(window.get(), "CommandFun")->click();
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
            if (b->isVisible()) {
                EXPECT_FALSE(b->text().isEmpty()) << b->objectName().toStdString();
            }
        for (QLabel* l : window->findChildren<QLabel*>())
            if (l->isVisible() && l->objectName() != QLatin1String("LabelStatus")) {
                EXPECT_FALSE(l->text().isEmpty()) << l->objectName().toStdString();
            }
        for (QGroupBox* g : window->findChildren<QGroupBox*>())
            if (g->isVisible()) {
                EXPECT_FALSE(g->title().isEmpty()) << g->objectName().toStdString();
            }
    }
}

TEST_F(BatchWindow, FunctionCheckBoxesShowHideAndPersistTheirFlags) {
    const QString file = path(QStringLiteral("BatchFun.ini"));
    QFile::remove(file);
    auto window = open();
    EXPECT_EQ(flagFile(file).size(), 20); // created with the defaults
    auto* rxFrame = child<QGroupBox>(window.get(), "FrameRx");
    EXPECT_FALSE(rxFrame->isHidden());
    child<QPushButton>(window.get(), "CommandFun")->click();
    auto* rxCheck = child<QCheckBox>(window.get(), "Check2_0");
    ASSERT_TRUE(rxCheck->isVisible());
    rxCheck->click();
    EXPECT_TRUE(rxFrame->isHidden());
    EXPECT_EQ(flagFile(file).at(0), 0);
    // Check2(13) sets byte 10; it is one of the hidden, not applied functions.
    EXPECT_TRUE(child<QCheckBox>(window.get(), "Check2_13")->isHidden());

    child<QPushButton>(window.get(), "CommandSelNone")->click();
    const QByteArray none = flagFile(file);
    for (int b : {0, 1, 2, 3, 4, 7, 8, 13, 16, 17})
        EXPECT_EQ(none.at(b), 0) << b;
    child<QPushButton>(window.get(), "CommandSelAll")->click();
    EXPECT_EQ(flagFile(file), QByteArray::fromHex("0101010101000001010000000001000001010000"));
    window.reset();

    // A new window shows the stored choice.
    batchFlags()[7] = 0;
    SaveBatchFunctionFlags();
    window = open();
    EXPECT_FALSE(child<QCheckBox>(window.get(), "Check2_9")->isChecked());
    EXPECT_TRUE(child<QComboBox>(window.get(), "Combo1_5")->parentWidget()->isHidden());
}

TEST_F(BatchWindow, RangeBoxesAndApplyRefreshTheOpenGrid) {
    FrmCommChInfo* grid = openGrid();
    auto window = open();
    auto* from = child<QLineEdit>(window.get(), "Text1_0");
    auto* to = child<QLineEdit>(window.get(), "Text1_1");
    from->setFocus();
    from->selectAll();
    type(QStringLiteral("2x00"));
    EXPECT_EQ(from->text(), QStringLiteral("128"));
    from->selectAll();
    type(QStringLiteral("3"));
    to->setFocus();
    to->selectAll();
    type(QStringLiteral("1"));
    child<QRadioButton>(window.get(), "Option1_1")->click();
    auto* start = child<QLineEdit>(window.get(), "Text2_0");
    start->setFocus();
    start->selectAll();
    type(QStringLiteral("145.000"));
    auto* step = child<QLineEdit>(window.get(), "Text2_1");
    step->setFocus(); // leaving the start box validates it
    EXPECT_EQ(start->text(), QStringLiteral("145.00000"));
    step->selectAll();
    type(QStringLiteral("12.5"));
    child<QPushButton>(window.get(), "CommandApply")->click();

    EXPECT_EQ(app().document.channelCount, 3);
    EXPECT_EQ(cell(grid, 1, 1), QStringLiteral("145.00000"));
    EXPECT_EQ(cell(grid, 2, 1), QStringLiteral("145.01250"));
    EXPECT_EQ(cell(grid, 3, 1), QStringLiteral("145.02500"));
    EXPECT_EQ(child<QLabel>(window.get(), "LabelStatus")->text(),
              QStringLiteral("Applied: 3 channels from 1 to 3 are set."));
    EXPECT_TRUE(messages_.shown().isEmpty());
}
} // namespace
