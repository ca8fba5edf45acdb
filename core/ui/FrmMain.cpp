#include "core/ui/FrmMain.h"

#include "core/AppState.h"
#include "core/DocumentOps.h"
#include "core/Hooks.h"
#include "core/Language.h"
#include "core/Startup.h"
#include "core/ui/AboutWindows.h"
#include "core/ui/CaptionFont.h"
#include "core/ui/ChildPlacement.h"
#include "core/ui/CommonCaptions.h"
#include "core/ui/FileCommands.h"
#include "core/ui/Help.h"
#include "core/ui/LifeCycle.h"
#include "core/ui/MainMenuTable.h"
#include "core/ui/PendingEdit.h"
#include "core/ui/ToolbarIcons.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {
FrmMain* g_instance = nullptr;

constexpr int kTwipsPerPixel = 15;
constexpr int kPanelStartTwips = 2700;
constexpr int kPanelMinimumTwips = 300;
// Room the window manager's frame and title bar take around the window.
constexpr QSize kFrameAllowance(16, 40);

const char* const kHelpIdProperty = "helpId";
const char* const kKeyProperty = "key";

// Tree nodes: key, menu item whose caption is the text.
struct TreeNode {
    const char* key;
    const char* menuItem;
};
constexpr TreeNode kTreeNodes[] = {
    {"N1", "mnuChannelInfo"}, {"N2", "mnuOptFeature"},  {"N3", "mnuKeyAssignm"},
    {"N4", "mnuScanInfo"},    {"N8", "mnuEmbeddedMsg"}, {"N9", "mnuEMG"},
};

// What a menu item (or the tree node of the same item) opens or runs.
struct Target {
    const char* item;
    const char* window;  // registered window, or
    const char* command; // registered command
};
constexpr Target kTargets[] = {
    {"mnuFilePrint", "FrmPrintList", nullptr},
    {"mnuModelInfo", "FrmModelInfo", nullptr},
    {"mnuChannelInfo", "frmCommChInfo", nullptr},
    {"mnuOptFeature", "FrmOptFeatures", nullptr},
    {"mnuKeyAssignm", "FrmKeyAssignm", nullptr},
    {"mnuScanInfo", "FrmScanInfo", nullptr},
    {"mnuEmbeddedMsg", "FrmEmbMsg", nullptr},
    {"mnuEMG", nullptr, "ReadRadioInfo"},
    {"mnuRadioInfo", nullptr, "ReadRadioInfo"},
    {"MnuBatch", "FrmCHBatch", nullptr},
    {"mnuReadFromRadio", nullptr, "ReadFromRadio"},
    {"mnuWriteToRadio", nullptr, "WriteToRadio"},
    {"MnuProPassWord", "FrmPassWord", nullptr},
    {"mnuComm", "FrmComSet", nullptr},
    {"mnuLanguage", "FrmSetLanguage", nullptr},
    {"mnuFileExportCsv", nullptr, "ExportChannelsCsv"},
    {"mnuFileImportCsv", nullptr, "ImportChannelsCsv"},
    {"mnuEditUndo", nullptr, "Undo"},
    {"mnuEditRedo", nullptr, "Redo"},
    {"mnuFileCompare", nullptr, "CompareWithFile"},
    {"mnuCompareRadio", nullptr, "CompareWithRadio"},
};

// The stored window rectangle (pixels: the frame's corner, the inside's size)
// fitted to the available screen area.
QRect fitToScreen(const QRect& wanted) {
    // The screen holding most of the wanted area; none: the default place.
    const QScreen* best = nullptr;
    int bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry().intersected(wanted);
        const int area = common.isEmpty() ? 0 : common.width() * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    QRect rect = wanted;
    if (!best) {
        const QRect fallback = DefaultMainWindowTwips();
        rect = QRect(fallback.x() / kTwipsPerPixel, fallback.y() / kTwipsPerPixel,
                     fallback.width() / kTwipsPerPixel, fallback.height() / kTwipsPerPixel);
        best = QGuiApplication::primaryScreen();
    }
    if (!best) return rect;
    // The corner is the frame's, the size the inside's: the frame and title bar
    // take room as well.
    const QRect room = best->availableGeometry().adjusted(0, 0, -kFrameAllowance.width(),
                                                          -kFrameAllowance.height());
    rect.setWidth(std::min(rect.width(), room.width()));
    rect.setHeight(std::min(rect.height(), room.height()));
    rect.moveLeft(std::clamp(rect.left(), room.left(), room.right() + 1 - rect.width()));
    rect.moveTop(std::clamp(rect.top(), room.top(), room.bottom() + 1 - rect.height()));
    return rect;
}
} // namespace

