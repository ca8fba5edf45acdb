#include "TestSupport.h"

#include "core/AppState.h"
#include "core/ui/MessageBoxUi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

namespace {
struct Seen {
    QString title;
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Shows the request in the real box and presses the button with `press` as its
// text (or Escape when empty); returns what the box looked like and the answer.
MsgAnswer showAndPress(const MessageRequest& request, const QString& press, Seen* seen) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen->buttons.append(b->text());
        for (QAbstractButton* b : box->buttons())
            if (!press.isEmpty() && b->text() == press) return b->click();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &escape);
    });
    return ShowMessageBoxUi(request);
}
} // namespace

class MessageBoxUiTest : public ProgramTest {};

TEST_F(MessageBoxUiTest, ButtonsIconsAndAnswersMapOntoTheRealBox) {
    Seen seen;
    EXPECT_EQ(showAndPress({"File has been modify,save it now?", "", MsgButtons::YesNoCancel,
                            MsgIcon::Warning},
                           "&No", &seen),
              MsgAnswer::No);
    EXPECT_EQ(seen.title, "ZR580");
    EXPECT_EQ(seen.text, "File has been modify,save it now?");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons.size(), 3);

    // Escape gives the cautious answer.
    seen = {};
    EXPECT_EQ(showAndPress({"q", "Warning", MsgButtons::OkCancel, MsgIcon::Question}, "", &seen),
              MsgAnswer::Cancel);
    EXPECT_EQ(seen.title, "Warning");
    EXPECT_EQ(seen.icon, QMessageBox::Question);

    // Chinese captions on the buttons.
    app().languageIndex = Chinese;
    seen = {};
    EXPECT_EQ(
        showAndPress({"重试？", "", MsgButtons::RetryCancel, MsgIcon::Error}, "重试(&R)", &seen),
        MsgAnswer::Retry);
    EXPECT_TRUE(seen.buttons.contains("取消"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    seen = {};
    EXPECT_EQ(showAndPress({"完成", "", MsgButtons::Ok, MsgIcon::None}, "确定", &seen),
              MsgAnswer::Ok);
    EXPECT_EQ(seen.buttons, QStringList({"确定"}));
}
