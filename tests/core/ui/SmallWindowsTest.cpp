#include "ShellFixture.h"

#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/ProfileFile.h"
#include "core/ui/AboutWindows.h"
#include "core/ui/FrmModelInfo.h"
#include "core/ui/Help.h"
#include "link/ui/FrmComSet.h"
#include "link/ui/FrmPassWord.h"
#include "core/Language.h"
#include "link/Ports.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>

namespace {
void click(QWidget* window, const char* name) {
    window->findChild<QPushButton*>(QLatin1String(name))->click();
}

QByteArray templateOfBand(const QString& folder, int band) {
    QFile f(QDir(folder).filePath(QStringLiteral("Init/VM427_%1.dat").arg(band)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST_F(ShellTest, ModelWindowChangesTheBandAfterTheWarning) {
    FrmMain* main = start();
    {
        FrmModelInfo window; // unchanged: no question
        EXPECT_EQ(window.windowTitle(), "Model Information");
        EXPECT_EQ(window.findChild<QComboBox*>(QStringLiteral("Combo2"))->currentText(),
                  "400 - 480 MHz");
        click(&window, "Command1");
        EXPECT_TRUE(messages_.shown().isEmpty());
    }
    app().document.settings.features.optional.squelchLevel = 9;
    {
        FrmModelInfo window; // Cancel in the question keeps document and band
        window.findChild<QComboBox*>(QStringLiteral("Combo2"))->setCurrentIndex(0);
        click(&window, "Command1");
        ASSERT_EQ(messages_.shown().size(), 1);
        EXPECT_EQ(messages_.shown()[0].text, "Frequency data will be cleared.");
        EXPECT_EQ(messages_.shown()[0].title, "Warning");
        EXPECT_EQ(messages_.shown()[0].buttons, MsgButtons::OkCancel);
        EXPECT_EQ(messages_.shown()[0].icon, MsgIcon::Warning);
        EXPECT_EQ(app().bandText, "400 - 480 MHz");
        EXPECT_EQ(app().document.settings.features.optional.squelchLevel, 9);
    }
    messages_.answer(MsgAnswer::Ok);
    FrmModelInfo window;
    window.findChild<QComboBox*>(QStringLiteral("Combo2"))->setCurrentIndex(0);
    click(&window, "Command1");
    EXPECT_EQ(app().bandLower, 136);
    EXPECT_EQ(app().bandUpper, 174);
    EXPECT_TRUE(main->windowTitle().endsWith("[ZR580:136 - 174 MHz][File Name:new.dat]"));
    EXPECT_EQ(panel(2), "ZR580[136 - 174 MHz]");
    // The new document comes from the template of band 0.
    const QByteArray band0 = templateOfBand(folder_.path(), 0);
    ASSERT_EQ(band0.size(), 7979);
    EXPECT_EQ(SerializeDocument(app().document), band0);
    EXPECT_EQ(openChildren(), QStringList({"frmCommChInfo"}));
}

TEST_F(ShellTest, ComPortWindowFollowsAssignedPortsAppearingAndDisappearing) {
    FrmMain* main = start();
    const QString device = path("fake-tty");
    QFile(device).open(QIODevice::WriteOnly);
    ASSERT_TRUE(AssignPort(207, device));
    devices_ = {QStringLiteral("/dev/ttyUSB1")}; // COM34

    FrmComSet window;
    auto* list = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
    EXPECT_EQ(window.windowTitle(), "Set COM");
    EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("CommandOK"))->text(), "&OK");
    // The stored port is not present: the first entry is shown.
    EXPECT_EQ(list->currentText(), "COM34");
    list->setCurrentIndex(list->findText("COM207"));
    emit list->activated(list->currentIndex());
    EXPECT_EQ(window.portId(), 207);

    // The assigned device goes away: the list follows, the shown port falls back.
    QFile::remove(device);
    window.refreshPorts();
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(window.portId(), 34);
    // And comes back: the list grows, the shown port stays.
    QFile(device).open(QIODevice::WriteOnly);
    window.refreshPorts();
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(window.portId(), 34);
    list->setCurrentIndex(list->findText("COM207"));
    click(&window, "CommandOK");
    EXPECT_EQ(app().comPort, 207);
    EXPECT_EQ(ProfileFile(path("language/mysetup.ini")).read("language", "comPort"), "207");
    EXPECT_EQ(panel(3), "COM207");

    // No port at all: nothing selected, OK sets 0.
    QFile::remove(device);
    devices_.clear();
    FrmComSet empty;
    EXPECT_EQ(empty.portId(), 0);
    EXPECT_EQ(empty.findChild<QComboBox*>(QStringLiteral("Combo1"))->currentIndex(), -1);
    click(&empty, "CommandOK");
    EXPECT_EQ(app().comPort, 0);
    EXPECT_EQ(main->findChild<QLabel*>(QStringLiteral("sbStatusBar_3"))->text(), "COM0");
}

TEST_F(ShellTest, ComPortWindowTellsTwoCablesApart) {
    start("zh");
    const QString pty = path("fake-tty");
    QFile(pty).open(QIODevice::WriteOnly);
    ASSERT_TRUE(AssignPort(207, pty));
    SetSystemPortDetailsLister([] {
        return QList<PortDetails>{{"/dev/ttyUSB0", "USB Serial", "Maker A", "A100"},
                                  {"/dev/ttyUSB1", "USB Serial", "Maker A", "A200"}};
    });
    app().comPort = 34;
    FrmComSet window;
    auto* list = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto shown = [&] {
        QStringList texts;
        for (const char* name : {"PortDevice", "PortDescription", "PortManufacturer", "PortSerialNumber"})
            texts.append(window.findChild<QLabel*>(QLatin1String(name))->text());
        return texts;
    };
    EXPECT_EQ(list->count(), 3) << "the list itself is unchanged";
    EXPECT_EQ(shown(), QStringList({"/dev/ttyUSB1", "USB Serial", "Maker A", "A200"}));
    list->setCurrentIndex(list->findText("COM33"));
    emit list->activated(list->currentIndex());
    EXPECT_EQ(shown(), QStringList({"/dev/ttyUSB0", "USB Serial", "Maker A", "A100"}));
    // A device the system does not list (a pseudo-terminal) shows its path only.
    list->setCurrentIndex(list->findText("COM207"));
    emit list->activated(list->currentIndex());
    EXPECT_EQ(shown(), QStringList({pty, "-", "-", "-"}));
    // The adapter is unplugged: the details follow the port shown instead.
    SetSystemPortDetailsLister([] {
        return QList<PortDetails>{{"/dev/ttyUSB0", "USB Serial", "Maker A", "A100"}};
    });
    QFile::remove(pty);
    window.refreshPorts();
    EXPECT_EQ(shown(), QStringList({"/dev/ttyUSB0", "USB Serial", "Maker A", "A100"}));
    // The labels are in the window's language.
    bool captioned = false;
    for (QLabel* label : window.findChildren<QLabel*>())
        captioned |= label->text() == LanguageText(QStringLiteral("Install"), QStringLiteral("SerialNumber"));
    EXPECT_TRUE(captioned);
}

TEST_F(ShellTest, PasswordWindowTrimsAndKeepsTheHeldPassword) {
    start("zh");
    app().heldPassword = QStringLiteral("12");
    {
        FrmPassWord window;
        EXPECT_EQ(window.windowTitle(), "编程密码");
        EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("CommandCancel"))->text(),
                  "取消(&C)");
        auto* text = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
        EXPECT_EQ(text->text(), "12");
        text->clear();
        for (QChar c : QStringLiteral("abcdef")) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(text, &key);
        }
        EXPECT_EQ(text->text(), "abcd");
        click(&window, "CommandCancel");
        EXPECT_EQ(app().heldPassword, "12");
    }
    FrmPassWord window;
    auto* text = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
    text->setText(QStringLiteral("ab  "));
    click(&window, "CommandOK");
    EXPECT_EQ(app().heldPassword, "ab");

    // From the menu (modal, as during a transfer).
    const QString seen = whileModal(
        [&] { action("MnuProPassWord")->trigger(); },
        [](QWidget* w) {
            w->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral(" x y"));
            w->findChild<QPushButton*>(QStringLiteral("CommandOK"))->click();
        });
    EXPECT_EQ(seen, "FrmPassWord");
    EXPECT_EQ(app().heldPassword, " x y");
    auto answer = std::optional<QString>();
    QTimer::singleShot(0, [] {
        QApplication::activeModalWidget()->findChild<QPushButton*>("CommandCancel")->click();
    });
    answer = ShowPasswordWindow();
    EXPECT_FALSE(answer.has_value());
    EXPECT_EQ(app().heldPassword, " x y");
}

