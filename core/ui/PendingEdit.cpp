#include "core/ui/PendingEdit.h"

#include "core/ui/WindowRegistry.h"

#include <QApplication>
#include <QPointer>

void CommitPendingEdits() {
    // The child windows of the main window and any other open window of the program.
    QList<QWidget*> open;
    if (ChildWindowHost* host = CurrentChildWindowHost()) open = host->children();
    QWidget* main = DialogParent();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != main && w->isVisible() && !w->objectName().isEmpty() && !open.contains(w))
            open.append(w);
    // A commit may show a message; a window closed meanwhile is skipped.
    const QList<QPointer<QWidget>> windows(open.begin(), open.end());
    for (const QPointer<QWidget>& w : windows)
        if (auto* editor = dynamic_cast<CommitsPendingEdit*>(w.data())) editor->commitPendingEdit();
}