FrmMain* FrmMain::instance() {
    return g_instance;
}

FrmMain::FrmMain() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(ProgramIcon());
    g_instance = this;

    mdi_ = new QMdiArea;
    mdi_->setObjectName(QStringLiteral("MDIArea"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The child area yields all its width to the tree panel: a wide panel never
    // makes the window itself wider.
    mdi_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    // A child area that becomes smaller keeps every child inside it.
    mdi_->viewport()->installEventFilter(this);

    buildMenus();
    buildToolbar();
    buildPanel();
    buildStatusBar();
    connectActions();

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel_);
    layout->addWidget(splitter_);
    layout->addWidget(mdi_, 1);
    setCentralWidget(central);

    SetChildWindowHost(this);

    // Position and size from the user's settings, fitted to the screen.
    const QRect stored = StoredMainWindowTwips();
    const QRect fitted =
        fitToScreen(QRect(stored.x() / kTwipsPerPixel, stored.y() / kTwipsPerPixel,
                          stored.width() / kTwipsPerPixel, stored.height() / kTwipsPerPixel));
    move(fitted.topLeft()); // the frame's corner
    resize(fitted.size());  // the inside

    ApplyCaptions();
    BuildTree();
    LoadNewDoc();
}

FrmMain::~FrmMain() {
    if (CurrentChildWindowHost() == this) SetChildWindowHost(nullptr);
    if (g_instance == this) g_instance = nullptr;
}

void FrmMain::buildMenus() {
    for (const MenuDef& def : MainMenus()) {
        QMenu* m = menuBar()->addMenu(QString());
        m->setObjectName(QLatin1String(def.name));
        m->menuAction()->setObjectName(QLatin1String(def.name));
        m->menuAction()->setProperty(kHelpIdProperty, def.helpId);
        m->menuAction()->setVisible(def.visible);
        m->installEventFilter(this);
        menus_.insert(QLatin1String(def.name), m);
        for (const MenuItemDef& item : def.items) {
            QAction* a = item.caption.en.isEmpty() ? m->addSeparator() : m->addAction(QString());
            a->setObjectName(QLatin1String(item.name));
            a->setProperty(kHelpIdProperty, item.helpId);
            if (*item.shortcut)
                a->setShortcuts(QKeySequence::listFromString(QLatin1String(item.shortcut)));
            if (item.checkable) {
                a->setCheckable(true);
                a->setChecked(true);
            }
            // Items hidden when the window loads are never shown again.
            a->setVisible(item.visible);
            actions_.insert(QLatin1String(item.name), a);
        }
    }
    for (const AddedMenuItem& item : AddedMenuItems()) {
        QMenu* m = menus_.value(item.menu);
        if (!m || actions_.contains(item.name)) continue;
        auto* a = new QAction(m);
        a->setObjectName(item.name);
        a->setSeparator(!item.caption);
        if (!item.shortcut.isEmpty()) a->setShortcuts(QKeySequence::listFromString(item.shortcut));
        m->insertAction(actions_.value(item.before), a);
        actions_.insert(item.name, a);
    }
    connect(menus_.value(QStringLiteral("mnuWindow")), &QMenu::aboutToShow, this,
            &FrmMain::fillWindowList);
}

