#include "ShellFixture.h"

#include "core/ui/FrmSetLanguage.h"

#include <QComboBox>
#include <QPushButton>

namespace {
QStringList items(QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->itemText(i));
    return texts;
}

// Opens the language window, picks an entry and presses OK (or Cancel).
void chooseLanguage(const QString& entry, bool ok = true) {
    FrmSetLanguage window;
    auto* list = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
    list->setCurrentIndex(list->findText(entry));
    window.findChild<QPushButton*>(QLatin1String(ok ? "Command1" : "Command2"))->click();
}
} // namespace

TEST_F(ShellTest, LanguageListOffersChineseOnlyAfterAStartInChinese) {
    start("en");
    {
        FrmSetLanguage window;
        EXPECT_EQ(window.windowTitle(), "Set Language");
        EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("Command1"))->text(), "&OK");
        EXPECT_EQ(items(window.findChild<QComboBox*>(QStringLiteral("Combo1"))),
                  QStringList({"English"}));
    }
    main_.reset();
    resetAppState();
    start("zh");
    {
        FrmSetLanguage window;
        EXPECT_EQ(window.windowTitle(), "语言设置");
        auto* list = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
        EXPECT_EQ(items(list), QStringList({"英语", "中文"}));
        EXPECT_EQ(list->currentText(), "中文");
    }
    chooseLanguage(QStringLiteral("英语"));
    FrmSetLanguage window;
    auto* list = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
    EXPECT_EQ(items(list), QStringList({"English", "Chinese"}));
    EXPECT_EQ(list->currentText(), "English");
}

TEST_F(ShellTest, LanguageChangeRecaptionsOnActivationAndReopensOnlyTheChannelWindow) {
    FrmMain* main = start("zh");
    ShowChildWindow(QStringLiteral("TestChild"));
    chooseLanguage(QStringLiteral("英语"));
    EXPECT_EQ(app().languageIndex, English);
    // Nothing changes until the main window becomes active again.
    EXPECT_EQ(app().languageShown, Chinese);
    EXPECT_EQ(main->menu("mnuFile")->title(), "文件&F");
    EXPECT_TRUE(FindWindowByName(QStringLiteral("TestChild")));

    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(main, &activate);
    QApplication::processEvents();
    EXPECT_EQ(app().languageShown, English);
    EXPECT_EQ(main->menu("mnuFile")->title(), "&File");
    EXPECT_EQ(main->windowTitle(), "ZR580[ZR580:400 - 480 MHz][File Name:new.dat]");
    EXPECT_EQ(panel(3), "COM" + QString::number(app().comPort));
    EXPECT_EQ(main->toolButton(9)->text(), "Write");
    EXPECT_EQ(openChildren(), QStringList({"frmCommChInfo"}));
}

TEST_F(ShellTest, ChoosingTheCurrentLanguageOrCancelChangesNothing) {
    FrmMain* main = start("zh");
    ShowChildWindow(QStringLiteral("TestChild"));
    chooseLanguage(QStringLiteral("中文"));
    chooseLanguage(QStringLiteral("英语"), false);
    EXPECT_EQ(app().languageIndex, Chinese);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(main, &activate);
    QApplication::processEvents();
    EXPECT_TRUE(FindWindowByName(QStringLiteral("TestChild")));
    EXPECT_EQ(main->menu("mnuFile")->title(), "文件&F");
}
