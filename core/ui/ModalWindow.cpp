#include "core/ui/ModalWindow.h"

#include <QKeyEvent>

ModalWindow::ModalWindow(const char* objectName, QWidget* parent) : QDialog(parent) {
    setObjectName(QLatin1String(objectName));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void ModalWindow::done(int result) {
    QDialog::done(result);
    if (testAttribute(Qt::WA_DeleteOnClose)) deleteLater();
}

void ModalWindow::enterMovesFocus(QWidget* list) {
    list->installEventFilter(this);
}

bool ModalWindow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}
