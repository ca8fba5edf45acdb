// The channel windows as children of the main window: the typed value survives a
// switch to another child window and the keyboard comes back to the grid's cell.

#include "ChannelWindowFixture.h"
#include "channels/ui/ChannelWindows.h"
#include "core/Startup.h"
#include "core/ui/FileCommands.h"
#include "core/ui/FrmMain.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <memory>

namespace {
class ChannelWindowsInMain : public ChannelWindowTest {
  protected:
    void TearDown() override {
        main_.reset();
        SetFileDialogHandler({});
        qunsetenv("ZR580_LANG");
        ChannelWindowTest::TearDown();
    }
    FrmMain* start() {
        qputenv("ZR580_LANG", "en");
        StartProgram();
        main_ = std::make_unique<FrmMain>();
        FinishStartup();
        main_->show();
        activate(main_.get());
        return main_.get();
    }
    static QMdiSubWindow* frameOf(QWidget* w) {
        for (QWidget* p = w; p; p = p->parentWidget())
            if (auto* sub = qobject_cast<QMdiSubWindow*>(p)) return sub;
        return nullptr;
    }
    // Saves the document through the File menu item into a new file (the dialog
    // answered with its name) and gives channel 1's RX and TX as the file holds them.
    QByteArray savedChannel1(const char* rx, const char* item, const char* name) {
        const QString file = path(QLatin1String(name));
        SetFileDialogHandler([file](const FileDialogRequest&) { return file; });
        main_->menuAction(QLatin1String(item))->trigger();
        QFile saved(file);
        if (!saved.open(QIODevice::ReadOnly)) return {};
        const QByteArray bytes = saved.readAll();
        const qsizetype at = bytes.indexOf(rx);
        return at < 0 ? QByteArray() : bytes.mid(at, 16);
    }
    static void clickOn(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    std::unique_ptr<FrmMain> main_;
};

TEST_F(ChannelWindowsInMain, TypedCellSurvivesSwitchingChildWindowsAndKeyboardReturns) {
    FrmMain* main = start();
    FrmCommChInfo* grid = OpenChannelGrid();
    ASSERT_TRUE(grid);
    auto* text1 = child<QLineEdit>(grid, "Text1");
    ASSERT_EQ(focused(), text1);
    type(QStringLiteral("446.5"));

    // The tree's or the menu's way to another child window.
    OpenWindow(QStringLiteral("FrmCHInfoEdit"));
    FrmCHInfoEdit* edit = OpenChannelEditWindow();
    ASSERT_TRUE(edit);
    EXPECT_EQ(main->mdiArea()->activeSubWindow(), frameOf(edit));
    EXPECT_EQ(channel(1)->rxFreq.trimmedValue(), "44650000");
    EXPECT_EQ(child<QLineEdit>(edit, "Text1")->text(), QStringLiteral("446.50000"));

    // Back in the grid the keyboard goes straight into the cell again.
    main->mdiArea()->setActiveSubWindow(frameOf(grid));
    EXPECT_EQ(focused(), text1);
    type(QStringLiteral("447"));
    key(Qt::Key_Return);
    EXPECT_EQ(channel(1)->rxFreq.trimmedValue(), "44700000");
    EXPECT_EQ(child<QLineEdit>(edit, "Text1")->text(), QStringLiteral("447.00000"));

    // The menu opens the batch window modally over the main window.
    QString modal;
    QTimer::singleShot(0, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            modal = w->objectName();
            w->close();
        }
    });
    main->menuAction(QStringLiteral("MnuBatch"))->trigger();
    EXPECT_EQ(modal, QStringLiteral("FrmCHBatch"));

    // Closing all child windows (as a language change does) clears both open flags.
    CloseCurAllWindows();
    QApplication::processEvents();
    EXPECT_FALSE(gridState().gridOpen);
    EXPECT_FALSE(gridState().editOpen);
}

