#pragma once
// How menus, the toolbar and the tree reach the windows and commands of every
// subsystem without knowing their classes. Each subsystem registers its windows
// (by object name, e.g. "frmCommChInfo") and commands (e.g. "ReadFromRadio");
// the main window becomes the host that places child windows in its MDI area.

#include <QString>
#include <QWidget>
#include <functional>

enum class WindowKind { Child, Modal };

using WindowFactory = std::function<QWidget*()>;

void RegisterWindow(const QString& name, WindowFactory create, WindowKind kind);
void RegisterCommand(const QString& name, std::function<void()> run);
bool IsRegistered(const QString& name);

// A menu item that a capability adds to a main-window menu, placed before the
// item (or separator) named `before` (at the end when there is none). Its
// caption is asked for each time the captions are applied; choosing it runs the
// registered command `command`. Added before the main window is built.
struct AddedMenuItem {
    QString menu;   // e.g. "mnuProgram"
    QString before; // e.g. "mnuProgramBar0"
    QString name;   // object name of the item
    std::function<QString()> caption;
    QString command;
};
void AddMenuItem(const AddedMenuItem& item);
const QList<AddedMenuItem>& AddedMenuItems();

// Opens a registered window: a child window through ShowChildWindow, a modal one
// shown modally over the main window (returns after it closes, nullptr then).
QWidget* OpenWindow(const QString& name);
// Runs a registered command; false when none has that name.
bool RunCommand(const QString& name);

class ChildWindowHost {
  public:
    virtual ~ChildWindowHost() = default;
    virtual void addChild(QWidget* window) = 0; // shows it as a child, then cascades
    virtual void activateChild(QWidget* window) = 0;
    virtual QList<QWidget*> children() const = 0; // open child windows
    virtual QWidget* mainWidget() = 0;
};
void SetChildWindowHost(ChildWindowHost* host);
ChildWindowHost* CurrentChildWindowHost();

// The open window of that name gets the focus; otherwise it is created, shown as a
// child of the main window and the children are cascaded. Without a host (tests of
// one window) the window is shown as a top-level window.
QWidget* ShowChildWindow(const QString& name);
// The open window (child or top-level) with that object name, or nullptr.
QWidget* FindOpenWindow(const QString& name);
inline bool FindWindowByName(const QString& name) {
    return FindOpenWindow(name) != nullptr;
}
// Closes every open child window (and every other top-level window but the main one).
void CloseCurAllWindows();
// The widget to parent dialogs on: the main window when there is one.
QWidget* DialogParent();

// The core's own windows (model, language, About), by the names the menus use.
void RegisterCoreWindows();
