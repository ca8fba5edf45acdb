#include "ShellFixture.h"

#include "core/Hooks.h"
#include "core/ProfileFile.h"
#include "core/ui/LifeCycle.h"
#include "core/ui/MainMenuTable.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

namespace {
QStringList treeTexts(FrmMain* main) {
    auto* tree = main->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    QStringList texts;
    QTreeWidgetItem* root = tree->topLevelItem(0);
    texts.append(root->text(0));
    for (int i = 0; i < root->childCount(); ++i)
        texts.append(root->child(i)->text(0));
    return texts;
}
} // namespace

TEST_F(ShellTest, StartsInEnglishWithTitleStatusBarAndDefaultGeometry) {
    devices_ = {QStringLiteral("/dev/ttyS2"), QStringLiteral("/dev/ttyUSB0")};
    ProfileFile setup(path("language/mysetup.ini"));
    setup.write("language", "IsFirstRun", "1");
    setup.write("language", "comPort", "9"); // no longer present
    FrmMain* main = start("en");

    EXPECT_EQ(app().languageIndex, English);
    EXPECT_EQ(main->windowTitle(), "ZR580[ZR580:400 - 480 MHz][File Name:new.dat]");
    EXPECT_EQ(panel(2), "ZR580[400 - 480 MHz]");
    // The missing port gave way to the first present one, and both keys were written.
    EXPECT_EQ(panel(3), "COM3");
    EXPECT_EQ(setup.read("language", "comPort"), "3");
    EXPECT_EQ(setup.read("language", "IsFirstRun"), "0");
    // 100, 100, 14500 x 10500 twips, as far as the test screen (800 wide) takes
    // it with the window's frame.
    EXPECT_EQ(main->pos(), QPoint(0, 6));
    EXPECT_EQ(main->size(), QSize(784, 700));
    EXPECT_EQ(treeTexts(main),
              QStringList({"M427", "Channel Information", "Function Setup", "Key Setting",
                           "Scan Information", "Local Message", "Embedded Message"}));
    EXPECT_EQ(main->menu("mnuFile")->title(), "&File");
    EXPECT_EQ(main->toolButton(1)->text(), "New");
    EXPECT_EQ(main->toolButton(1)->toolTip(), "New");
    EXPECT_EQ(main->toolButton(8)->toolTip(), "Set COM");
    EXPECT_EQ(main->toolButton(13)->toolTip(), "Help");
    // The channel window opened with the new document.
    EXPECT_EQ(openChildren(), QStringList({"frmCommChInfo"}));
}

// As the program starts: the first frame shows the stored port, the port check
// runs once that frame is on screen, and a stored port that is not present then
// gives way to the first present one, on screen and in the settings file. A
// present stored port is shown and kept as it is.
TEST_F(ShellTest, PortCheckWaitsForTheFirstFrame) {
    devices_ = {QStringLiteral("/dev/ttyS2"), QStringLiteral("/dev/ttyUSB0")};
    const struct {
        const char* stored;
        const char* afterwards;
    } cases[] = {{"9", "3"}, {"33", "33"}};
    for (const auto& [stored, afterwards] : cases) {
        ProfileFile setup(path("language/mysetup.ini"));
        setup.write("language", "comPort", stored);
        qputenv("ZR580_LANG", "en");
        StartProgram();
        main_ = std::make_unique<FrmMain>();
        FinishStartup();
        FinishStartupOnceShown(*main_);
        main_->show();
        EXPECT_FALSE(StartupShownStepsDone()) << stored;
        EXPECT_EQ(panel(3), QStringLiteral("COM") + QLatin1String(stored));
        QTRY_VERIFY_WITH_TIMEOUT(StartupShownStepsDone(), 900); // before the fallback
        EXPECT_EQ(panel(3), QStringLiteral("COM") + QLatin1String(afterwards));
        EXPECT_EQ(app().comPort, QByteArray(afterwards).toInt());
        EXPECT_EQ(setup.read("language", "comPort"), QLatin1String(afterwards));
        main_.reset();
    }
}