// A TX the user cleared stays cleared when the focus leaves the window, the
// windows change places and the document is saved: only a move from the RX cell
// (or box) into the empty TX cell offers the RX value.
TEST_F(ChannelWindowsInMain, ClearedTransmitFrequencyStaysClearedThroughFocusChangesAndSave) {
    FrmMain* main = start();
    FrmCommChInfo* grid = OpenChannelGrid();
    ASSERT_TRUE(grid);
    auto* tree = main->findChild<QWidget*>(QStringLiteral("TreeView1"));

    // In the grid: RX, Enter, clear TX, click the tree panel, Save.
    ASSERT_EQ(focused(), child<QLineEdit>(grid, "Text1"));
    type(QStringLiteral("446.5"));
    key(Qt::Key_Return);
    ASSERT_FALSE(cell(grid, 1, 2).isEmpty());
    key(Qt::Key_Backspace);
    clickOn(tree);
    EXPECT_EQ(cell(grid, 1, 2), QString());
    EXPECT_EQ(savedChannel1("44650000", "mnuFileSave", "first.dat"),
              QByteArray("44650000FFFFFFFF"));
    EXPECT_EQ(cell(grid, 1, 2), QString());

    // Moving from the RX cell into the empty TX cell still offers the RX value.
    clickCell(grid, 1, 1);
    key(Qt::Key_Return);
    EXPECT_EQ(child<QLineEdit>(grid, "Text1")->text(), QStringLiteral("446.50000"));
    key(Qt::Key_Backspace);

    // In the edit window: clear Text2, click the grid, "Channel Edit" again.
    child<QPushButton>(grid, "CommandCHInfoEdit")->click();
    FrmCHInfoEdit* edit = OpenChannelEditWindow();
    ASSERT_TRUE(edit);
    auto* text1 = child<QLineEdit>(edit, "Text1");
    auto* text2 = child<QLineEdit>(edit, "Text2");
    clickOn(text1);
    key(Qt::Key_Tab); // an empty TX box entered from the RX box takes the RX value
    EXPECT_EQ(text2->text(), QStringLiteral("446.50000"));
    text2->selectAll();
    key(Qt::Key_Backspace);
    clickCell(grid, 1, 1);
    EXPECT_EQ(channel(1)->txFreq.trimmedValue(), "FFFFFFFF");
    child<QPushButton>(grid, "CommandCHInfoEdit")->click();
    EXPECT_EQ(main->mdiArea()->activeSubWindow(), frameOf(edit));
    EXPECT_EQ(text2->text(), QString());
    clickCell(grid, 1, 5);
    EXPECT_EQ(text2->text(), QString());
    EXPECT_EQ(savedChannel1("44650000", "mnuFileSaveAs", "second.dat"),
              QByteArray("44650000FFFFFFFF"));
}

// The edit window opens beside the grid: to its right when the child area has
// room, otherwise where it covers least of it.
TEST_F(ChannelWindowsInMain, EditWindowOpensBesideTheGrid) {
    FrmMain* main = start();
    FrmCommChInfo* grid = OpenChannelGrid();
    ASSERT_TRUE(grid);
    auto open = [&] {
        child<QPushButton>(grid, "CommandCHInfoEdit")->click();
        return frameOf(OpenChannelEditWindow());
    };

    main->resize(1380, 760); // room to the right of the grid
    QApplication::processEvents();
    QMdiSubWindow* edit = open();
    ASSERT_TRUE(edit);
    EXPECT_FALSE(edit->geometry().intersects(frameOf(grid)->geometry()));
    EXPECT_TRUE(main->mdiArea()->viewport()->rect().contains(edit->geometry()));
    CloseCurAllWindows();
    QApplication::processEvents();

    main->resize(800, 700); // too narrow for both side by side
    QApplication::processEvents();
    grid = qobject_cast<FrmCommChInfo*>(ShowChildWindow(QStringLiteral("frmCommChInfo")));
    ASSERT_TRUE(grid);
    edit = open();
    ASSERT_TRUE(edit);
    const QRect viewport = main->mdiArea()->viewport()->rect();
    EXPECT_TRUE(viewport.contains(edit->geometry()));
    // The headings and the first channel's row stay in view.
    QTableWidget* cells = table(grid);
    const QRect firstRow = cells->visualItemRect(cells->item(1, 0))
                               .united(cells->visualItemRect(cells->item(1, 10)))
                               .united(cells->visualItemRect(cells->item(0, 0)));
    const QRect shown(cells->viewport()->mapTo(main->mdiArea()->viewport(), firstRow.topLeft()),
                      firstRow.size());
    EXPECT_FALSE(edit->geometry().intersects(shown));
}
} // namespace
