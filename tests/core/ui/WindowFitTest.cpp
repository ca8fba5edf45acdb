// The windows beyond the editors as a technician meets them on a small screen
// and from the keyboard: every window opens inside its room with its buttons in
// view, and every menu item and button has an access key of its own.
#include "ShellFixture.h"

#include "core/DataFile.h"
#include "core/ui/ChildPlacement.h"
#include "app/Subsystems.h"
#include "safewrite/ui/SafeWriteMenus.h"

#include <QAbstractButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>

namespace {
// The access key of a caption ("Save &As" -> 'A'), or a null character.
QChar accessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&') continue;
        if (caption.at(i + 1) == u'&') {
            ++i;
            continue;
        }
        return caption.at(i + 1).toUpper();
    }
    return {};
}

// What lies outside `room` of the window's frame or of its visible buttons, in
// words; empty when all is inside.
QStringList outside(QWidget* window, QWidget* roomWidget, const QRect& room) {
    QStringList problems;
    QWidget* frame = window;
    for (QWidget* w = window; w; w = w->parentWidget())
        if (qobject_cast<QMdiSubWindow*>(w)) frame = w;
    const QRect frameRect = frame->isWindow()
                                ? frame->frameGeometry()
                                : QRect(roomWidget->mapFromGlobal(frame->mapToGlobal(QPoint())),
                                        frame->size());
    // A child's frame may overhang its area by the one-pixel border: its buttons count.
    if (!room.adjusted(0, 0, frame->isWindow() ? 0 : 1, 0).contains(frameRect))
        problems << QStringLiteral("frame %1,%2 %3x%4 in %5x%6")
                        .arg(frameRect.x())
                        .arg(frameRect.y())
                        .arg(frameRect.width())
                        .arg(frameRect.height())
                        .arg(room.width())
                        .arg(room.height());
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(window) || b->objectName().isEmpty() ||
            b->objectName().startsWith(QStringLiteral("CommandRestart_")))
            continue;
        const QRect r(roomWidget ? roomWidget->mapFromGlobal(b->mapToGlobal(QPoint()))
                                 : b->mapToGlobal(QPoint()),
                      b->size());
        if (!room.contains(r) || !window->rect().contains(QRect(b->mapTo(window, QPoint()), b->size())))
            problems << b->objectName();
    }
    return problems;
}
} // namespace

class WindowFitTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        devices_ = {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB1")};
    }
};

// On this screen (the offscreen platform's, smaller than 1024x768) the fleet
// window, the print preview and the restore window open inside the available
// area, and the compare window inside the main window's child area, each with
// every button in view.
TEST_F(WindowFitTest, EveryWindowOpensInsideItsRoomWithItsButtonsInView) {
    start("en");
    InstallSafeWrite(*main_);
    const QRect screen = main_->screen()->availableGeometry();
    ASSERT_LT(screen.width(), 1300);
    ASSERT_TRUE(SaveDataFile(path("other.dat")));
    app().document.settings.messageText1.assignTerminated("CHANGED");

    struct Case {
        const char* window;
        std::function<void()> open;
        bool modal;
    };
    const Case cases[] = {
        {"FrmFleet", [] { RunCommand(QStringLiteral("FleetWrite")); }, true},
        {"FrmPrintList",
         [this] {
             main_->activateWindow();
             QApplication::setActiveWindow(main_.get());
             QTest::keyClick(main_.get(), Qt::Key_P, Qt::ControlModifier);
         },
         true},
        {"FrmRestore", [this] { main_->findChild<QAction*>(QStringLiteral("mnuRestoreBackup"))->trigger(); }, false},
        {"FrmCompare",
         [this] {
             dialogAnswers_ << path("other.dat");
             action("mnuFileCompare")->trigger();
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        QStringList problems;
        bool seen = false;
        const auto check = [&](QWidget* w) {
            seen = w->objectName() == QLatin1String(c.window);
            const bool child = !w->isWindow();
            QWidget* roomWidget = child ? main_->mdiArea()->viewport() : nullptr;
            problems = outside(w, roomWidget, child ? roomWidget->rect() : screen);
            w->close();
        };
        if (c.modal) {
            whileModal(c.open, check);
        } else {
            c.open();
            QApplication::processEvents();
            QWidget* w = FindOpenWindow(QLatin1String(c.window));
            ASSERT_TRUE(w);
            check(w);
        }
        EXPECT_TRUE(seen);
        EXPECT_TRUE(problems.isEmpty()) << problems.join(u' ').toStdString();
        QApplication::processEvents();
    }
}

// In both languages every visible menu item has an access key, and no two items
// of one menu share one; so do the buttons of the windows the menus open.
TEST_F(WindowFitTest, MenuItemsAndButtonsHaveAccessKeysOfTheirOwn) {
    for (const char* language : {"en", "zh"}) {
        SCOPED_TRACE(language);
        start(language);
        InstallMainWindowParts(*main_);
        for (QMenu* menu : main_->findChildren<QMenu*>()) {
            if (!menu->menuAction()->isVisible() || menu->objectName().isEmpty()) continue;
            emit menu->aboutToShow();
            QHash<QChar, QString> keys;
            for (QAction* a : menu->actions()) {
                if (a->isSeparator() || !a->isVisible()) continue;
                const QChar k = accessKey(a->text());
                EXPECT_FALSE(k.isNull()) << a->objectName().toStdString() << " "
                                         << a->text().toStdString();
                if (k.isNull()) continue;
                EXPECT_FALSE(keys.contains(k))
                    << a->text().toStdString() << " / " << keys.value(k).toStdString();
                keys.insert(k, a->text());
            }
        }
        EXPECT_EQ(action("mnuEditCopyRows")->shortcut(), QKeySequence(QKeySequence::Copy));
        EXPECT_EQ(action("mnuEditPasteRows")->shortcut(), QKeySequence(QKeySequence::Paste));
        EXPECT_EQ(action("mnuEditClearRows")->shortcut(), QKeySequence(Qt::Key_Delete));

        QStringList captions;
        whileModal([] { RunCommand(QStringLiteral("FleetWrite")); },
                   [&](QWidget* w) {
                       for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
                           if (b->isVisibleTo(w) && !b->objectName().isEmpty())
                               captions << b->text();
                       w->close();
                   });
        main_->findChild<QAction*>(QStringLiteral("mnuRestoreBackup"))->trigger();
        QWidget* restore = FindOpenWindow(QStringLiteral("FrmRestore"));
        ASSERT_TRUE(restore);
        for (QAbstractButton* b : restore->findChildren<QAbstractButton*>())
            if (!b->objectName().isEmpty()) captions << b->text();
        restore->close();
        ASSERT_GE(captions.size(), 6);
        for (const QString& caption : captions)
            EXPECT_FALSE(accessKey(caption).isNull()) << caption.toStdString();
        CloseCurAllWindows();
        main_.reset();
        QApplication::processEvents();
    }
}