void FrmMain::buildToolbar() {
    toolBar_ = addToolBar(QString());
    toolBar_->setObjectName(QStringLiteral("tbToolBar"));
    toolBar_->setMovable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolbarIcons icons(toolBar_);
    for (const ToolButtonDef& def : MainToolButtons()) {
        QAction* a = nullptr;
        if (!def.key) {
            a = toolBar_->addSeparator();
        } else {
            a = toolBar_->addAction(icons.icon(QString::fromUtf8(def.key)), QString());
            a->setProperty(kKeyProperty, QString::fromUtf8(def.key));
            const QString key = QString::fromUtf8(def.key);
            connect(a, &QAction::triggered, this, [this, key] { runToolButton(key); });
        }
        a->setObjectName(QStringLiteral("tbToolBar_%1").arg(def.position));
        a->setVisible(def.visible);
        toolButtons_.insert(def.position, a);
    }
}

QAction* FrmMain::toolButton(int position) const {
    return toolButtons_.value(position, nullptr);
}

void FrmMain::buildPanel() {
    panel_ = new QWidget;
    panel_->setObjectName(QStringLiteral("Picture1"));
    panel_->setFixedWidth(kPanelStartTwips / kTwipsPerPixel);
    auto* panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);

    frame_ = new QFrame;
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setFrameShape(QFrame::StyledPanel);
    panelLayout->addWidget(frame_);
    auto* frameLayout = new QVBoxLayout(frame_);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    frameLayout->setSpacing(2);

    panelBar_ = new QToolBar;
    panelBar_->setObjectName(QStringLiteral("Toolbar1"));
    panelBar_->setIconSize(QSize(12, 12));
    QAction* hide =
        panelBar_->addAction(style()->standardIcon(QStyle::SP_TitleBarCloseButton), QString());
    hide->setObjectName(QStringLiteral("Toolbar1_1"));
    hide->setProperty(kKeyProperty, QStringLiteral("删除"));
    connect(hide, &QAction::triggered, this, [this] { setTreeVisible(false); });
    auto* barRow = new QHBoxLayout;
    barRow->setContentsMargins(0, 0, 0, 0);
    barRow->addStretch(1);
    barRow->addWidget(panelBar_);
    frameLayout->addLayout(barRow);

    tree_ = new QTreeWidget;
    tree_->setObjectName(QStringLiteral("TreeView1"));
    tree_->setHeaderHidden(true);
    connect(tree_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { onTreeClicked(item); });
    // Enter on a node opens it as a click does (itemActivated would also fire on
    // a click under some styles and open the entry twice).
    tree_->installEventFilter(this);
    frameLayout->addWidget(tree_, 1);

    rootLabel_ = new QLabel(QStringLiteral("M427"), panel_);
    rootLabel_->setObjectName(QStringLiteral("Label1"));
    rootLabel_->hide();

    splitter_ = new QFrame;
    splitter_->setObjectName(QStringLiteral("CommandMove"));
    static_cast<QFrame*>(splitter_)->setFrameShape(QFrame::VLine);
    splitter_->setFixedWidth(5);
    splitter_->setCursor(Qt::SizeHorCursor);
    splitter_->installEventFilter(this);
}

void FrmMain::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel;
        panels_[i]->setObjectName(QStringLiteral("sbStatusBar_%1").arg(i + 1));
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        panels_[i]->setMinimumWidth(i == 0 ? 0 : 160);
        bar->addPermanentWidget(panels_[i], i == 0 ? 1 : 0);
    }
}

void FrmMain::connectActions() {
    for (auto it = actions_.constBegin(); it != actions_.constEnd(); ++it) {
        if (it.value()->isSeparator()) continue;
        const QString name = it.key();
        connect(it.value(), &QAction::triggered, this, [this, name] { runMenuItem(name); });
    }
    // F1 opens the help page of the active editor window (through its Help
    // button), otherwise the help book's contents.
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] {
        if (QMdiSubWindow* sub = mdi_->activeSubWindow(); sub && sub->widget())
            if (auto* button =
                    sub->widget()->findChild<QAbstractButton*>(QStringLiteral("CommandHelp"))) {
                button->click();
                return;
            }
        ShowHelpTopics(this);
    });
    // The File menu's Print item stays hidden, but its key opens the print preview.
    auto* print = new QShortcut(QKeySequence::Print, this);
    print->setObjectName(QStringLiteral("shortcutPrint"));
    connect(print, &QShortcut::activated, this, [this] { runMenuItem(QStringLiteral("mnuFilePrint")); });
}

