// The channel windows as children of the main window: the typed value survives a
// switch to another child window and the keyboard comes back to the grid's cell.

#include "ChannelWindowFixture.h"
#include "channels/ui/ChannelWindows.h"
#include "core/Startup.h"
#include "core/ui/FrmMain.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <memory>

namespace {
class ChannelWindowsInMain : public ChannelWindowTest {
  protected:
    void TearDown() override {
        main_.reset();
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
} // namespace
