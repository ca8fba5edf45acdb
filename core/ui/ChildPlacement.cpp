#include "core/ui/ChildPlacement.h"

#include <QLayout>
#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {
// The frame that moves a window: its child-window frame, or the window itself.
QWidget* frameOf(QWidget* window) {
    for (QWidget* w = window; w; w = w->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) return sub;
    return window->window();
}

QRect outerRect(QWidget* frame) {
    return frame->isWindow() ? frame->frameGeometry() : frame->geometry();
}

// The area a frame may use, in its parent's (or the screen's) coordinates.
QRect roomOf(QWidget* frame) {
    if (!frame->isWindow() && frame->parentWidget()) return frame->parentWidget()->rect();
    const QScreen* screen = frame->screen();
    return screen ? screen->availableGeometry() : QRect();
}

// Room the window manager's frame and title bar take around a window of its own
// before it is shown and the real frame is known.
constexpr QSize kFrameAllowance(16, 40);

QSize frameMargins(QWidget* frame) {
    if (!frame->isWindow()) return {};
    if (frame->isVisible() && frame->frameGeometry().size() != frame->size())
        return frame->frameGeometry().size() - frame->size();
    return frame->isVisible() ? QSize() : kFrameAllowance;
}

int overlap(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : common.width() * common.height();
}

// The rectangle moved inside the room (its top-left corner stays inside when it
// is larger than the room).
QRect keptInside(QRect r, const QRect& room) {
    r.moveLeft(std::max(room.left(), std::min(r.left(), room.right() + 1 - r.width())));
    r.moveTop(std::max(room.top(), std::min(r.top(), room.bottom() + 1 - r.height())));
    return r;
}
} // namespace

void PlaceBeside(QWidget* window, QWidget* anchor) {
    QWidget* frame = frameOf(window);
    QWidget* anchorFrame = frameOf(anchor);
    if (!frame || !anchorFrame || frame == anchorFrame) return;
    const QRect room = roomOf(frame);
    if (room.isEmpty()) return;
    const QRect fixed = outerRect(anchorFrame);
    const QRect own = outerRect(frame);
    // Right, left, below, above the anchor; the first that covers least wins.
    const QPoint corners[] = {
        {fixed.right() + 1, fixed.top()},
        {fixed.left() - own.width(), fixed.top()},
        {fixed.left(), fixed.bottom() + 1},
        {fixed.left(), fixed.top() - own.height()},
    };
    QRect best;
    int bestCover = -1;
    for (const QPoint& corner : corners) {
        const QRect candidate = keptInside(QRect(corner, own.size()), room);
        const int cover = overlap(candidate, fixed);
        if (bestCover < 0 || cover < bestCover) {
            best = candidate;
            bestCover = cover;
        }
    }
    frame->move(best.topLeft()); // for a window, move() places its outer frame
}

void FitIntoRoom(QWidget* window) {
    if (!window) return;
    QWidget* frame = frameOf(window);
    const QRect room = roomOf(frame);
    if (room.isEmpty()) return;
    if (QLayout* layout = frame->layout()) layout->activate(); // its minimum size
    const QSize margins = frameMargins(frame);
    const QSize most = (room.size() - margins).expandedTo(QSize(1, 1));
    const QSize size = frame->size().boundedTo(most).expandedTo(frame->minimumSize());
    if (size != frame->size()) frame->resize(size);
    if (frame->isWindow() && !frame->isVisible()) return;
    const QRect outer(outerRect(frame).topLeft(), size + margins);
    const QPoint corner = keptInside(outer, room).topLeft();
    if (corner != outer.topLeft()) frame->move(corner);
}
