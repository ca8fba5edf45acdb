#pragma once
// The one way the program shows a message box or asks a question. Windows
// install the real box; tests install a scripted answerer and read what was
// shown; the command-line tool installs its own terminal answerer.

#include <QString>
#include <functional>

enum class MsgButtons { Ok, OkCancel, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Information, Question, Warning, Error };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

struct MessageRequest {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
};

using MessageHandler = std::function<MsgAnswer(const MessageRequest&)>;

// Shows the box and returns the answer. The title defaults to the application title.
MsgAnswer ShowMessage(const QString& text, MsgButtons buttons = MsgButtons::Ok,
                      MsgIcon icon = MsgIcon::None, const QString& title = QString());

// The cautious choice among a box's buttons: Cancel, or No when there is no Cancel, or OK.
MsgAnswer CautiousAnswer(const MessageRequest& request);

// Installs the handler; returns the previous one. An empty handler restores the default,
// which answers every question with its cautious choice (Cancel, or No without Cancel).
MessageHandler SetMessageHandler(MessageHandler handler);

inline const QString kAppTitle = QStringLiteral("ZR580");
