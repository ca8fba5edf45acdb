#include "core/MessageBox.h"

MsgAnswer CautiousAnswer(const MessageRequest& request) {
    switch (request.buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    default:
        return MsgAnswer::Cancel;
    }
}

namespace {
MessageHandler& handler() {
    static MessageHandler current;
    return current;
}
} // namespace

MsgAnswer ShowMessage(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) {
    MessageRequest request{text, title.isEmpty() ? kAppTitle : title, buttons, icon};
    if (handler()) return handler()(request);
    return CautiousAnswer(request);
}

MessageHandler SetMessageHandler(MessageHandler next) {
    MessageHandler previous = handler();
    handler() = std::move(next);
    return previous;
}