void FrmMain::runMenuItem(const QString& name) {
    for (const AddedMenuItem& item : AddedMenuItems())
        if (item.name == name) {
            RunCommand(item.command);
            return;
        }
    for (const Target& t : kTargets) {
        if (name != QLatin1String(t.item)) continue;
        // Entries whose window is not part of the program yet do nothing.
        if (t.window)
            OpenWindow(QLatin1String(t.window));
        else
            RunCommand(QLatin1String(t.command));
        return;
    }
    if (name == QLatin1String("mnuFileNew"))
        FileNew();
    else if (name == QLatin1String("mnuFileOpen"))
        FileOpen();
    else if (name == QLatin1String("mnuFileSave"))
        FileSave();
    else if (name == QLatin1String("mnuFileSaveAs"))
        FileSaveAs();
    else if (name == QLatin1String("mnuFileExit"))
        close();
    else if (name == QLatin1String("mnuTreeView"))
        setTreeVisible(!panel_->isVisible());
    else if (name == QLatin1String("mnuViewToolbar"))
        toolBar_->setVisible(actions_.value(name)->isChecked());
    else if (name == QLatin1String("mnuViewStatusBar"))
        statusBar()->setVisible(actions_.value(name)->isChecked());
    else if (name == QLatin1String("mnuWindowCascade"))
        Cascade();
    else if (name == QLatin1String("mnuWindowTileHorizontal") ||
             name == QLatin1String("mnuWindowTileVertical") ||
             name == QLatin1String("mnuWindowArrangeIcons"))
        mdi_->tileSubWindows();
    else if (name == QLatin1String("mnuCloseAll"))
        CloseCurAllWindows();
    else if (name == QLatin1String("mnuHelpTopic"))
        ShowHelpTopics(this);
    else if (name == QLatin1String("mnuHelpAbout"))
        showAbout();
}

void FrmMain::runToolButton(const QString& key) {
    if (key == QStringLiteral("新建"))
        LoadNewDoc(); // the toolbar replaces the document without asking
    else if (key == QStringLiteral("打开"))
        runMenuItem(QStringLiteral("mnuFileOpen"));
    else if (key == QStringLiteral("保存"))
        runMenuItem(QStringLiteral("mnuFileSave"));
    else if (key == QLatin1String("Undo"))
        runMenuItem(QStringLiteral("mnuEditUndo"));
    else if (key == QLatin1String("Redo"))
        runMenuItem(QStringLiteral("mnuEditRedo"));
    else if (key == QStringLiteral("打印"))
        runMenuItem(QStringLiteral("mnuFilePrint"));
    else if (key == QLatin1String("ReadRadio"))
        runMenuItem(QStringLiteral("mnuReadFromRadio"));
    else if (key == QLatin1String("CommSet"))
        runMenuItem(QStringLiteral("mnuComm"));
    else if (key == QLatin1String("WriteRadio"))
        runMenuItem(QStringLiteral("mnuWriteToRadio"));
    else if (key == QLatin1String("About"))
        runMenuItem(QStringLiteral("mnuHelpAbout"));
    else if (key == QLatin1String("Exit"))
        runMenuItem(QStringLiteral("mnuFileExit"));
}

void FrmMain::showAbout() {
    OpenWindow(app().languageIndex == English ? QStringLiteral("FrmAbout2")
                                              : QStringLiteral("frmAbout"));
}

void FrmMain::setTreeVisible(bool visible) {
    panel_->setVisible(visible);
    splitter_->setVisible(visible);
    actions_.value(QStringLiteral("mnuTreeView"))->setChecked(visible);
}

