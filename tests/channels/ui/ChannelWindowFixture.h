#pragma once
// Shared set-up of the channel window tests: a fresh document in band
// "136 - 174 MHz", the grid state reset, and helpers that type through the
// focused widget the way a keyboard does.

#include "TestSupport.h"
#include "channels/ChannelGridState.h"
#include "channels/ChannelTable.h"
#include "channels/ui/FrmCHInfoEdit.h"
#include "channels/ui/FrmCommChInfo.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/ui/CommonCaptions.h"
#include "core/ui/WindowRegistry.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

class ChannelWindowTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        gridState() = ChannelGridState{};
        app().bandText = QStringLiteral("136 - 174 MHz");
        SetBandLimits();
        app().document.channelCount = 0;
    }
    void TearDown() override {
        CloseCurAllWindows();
        QApplication::processEvents();
        ProgramTest::TearDown();
    }

    FrmCommChInfo* openGrid() {
        auto* grid = qobject_cast<FrmCommChInfo*>(ShowChildWindow(QStringLiteral("frmCommChInfo")));
        activate(grid);
        return grid;
    }
    FrmCHInfoEdit* openEdit() {
        auto* edit = qobject_cast<FrmCHInfoEdit*>(ShowChildWindow(QStringLiteral("FrmCHInfoEdit")));
        return edit;
    }
    static void activate(QWidget* window) {
        window->activateWindow();
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    }

    // Keys go wherever the keyboard focus is, as they would for a user.
    static QWidget* focused() { return QApplication::focusWidget(); }
    static void type(const QString& text) { QTest::keyClicks(focused(), text); }
    static void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(focused(), k, m);
    }

    static QTableWidget* table(QWidget* grid) {
        return grid->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
    }
    static QString cell(QWidget* grid, int row, int column) {
        return table(grid)->item(row, column)->text();
    }
    template <typename T> static T* child(QWidget* window, const char* name) {
        return window->findChild<T*>(QLatin1String(name));
    }
    // Clicks a cell of the grid as the mouse would.
    static void clickCell(QWidget* grid, int row, int column) {
        QTableWidget* t = table(grid);
        const QRect r = t->visualItemRect(t->item(row, column));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, r.center());
    }

    static const ChannelEntry* channel(int number) {
        const int position = FindChannelEntry(number);
        return position < 0 ? nullptr
                            : &app().document.channels[static_cast<std::size_t>(position)];
    }
    static QByteArray text(const FixedText<8>& f) { return f.trimmedValue(); }
    static QByteArray text(const FixedText<4>& f) { return f.trimmedValue(); }
};
