#include "core/ui/CommonCaptions.h"

#include <QAbstractButton>
#include <QWidget>

namespace {
void setButtonText(QWidget* window, const char* name, const Tr& caption) {
    if (auto* button = window->findChild<QAbstractButton*>(QLatin1String(name)))
        button->setText(caption());
}
} // namespace

void SetCloseCaption(QWidget* window) {
    setButtonText(window, "CommandClose", kCaptionClose);
}
void SetHelpCaption(QWidget* window) {
    setButtonText(window, "CommandHelp", kCaptionHelp);
}

void SetCloseHelpCaptions(QWidget* window) {
    SetCloseCaption(window);
    SetHelpCaption(window);
}

void SetOkCancelCaptions(QWidget* window) {
    setButtonText(window, "CommandOK", kCaptionOK);
    setButtonText(window, "CommandCancel", kCaptionCancel);
}

void SetCommandCaptions(QWidget* window) {
    setButtonText(window, "Command1", kCaptionOK);
    setButtonText(window, "Command2", kCaptionCancel);
}

void SuppressContextMenu(QWidget* textBox) {
    textBox->setContextMenuPolicy(Qt::NoContextMenu);
}
void RestoreContextMenu(QWidget* textBox) {
    textBox->setContextMenuPolicy(Qt::DefaultContextMenu);
}