void FrmMain::ApplyCaptions() {
    RefreshTitle();
    for (auto it = menus_.constBegin(); it != menus_.constEnd(); ++it)
        it.value()->setTitle(MenuCaption(it.key().toLatin1().constData())());
    for (auto it = actions_.constBegin(); it != actions_.constEnd(); ++it)
        if (!it.value()->isSeparator())
            it.value()->setText(MenuCaption(it.key().toLatin1().constData())());
    for (const AddedMenuItem& item : AddedMenuItems())
        if (QAction* a = actions_.value(item.name); a && item.caption) a->setText(item.caption());
    for (const ToolButtonDef& def : MainToolButtons()) {
        if (!def.key) continue;
        QAction* a = toolButton(def.position);
        a->setText(def.caption());
        // A Chinese caption in the English window (Print) takes the program's
        // own caption font; in Chinese it is drawn as the other texts are.
        if (QWidget* button = toolBar_->widgetForAction(a))
            button->setFont(
                CaptionFontFor(a->text(), app().languageShown != Chinese, toolBar_->font()));
        // A tooltip is the menu caption without its access-key marker.
        const QString tip = def.tooltipMenu
                                ? RemoveAll(MenuCaption(def.tooltipMenu)(), QStringLiteral("&"))
                                : def.tooltip();
        a->setToolTip(tip);
    }
}

void FrmMain::RefreshTitle() {
    AppState& s = app();
    setWindowTitle(QStringLiteral("ZR580[%1:%2][%3:%4]")
                       .arg(s.displayModelName, s.bandText, MainText::fileNameLabel(),
                            FileNameOf(s.documentName)));
    panels_[1]->setText(s.displayModelName + QLatin1Char('[') + s.bandText + QLatin1Char(']'));
    panels_[2]->setText(MainText::portLabel() + QString::number(s.comPort));
}

void FrmMain::BuildTree() {
    tree_->clear();
    auto* root = new QTreeWidgetItem(tree_, QStringList(rootLabel_->text()));
    root->setData(0, Qt::UserRole, QStringLiteral("N0"));
    for (const TreeNode& node : kTreeNodes) {
        auto* child = new QTreeWidgetItem(
            root, QStringList(RemoveAll(MenuCaption(node.menuItem)(), QStringLiteral("&"))));
        child->setData(0, Qt::UserRole, QLatin1String(node.key));
        child->setData(0, Qt::UserRole + 1, QLatin1String(node.menuItem));
    }
    root->setExpanded(true);
}

void FrmMain::onTreeClicked(QTreeWidgetItem* item) {
    if (!item) return;
    const QString menuItem = item->data(0, Qt::UserRole + 1).toString();
    if (!menuItem.isEmpty()) runMenuItem(menuItem);
}

void FrmMain::Change_Language() {
    ApplyCaptions();
    BuildTree();
}

void FrmMain::LoadNewDoc() {
    CloseCurAllWindows();
    ApplyCaptions();
    InitNewDocument();
    ShowChildWindow(QStringLiteral("frmCommChInfo"));
    RefreshTitle();
    Cascade();
}

void FrmMain::Cascade() {
    mdi_->cascadeSubWindows();
    // Cascading steps each window further down and right: every one stays inside
    // the child area with its buttons in view.
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        FitIntoRoom(sub);
}

void FrmMain::CheckLanguageChange() {
    if (app().languageIndex == app().languageShown) return;
    app().languageShown = app().languageIndex;
    Change_Language();
    CloseCurAllWindows();
    ShowChildWindow(QStringLiteral("frmCommChInfo"));
    Cascade();
}

bool FrmMain::MoveSplitter(int dxTwips) {
    const int widthTwips = panel_->width() * kTwipsPerPixel + dxTwips;
    // The panel grows at most to the inner width the window had when the drag
    // began, less the splitter itself: a drag never widens the main window.
    const int innerTwips =
        (moveTree_ ? dragInnerTwips_ : centralWidget()->width() * kTwipsPerPixel) -
        splitter_->width() * kTwipsPerPixel;
    if (widthTwips < kPanelMinimumTwips || widthTwips > innerTwips) return false;
    panel_->setFixedWidth(widthTwips / kTwipsPerPixel);
    return true;
}

void FrmMain::addChild(QWidget* window) {
    QMdiSubWindow* sub = mdi_->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // A window of fixed size offers neither maximising nor sizing.
    if (window->minimumSize() == window->maximumSize()) {
        sub->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                            Qt::MSWindowsFixedSizeDialogHint);
    }
    // A child that closes itself takes its frame with it.
    connect(window, &QObject::destroyed, sub, [sub] { sub->close(); });
    sub->show();
    window->show();
    Cascade();
    mdi_->setActiveSubWindow(sub);
}

