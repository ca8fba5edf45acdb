#include "core/ui/PendingEdit.h"

#include "core/ui/WindowRegistry.h"

#include <QApplication>
#include <QPointer>

namespace {
// The child windows of the main window and any other open window of the program.
// A window closed meanwhile (a commit may show a message) is skipped.
QList<QPointer<QWidget>> openWindows() {
    QList<QWidget*> open;
    if (ChildWindowHost* host = CurrentChildWindowHost()) open = host->children();
    QWidget* main = DialogParent();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != main && w->isVisible() && !w->objectName().isEmpty() && !open.contains(w))
            open.append(w);
    return QList<QPointer<QWidget>>(open.begin(), open.end());
}
} // namespace

void CommitPendingEdits() {
    for (const QPointer<QWidget>& w : openWindows())
        if (auto* editor = dynamic_cast<CommitsPendingEdit*>(w.data())) editor->commitPendingEdit();
}

void ReshowOpenEditors() {
    for (const QPointer<QWidget>& w : openWindows())
        if (auto* editor = dynamic_cast<ReshowsDocument*>(w.data())) editor->reshowDocument();
}