TEST_F(ShellTest, StartsInChineseByLocale) {
    FrmMain* main = start("zh");
    EXPECT_EQ(app().languageIndex, Chinese);
    EXPECT_EQ(app().startLanguage, Chinese);
    EXPECT_EQ(main->windowTitle(), "ZR580[ZR580:400 - 480 MHz][文件名:new.dat]");
    EXPECT_EQ(panel(3), "通信口" + QString::number(app().comPort));
    EXPECT_EQ(main->menu("mnuFile")->title(), "文件&F");
    EXPECT_EQ(main->menu("mnuEdit")->title(), "编辑(E)");
    EXPECT_EQ(action("mnuHelpAbout")->text(), "关于 ZR580(&A)");
    EXPECT_EQ(treeTexts(main)[1], "信道信息(C)");
    EXPECT_EQ(main->toolButton(7)->text(), "读数");
    EXPECT_EQ(main->toolButton(7)->toolTip(), "从对讲机读取数据(R)");
    EXPECT_EQ(main->toolButton(5)->text(), "打印");
}

TEST_F(ShellTest, MenuItemsHaveTheirShortcutsHelpIdsAndStayHiddenWhenHidden) {
    FrmMain* main = start();
    for (const char* hidden :
         {"mnuWindowTileHorizontal", "mnuWindowTileVertical", "mnuWindowArrangeIcons",
          "mnuFleetLink", "mnuTestFre", "mnuTest", "mnuDTMF", "mnuFilePrint", "mnuMWriteToRadio"})
        EXPECT_FALSE(action(hidden)->isVisible()) << hidden;
    EXPECT_FALSE(main->menu("mnuTools")->menuAction()->isVisible());
    EXPECT_FALSE(main->toolButton(11)->isVisible());
    for (const char* shown : {"mnuFileNew", "mnuEMG", "MnuBatch", "MnuProPassWord", "mnuCloseAll"})
        EXPECT_TRUE(action(shown)->isVisible()) << shown;

    EXPECT_EQ(action("mnuFileNew")->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(action("mnuFileOpen")->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_TRUE(action("mnuFileSave")->shortcut().isEmpty());
    EXPECT_EQ(action("mnuChannelInfo")->property("helpId").toInt(), 3100);
    EXPECT_EQ(action("mnuEMG")->property("helpId").toInt(), 3800);
    EXPECT_EQ(main->menu("mnuHelp")->menuAction()->property("helpId").toInt(), 800);
    EXPECT_TRUE(action("mnuFileBar0")->isSeparator());

    // A language change and re-captioning never brings a hidden item back.
    app().languageIndex = Chinese;
    main->CheckLanguageChange();
    EXPECT_FALSE(action("mnuFilePrint")->isVisible());
    EXPECT_FALSE(main->toolButton(11)->isVisible());
}

TEST_F(ShellTest, ViewItemsToggleTheirPartsAndTheTreeCloseButtonClearsTheMark) {
    FrmMain* main = start();
    auto* panel = main->findChild<QWidget*>(QStringLiteral("Picture1"));
    action("mnuViewToolbar")->trigger();
    EXPECT_FALSE(action("mnuViewToolbar")->isChecked());
    EXPECT_FALSE(main->findChild<QToolBar*>(QStringLiteral("tbToolBar"))->isVisible());
    action("mnuViewStatusBar")->trigger();
    EXPECT_FALSE(action("mnuViewStatusBar")->isChecked());
    EXPECT_FALSE(main->statusBar()->isVisible())
        << main->statusBar()->objectName().toStdString() << main->statusBar()->isHidden();

    main->findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions().first()->trigger();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(action("mnuTreeView")->isChecked());
    action("mnuTreeView")->trigger();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(action("mnuTreeView")->isChecked());
}

TEST_F(ShellTest, SplitterKeepsThePanelAtLeast300Twips) {
    FrmMain* main = start();
    auto* panel = main->findChild<QWidget*>(QStringLiteral("Picture1"));
    const int twips = panel->width() * 15;
    EXPECT_FALSE(main->MoveSplitter(299 - twips));
    EXPECT_EQ(panel->width() * 15, twips);
    EXPECT_TRUE(main->MoveSplitter(300 - twips));
    EXPECT_EQ(panel->width() * 15, 300);
    // Never wider than the inner width of the window.
    EXPECT_FALSE(main->MoveSplitter(main->centralWidget()->width() * 15));
    EXPECT_EQ(panel->width() * 15, 300);
}

TEST_F(ShellTest, ResizeStopsTheLinkTimersOnlyOutsideATransfer) {
    FrmMain* main = start();
    int stopped = 0;
    bool transferring = true;
    hooks().disableLinkTimers = [&] { ++stopped; };
    hooks().transferRunning = [&] { return transferring; };
    main->resize(900, 650);
    QApplication::processEvents();
    EXPECT_EQ(stopped, 0);
    transferring = false;
    main->resize(920, 660);
    QApplication::processEvents();
    EXPECT_EQ(stopped, 1);
    hooks().transferRunning = nullptr;
    main->resize(940, 670);
    QApplication::processEvents();
    EXPECT_EQ(stopped, 2);
}

TEST_F(ShellTest, WindowMenuListsOpenChildrenAndCloseAllClosesThem) {
    FrmMain* main = start();
    ShowChildWindow(QStringLiteral("TestChild"));
    EXPECT_TRUE(FindWindowByName(QStringLiteral("TestChild")));
    // Opening an open window brings it to the front instead of a second copy.
    ShowChildWindow(QStringLiteral("frmCommChInfo"));
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 2);

    QMenu* window = main->menu("mnuWindow");
    emit window->aboutToShow();
    QStringList listed;
    QString checked;
    for (QAction* a : window->actions())
        if (a->objectName().startsWith(QLatin1String("mnuWindowList_"))) {
            listed.append(a->text());
            if (a->isChecked()) checked = a->text();
        }
    const QString channelTitle = FindOpenWindow(QStringLiteral("frmCommChInfo"))->windowTitle();
    EXPECT_EQ(listed, QStringList({"&1 " + channelTitle, "&2 TestChild"}));
    EXPECT_EQ(checked, "&1 " + channelTitle);

    // A new document leaves exactly one frame: the channel window's.
    main->LoadNewDoc();
    int frames = 0;
    for (QMdiSubWindow* sub : main->mdiArea()->subWindowList())
        frames += sub->isVisible() ? 1 : 0;
    EXPECT_EQ(frames, 1);

    action("mnuCloseAll")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(openChildren().isEmpty());
    EXPECT_FALSE(FindWindowByName(QStringLiteral("TestChild")));
    emit window->aboutToShow();
    for (QAction* a : window->actions())
        EXPECT_FALSE(a->objectName().startsWith(QLatin1String("mnuWindowList_")));
}

TEST_F(ShellTest, WindowPositionIsStoredInTwipsAndRestored) {
    FrmMain* main = start();
    main->move(30, 40);
    main->resize(700, 600);
    EXPECT_TRUE(main->close());
    const QRect stored = StoredMainWindowTwips();
    EXPECT_EQ(stored.size(), QSize(10500, 9000));
    main_.reset();
    FrmMain* again = start();
    EXPECT_EQ(again->size(), QSize(700, 600));

    // A position on a screen that is no longer there falls back to the default.
    main_.reset();
    StoreMainWindowTwips(QRect(300000, 300000, 12000, 9000));
    EXPECT_EQ(start()->pos(), QPoint(0, 6));

    // A stored size larger than the screen is fitted to it, the corner kept on it.
    main_.reset();
    StoreMainWindowTwips(QRect(6000, 3000, 30000, 30000));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    FrmMain* fitted = start();
    EXPECT_TRUE(screen.contains(fitted->frameGeometry())) << fitted->frameGeometry().width();
    EXPECT_LE(fitted->width(), screen.width());
}

// Dragging the splitter far right widens the panel up to the window's inner width
// but never the window, and exit stores the unchanged size.
TEST_F(ShellTest, SplitterDragNeverWidensTheWindow) {
    FrmMain* main = start();
    main->resize(700, 600);
    QApplication::processEvents();
    auto* splitter = main->findChild<QWidget*>(QStringLiteral("CommandMove"));
    auto* panel = main->findChild<QWidget*>(QStringLiteral("Picture1"));
    const QSize before = main->size();
    const QPoint grip = splitter->rect().center();
    for (int drag = 0; drag < 2; ++drag) {
        QTest::mousePress(splitter, Qt::LeftButton, {}, grip);
        // Offsets from the press point: one the window takes, one far beyond.
        for (int x : {300, 1500, 200}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(x, 0)),
                             splitter->mapToGlobal(QPointF(grip + QPoint(x, 0))), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(splitter, &move);
            QApplication::processEvents();
        }
        QTest::mouseRelease(splitter, Qt::LeftButton, {}, grip);
        QApplication::processEvents();
        EXPECT_EQ(main->size(), before);
        EXPECT_LE(panel->width() + splitter->width(), main->centralWidget()->width());
        EXPECT_GT(panel->width(), 500);
    }
    EXPECT_TRUE(main->close());
    EXPECT_EQ(StoredMainWindowTwips().width(), before.width() * 15);
}

