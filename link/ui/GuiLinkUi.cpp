#include "link/ui/GuiLinkUi.h"

#include "core/ui/MainWindowApi.h"
#include "core/ui/WindowRegistry.h"
#include "link/ui/FrmPassWord.h"
#include "link/ui/FrmProgress.h"

std::optional<QString> GuiLinkUi::askPassword(const QString& /*heldPassword*/) {
    return ShowPasswordWindow(); // prefilled with the held password
}

void GuiLinkUi::progressOpened(LinkOperation operation) {
    delete progress_.data();
    auto* window = new FrmProgress(operation, DialogParent());
    progress_ = window;
    if (!caption_.isEmpty()) window->setCaption(caption_);
    window->runModal();
    delete progress_.data();
}

void GuiLinkUi::progressReset() {
    if (progress_) progress_->SetProgressValue(0);
}

void GuiLinkUi::progressValue(int percent) {
    if (progress_ && progress_->isVisible()) progress_->SetProgressValue(percent);
}

void GuiLinkUi::progressClosed() {
    if (progress_) progress_->finish();
}

void GuiLinkUi::setProgressCaption(const QString& caption) {
    caption_ = caption;
    if (progress_) progress_->setCaption(caption);
}

void GuiLinkUi::beforeDocumentReplaced() {
    CloseCurAllWindows();
}

void GuiLinkUi::documentReplaced() {
    RenewMainCaptionsAndTree();
    RefreshMainTitle();
    ShowChildWindow(QStringLiteral("frmCommChInfo"));
    CascadeChildWindows();
}

void GuiLinkUi::showRadioInfo() {
    OpenWindow(QStringLiteral("FrmEMG"));
}

GuiLinkUi& ProgramLinkUi() {
    static GuiLinkUi instance;
    return instance;
}
