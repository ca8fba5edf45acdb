#include "core/ui/MessageBoxUi.h"

#include "core/AppState.h"
#include "core/ui/WindowRegistry.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace {
struct ButtonDef {
    QMessageBox::StandardButton button;
    MsgAnswer answer;
    Tr caption;
};

const ButtonDef kOk{QMessageBox::Ok, MsgAnswer::Ok, {QStringLiteral("OK"), QStringLiteral("确定")}};
const ButtonDef kCancel{
    QMessageBox::Cancel, MsgAnswer::Cancel, {QStringLiteral("Cancel"), QStringLiteral("取消")}};
const ButtonDef kYes{
    QMessageBox::Yes, MsgAnswer::Yes, {QStringLiteral("&Yes"), QStringLiteral("是(&Y)")}};
const ButtonDef kNo{
    QMessageBox::No, MsgAnswer::No, {QStringLiteral("&No"), QStringLiteral("否(&N)")}};
const ButtonDef kRetry{
    QMessageBox::Retry, MsgAnswer::Retry, {QStringLiteral("&Retry"), QStringLiteral("重试(&R)")}};

QList<const ButtonDef*> buttonsOf(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return {&kOk};
    case MsgButtons::OkCancel:
        return {&kOk, &kCancel};
    case MsgButtons::YesNoCancel:
        return {&kYes, &kNo, &kCancel};
    case MsgButtons::YesNo:
        return {&kYes, &kNo};
    case MsgButtons::RetryCancel:
        return {&kRetry, &kCancel};
    }
    return {&kOk};
}

QMessageBox::Icon iconOf(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

MsgAnswer ShowMessageBoxUi(const MessageRequest& request) {
    QMessageBox box(iconOf(request.icon), request.title.isEmpty() ? kAppTitle : request.title,
                    request.text, QMessageBox::NoButton, DialogParent());
    const QList<const ButtonDef*> defs = buttonsOf(request.buttons);
    for (const ButtonDef* def : defs)
        box.addButton(def->button)->setText(def->caption());
    box.setDefaultButton(defs.first()->button);
    // Escape and the close box give the cautious answer: Cancel, No, or OK alone.
    box.setEscapeButton(defs.last()->button);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const ButtonDef* def : defs)
        if (def->button == clicked) return def->answer;
    return defs.last()->answer;
}

void InstallMessageBoxUi() {
    SetMessageHandler(ShowMessageBoxUi);
}
