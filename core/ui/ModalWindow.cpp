#include "core/ui/ModalWindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

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

QHBoxLayout* ModalWindow::labelledRow(QWidget* label, QWidget* field, int spacing) {
    auto* row = new QHBoxLayout;
    if (spacing >= 0) row->setSpacing(spacing);
    row->addWidget(label);
    row->addWidget(field, 1);
    return row;
}

QPushButton* ModalWindow::layOutWithOkCancel(QLayout* fields, const char* okName,
                                             const char* cancelName) {
    auto* ok = new QPushButton;
    ok->setObjectName(QLatin1String(okName));
    ok->setDefault(true);
    auto* cancel = new QPushButton;
    cancel->setObjectName(QLatin1String(cancelName));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    return ok;
}