void FrmMain::activateChild(QWidget* window) {
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        if (sub->widget() != window) continue;
        if (sub->isMinimized()) sub->showNormal();
        mdi_->setActiveSubWindow(sub);
        window->setFocus();
        return;
    }
}

QList<QWidget*> FrmMain::children() const {
    QList<QWidget*> open;
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        QWidget* w = sub->widget();
        if (w && !w->isHidden()) open.append(w);
    }
    return open;
}

void FrmMain::fillWindowList() {
    QMenu* m = menus_.value(QStringLiteral("mnuWindow"));
    for (QAction* a : std::as_const(windowList_)) {
        m->removeAction(a);
        a->deleteLater();
    }
    windowList_.clear();
    QMdiSubWindow* active = mdi_->activeSubWindow();
    int n = 0;
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        QWidget* w = sub->widget();
        if (!w || w->isHidden()) continue;
        ++n;
        QAction* a = m->addAction(QStringLiteral("&%1 %2").arg(n).arg(w->windowTitle()));
        a->setObjectName(QStringLiteral("mnuWindowList_%1").arg(n));
        a->setCheckable(true);
        a->setChecked(sub == active);
        QPointer<QMdiSubWindow> target(sub);
        connect(a, &QAction::triggered, this, [this, target] {
            if (target) activateChild(target->widget());
        });
        windowList_.append(a);
    }
}

bool FrmMain::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) CheckLanguageChange();
    return QMainWindow::event(e);
}

void FrmMain::closeEvent(QCloseEvent* e) {
    // Values typed into an editor but not yet stored count as changes.
    CommitPendingEdits();
    if (!closeWithoutQuestion_ && !ConfirmCloseWithChanges()) {
        e->ignore();
        return;
    }
    ProgramClosing();
    if (!isMinimized()) {
        StoreMainWindowTwips(QRect(x() * kTwipsPerPixel, y() * kTwipsPerPixel,
                                   width() * kTwipsPerPixel, height() * kTwipsPerPixel));
    }
    CloseCurAllWindows();
    ShutdownProgram();
    e->accept();
}

void FrmMain::CloseWithoutQuestion() {
    closeWithoutQuestion_ = true;
    close();
}

void FrmMain::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    // The link's reply timers stop on a resize, but never while a transfer runs:
    // a stopped reply timer would leave the transfer waiting forever.
    const bool transferring = hooks().transferRunning && hooks().transferRunning();
    if (!transferring && hooks().disableLinkTimers) hooks().disableLinkTimers();
}

bool FrmMain::eventFilter(QObject* watched, QEvent* e) {
    if (watched == mdi_->viewport() && e->type() == QEvent::Resize) {
        for (QMdiSubWindow* sub : mdi_->subWindowList())
            FitIntoRoom(sub);
        return false;
    }
    if (watched == splitter_) {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
            moveTree_ = true;
            dragStartX_ = static_cast<QMouseEvent*>(e)->position().toPoint().x();
            dragInnerTwips_ = centralWidget()->width() * kTwipsPerPixel;
            return true;
        case QEvent::MouseButtonRelease:
            moveTree_ = false;
            return true;
        case QEvent::MouseMove:
            if (moveTree_) {
                const int x = static_cast<QMouseEvent*>(e)->position().toPoint().x() - dragStartX_;
                MoveSplitter(x * kTwipsPerPixel);
            }
            return true;
        default:
            break;
        }
    }
    if (watched == tree_ && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            onTreeClicked(tree_->currentItem());
            return true;
        }
    }
    // F1 on a highlighted menu item opens the help page of its context number.
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1) {
        if (auto* m = qobject_cast<QMenu*>(watched)) {
            QAction* a = m->activeAction() ? m->activeAction() : m->menuAction();
            const int id = a->property(kHelpIdProperty).toInt();
            if (id > 0) {
                m->close();
                ShowHelpContext(id, this);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, e);
}
