#include "core/ui/WindowRegistry.h"

#include <QApplication>
#include <QHash>
#include <QMdiSubWindow>
#include <QPointer>

namespace {
struct Entry {
    WindowFactory create;
    WindowKind kind = WindowKind::Child;
    std::function<void()> command;
};

QHash<QString, Entry>& registry() {
    static QHash<QString, Entry> entries;
    return entries;
}

ChildWindowHost*& host() {
    static ChildWindowHost* current = nullptr;
    return current;
}
} // namespace

void RegisterWindow(const QString& name, WindowFactory create, WindowKind kind) {
    registry()[name] = Entry{std::move(create), kind, {}};
}

void RegisterCommand(const QString& name, std::function<void()> run) {
    registry()[name] = Entry{{}, WindowKind::Child, std::move(run)};
}

bool IsRegistered(const QString& name) {
    return registry().contains(name);
}

namespace {
QList<AddedMenuItem>& addedMenuItems() {
    static QList<AddedMenuItem> items;
    return items;
}
} // namespace

void AddMenuItem(const AddedMenuItem& item) {
    for (const AddedMenuItem& added : addedMenuItems())
        if (added.name == item.name) return;
    addedMenuItems().append(item);
}

const QList<AddedMenuItem>& AddedMenuItems() {
    return addedMenuItems();
}

void SetChildWindowHost(ChildWindowHost* h) {
    host() = h;
}
ChildWindowHost* CurrentChildWindowHost() {
    return host();
}

QWidget* DialogParent() {
    return host() ? host()->mainWidget() : nullptr;
}

QWidget* FindOpenWindow(const QString& name) {
    if (host()) {
        for (QWidget* w : host()->children())
            if (w->objectName() == name) return w;
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) return w;
    return nullptr;
}

QWidget* ShowChildWindow(const QString& name) {
    if (QWidget* open = FindOpenWindow(name)) {
        if (host())
            host()->activateChild(open);
        else
            open->activateWindow();
        return open;
    }
    const auto it = registry().constFind(name);
    if (it == registry().constEnd() || !it->create) return nullptr;
    QWidget* window = it->create();
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (host())
        host()->addChild(window);
    else
        window->show();
    return window;
}

QWidget* OpenWindow(const QString& name) {
    const auto it = registry().constFind(name);
    if (it == registry().constEnd() || !it->create) return nullptr;
    if (it->kind == WindowKind::Child) return ShowChildWindow(name);
    QPointer<QWidget> window = it->create();
    if (QWidget* parent = DialogParent())
        window->setParent(parent, window->windowFlags() | Qt::Dialog);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    // Run until the modal window closes, as a modal dialog would.
    QEventLoop loop;
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (window) loop.exec();
    return nullptr;
}

bool RunCommand(const QString& name) {
    const auto it = registry().constFind(name);
    if (it == registry().constEnd() || !it->command) return false;
    it->command();
    return true;
}

void CloseCurAllWindows() {
    if (host()) {
        // Closing a child's frame closes the child and removes the frame at once.
        for (QWidget* w : host()->children()) {
            if (auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
                frame->close();
            else
                w->close();
        }
    }
    QWidget* main = DialogParent();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != main && w->isVisible() && !w->objectName().isEmpty()) w->close();
}