TEST_F(ShellTest, AboutAndPrintWindowsByLanguage) {
    start("en");
    EXPECT_EQ(whileModal([&] { action("mnuHelpAbout")->trigger(); }), "FrmAbout2");
    EXPECT_EQ(whileModal([&] { main_->toolButton(5)->trigger(); }), "FrmPrintList");
    QString version;
    whileModal([&] { main_->toolButton(13)->trigger(); },
               [&](QWidget* w) {
                   version = w->findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
                   w->close();
               });
    EXPECT_EQ(version, "Version 2.0.0");

    app().languageIndex = Chinese;
    main_->CheckLanguageChange();
    whileModal([&] { action("mnuHelpAbout")->trigger(); },
               [&](QWidget* w) {
                   EXPECT_EQ(w->objectName(), "frmAbout");
                   EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
                             "版    本: 2.0.0");
                   // No system-information viewer on the search path: said in a box.
                   const QByteArray oldPath = qgetenv("PATH");
                   qputenv("PATH", path("empty").toLocal8Bit());
                   w->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
                   qputenv("PATH", oldPath);
                   w->close();
               });
    EXPECT_EQ(messages_.texts(), QStringList({"此时系统信息不可用"}));
}

TEST_F(ShellTest, HelpOpensThePageOfEachContextInTheCurrentLanguage) {
    start("en");
    // Every menu context number and every window's number has a page in both books.
    const int contexts[] = {100,  101,  102,  103,  104,  105,  200,  201,  300,  3100,
                            3200, 3400, 3401, 3404, 3500, 3501, 3514, 3700, 3800, 3900,
                            400,  401,  402,  403,  500,  501,  502,  600,  601,  602,
                            603,  700,  701,  702,  800,  801,  802};
    for (int language : {English, Chinese}) {
        app().languageIndex = static_cast<int16>(language);
        for (int id : contexts) {
            ShowHelpContext(id);
            QTextBrowser* browser = CurrentHelpBrowser();
            ASSERT_NE(browser, nullptr);
            const QString page = browser->source().toLocalFile();
            EXPECT_FALSE(page.endsWith("index.html")) << id;
            EXPECT_TRUE(QFile::exists(page)) << id;
            EXPECT_TRUE(page.contains(language == English ? "ZR580_e" : "ZR580_c")) << id;
            EXPECT_FALSE(browser->toPlainText().trimmed().isEmpty()) << id;
        }
    }
    app().languageIndex = English;
    action("mnuHelpTopic")->trigger();
    EXPECT_TRUE(CurrentHelpBrowser()->source().toLocalFile().endsWith("ZR580_e/index.html"));

    // F1 on a highlighted menu item opens the page of its context number.
    QMenu* file = main_->menu("mnuFile");
    file->setActiveAction(action("mnuFileOpen"));
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(file, &f1);
    EXPECT_TRUE(CurrentHelpBrowser()->source().toString().endsWith("file.html#open"));

    // A missing book is said in the help window itself.
    QDir(path("ZR580_e")).removeRecursively();
    ShowHelpContext(3100);
    EXPECT_TRUE(CurrentHelpBrowser()->toPlainText().contains("ZR580_e"));
    EXPECT_TRUE(CurrentHelpBrowser()->toPlainText().contains("not found"));
}

// The window icon's picture the desktop program carries, drawn when it was
// built, is the logo as the program draws it, pixel for pixel.
TEST(ProgramLogo, CarriedPictureIsTheDrawing) {
    const QImage carried(QStringLiteral(ZR580_LOGO_PNG));
    ASSERT_EQ(carried.size(), QSize(64, 64));
    // The window tests carry no picture: their icon paints the logo.
    const QImage expected =
        ProgramIcon().pixmap(QSize(64, 64), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(carried.convertToFormat(QImage::Format_ARGB32), expected);
}
