#include "link/LinkUi.h"

#include "link/ModelCheck.h"

bool LinkUi::confirm(const QString& text) {
    return ShowMessage(text, MsgButtons::OkCancel, MsgIcon::Question) == MsgAnswer::Ok;
}

bool LinkUi::askRetry(const QString& text) {
    return ShowMessage(text, MsgButtons::OkCancel, MsgIcon::Question) == MsgAnswer::Ok;
}

void LinkUi::showMessage(const QString& text, MsgIcon icon) {
    ShowMessage(text, MsgButtons::Ok, icon);
}

std::optional<QString> LinkUi::askPassword(const QString&) {
    return std::nullopt;
}

bool LinkUi::checkModelAndBand(const QString& radioModel, int radioBand) {
    return CheckModelAndBand(radioModel, radioBand);
}