// Right-clicking the toolbar or the menu bar offers nothing that could hide the
// toolbar behind View > Toolbar's back.
TEST_F(ShellTest, ToolbarAndMenuBarHaveNoContextMenu) {
    FrmMain* main = start();
    auto* toolBar = main->findChild<QToolBar*>(QStringLiteral("tbToolBar"));
    for (QWidget* bar : {static_cast<QWidget*>(toolBar), static_cast<QWidget*>(main->menuBar())}) {
        QString popup;
        QTimer::singleShot(0, [&] {
            if (QWidget* shown = QApplication::activePopupWidget()) {
                popup = shown->metaObject()->className();
                if (auto* menu = qobject_cast<QMenu*>(shown); menu && !menu->actions().isEmpty())
                    menu->actions().constFirst()->trigger();
                shown->close();
            }
        });
        const QPoint at = bar->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
        QApplication::sendEvent(bar, &event);
        QApplication::processEvents();
        EXPECT_EQ(popup, QString());
        EXPECT_TRUE(toolBar->isVisible());
        EXPECT_TRUE(action("mnuViewToolbar")->isChecked());
    }
}

// A window of fixed size is neither maximised by its title bar nor offered
// maximising or sizing in its system menu.
TEST_F(ShellTest, FixedSizeChildWindowsCannotBeMaximised) {
    FrmMain* main = start();
    action("mnuOptFeature")->trigger();
    QMdiSubWindow* sub = main->mdiArea()->activeSubWindow();
    ASSERT_TRUE(sub && sub->widget());
    ASSERT_EQ(sub->widget()->objectName(), QStringLiteral("FrmOptFeatures"));
    const QSize size = sub->size();
    EXPECT_FALSE(sub->windowFlags() & Qt::WindowMaximizeButtonHint);
    QTest::mouseDClick(sub, Qt::LeftButton, {}, QPoint(sub->width() / 2, 8));
    EXPECT_FALSE(sub->isMaximized());
    EXPECT_EQ(sub->size(), size);
    for (QAction* a : sub->systemMenu()->actions()) {
        const QString text = a->text().remove(QLatin1Char('&'));
        if (text == QStringLiteral("Maximize") || text == QStringLiteral("Size")) {
            EXPECT_FALSE(a->isVisible() && a->isEnabled()) << text.toStdString();
        }
    }
    // The resizable channel window keeps its maximise button.
    action("mnuChannelInfo")->trigger();
    EXPECT_TRUE(main->mdiArea()->activeSubWindow()->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(ShellTest, UnregisteredEntriesDoNothingAndTreeNodesOpenTheirWindows) {
    FrmMain* main = start();
    int ran = 0;
    RegisterCommand(QStringLiteral("ReadRadioInfo"), [&] { ++ran; });
    auto* tree = main->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    QTreeWidgetItem* root = tree->topLevelItem(0);
    emit tree->itemClicked(root, 0); // the root does nothing
    emit tree->itemClicked(root->child(5), 0);
    EXPECT_EQ(ran, 1);
    action("mnuEMG")->trigger();
    EXPECT_EQ(ran, 2);
    // Commands not registered yet: nothing happens, nothing breaks.
    if (!IsRegistered(QStringLiteral("WriteToRadio"))) action("mnuWriteToRadio")->trigger();
    action("mnuCloseAll")->trigger();
    QApplication::processEvents();
    emit tree->itemClicked(root->child(0), 0);
    EXPECT_EQ(openChildren(), QStringList({"frmCommChInfo"}));
}

TEST_F(ShellTest, EveryVisibleMenuItemAndToolButtonRunsWithoutHanging) {
    FrmMain* main = start();
    devices_.clear(); // no serial port: radio commands end with their message
    // Any modal window an entry opens is closed again at once.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    closer.start(5);
    QList<QAction*> entries;
    for (const MenuDef& menu : MainMenus())
        for (const MenuItemDef& item : menu.items)
            if (QAction* a = action(item.name); a->isVisible() && !a->isSeparator() &&
                                                a->objectName() != QLatin1String("mnuFileExit"))
                entries.append(a);
    for (int position = 1; position <= 13; ++position)
        if (QAction* a = main->toolButton(position); a->isVisible() && !a->isSeparator())
            entries.append(a);
    EXPECT_GT(entries.size(), 30);
    for (QAction* a : entries) {
        a->trigger();
        QApplication::processEvents();
    }
    EXPECT_TRUE(main->isVisible());
    main->toolButton(14)->trigger(); // Exit
    EXPECT_FALSE(main->isVisible());
}
