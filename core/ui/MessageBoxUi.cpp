#include "core/ui/MessageBoxUi.h"

#include "core/AppState.h"
#include "core/ui/WindowRegistry.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace {
struct ButtonSpec {
    QMessageBox::StandardButton button;
    MsgAnswer answer;
    Tr caption;
};

const ButtonSpec kOk{
    QMessageBox::Ok, MsgAnswer::Ok, {QStringLiteral("OK"), QStringLiteral("确定")}};
const ButtonSpec kCancel{
    QMessageBox::Cancel, MsgAnswer::Cancel, {QStringLiteral("Cancel"), QStringLiteral("取消")}};
const ButtonSpec kYes{
    QMessageBox::Yes, MsgAnswer::Yes, {QStringLiteral("&Yes"), QStringLiteral("是(&Y)")}};
const ButtonSpec kNo{
    QMessageBox::No, MsgAnswer::No, {QStringLiteral("&No"), QStringLiteral("否(&N)")}};
const ButtonSpec kRetry{
    QMessageBox::Retry, MsgAnswer::Retry, {QStringLiteral("&Retry"), QStringLiteral("重试(&R)")}};

QList<const ButtonSpec*> buttonsOf(MsgButtons buttons) {
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
    const QList<const ButtonSpec*> specs = buttonsOf(request.buttons);
    for (const ButtonSpec* spec : specs)
        box.addButton(spec->button)->setText(spec->caption());
    box.setDefaultButton(specs.first()->button);
    // Escape and the close box give the cautious answer: Cancel, No, or OK alone.
    box.setEscapeButton(specs.last()->button);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const ButtonSpec* spec : specs)
        if (spec->button == clicked) return spec->answer;
    return specs.last()->answer;
}

void InstallMessageBoxUi() {
    SetMessageHandler(ShowMessageBoxUi);
}
