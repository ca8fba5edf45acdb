#include "ShellFixture.h"

#include "core/ui/CaptionFont.h"
#include "core/ui/FrmSetLanguage.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGlyphRun>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRawFont>
#include <QTextLayout>
#include <QToolBar>
#include <algorithm>

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
bool isChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

// Qt's own texts on screen: the file dialog's "Look in" and "File name" labels, a
// child window's system menu and a text box's standard context menu.
QStringList qtTexts(FrmMain* main) {
    QFileDialog dialog(main);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList texts{dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(),
                      dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text()};
    QMdiSubWindow* child = main->mdiArea()->subWindowList().value(0);
    for (QAction* a : child->systemMenu()->actions())
        if (!a->isSeparator()) texts.append(a->text());
    QLineEdit box;
    std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) texts.append(a->text());
    return texts;
}
} // namespace

TEST_F(ShellTest, QtOwnTextsFollowTheLanguage) {
    FrmMain* main = start("zh");
    for (const QString& text : qtTexts(main))
        EXPECT_TRUE(isChinese(text)) << text.toStdString();
    chooseLanguage(QStringLiteral("英语"));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(main, &activate);
    for (const QString& text : qtTexts(main))
        EXPECT_FALSE(isChinese(text)) << text.toStdString();
}

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

// The Print caption is Chinese in both languages: in the English window it
// takes the program's own caption font, which draws it; in Chinese it is drawn
// as every other text, with the button's inherited font.
TEST_F(ShellTest, PrintCaptionTakesTheCaptionFontOnlyInTheEnglishWindow) {
    AddCaptionFont();
    FrmMain* main = start("zh");
    QWidget* print = main->findChild<QToolBar*>(QStringLiteral("tbToolBar"))
                         ->widgetForAction(main->toolButton(5));
    ASSERT_TRUE(print);
    EXPECT_EQ(print->font().resolveMask(), 0u);

    chooseLanguage(QStringLiteral("英语"));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(main, &activate);
    EXPECT_EQ(main->toolButton(5)->text(), "打印");
    EXPECT_EQ(print->font().families().constLast(), "ZR580 Caption");
    EXPECT_EQ(print->font().pointSizeF(), main->font().pointSizeF());
    QTextLayout layout(main->toolButton(5)->text(), print->font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList drawnWith;
    for (const QGlyphRun& run : layout.glyphRuns()) drawnWith.append(run.rawFont().familyName());
    EXPECT_EQ(drawnWith, QStringList({"ZR580 Caption"}));
    // The other captions keep the button font.
    EXPECT_EQ(main->findChild<QToolBar*>(QStringLiteral("tbToolBar"))
                  ->widgetForAction(main->toolButton(1))
                  ->font()
                  .resolveMask(),
              0u);
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
