#include "cli/CliCommon.h"

#include "core/MessageBox.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
QString OneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    return text;
}
} // namespace

void PrintError(const QString& text) {
    std::fprintf(stderr, "zr580-cli: %s\n", OneLine(text).toUtf8().constData());
    std::fflush(stderr);
}

void PrintOut(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
}

void InstallTerminalMessages(bool assumeYes) {
    SetMessageHandler([assumeYes](const MessageRequest& request) {
        PrintError(request.text);
        switch (request.buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
            return assumeYes ? MsgAnswer::Yes : MsgAnswer::No;
        case MsgButtons::YesNoCancel:
            return assumeYes ? MsgAnswer::Yes : MsgAnswer::Cancel;
        case MsgButtons::RetryCancel:
            return MsgAnswer::Cancel;
        case MsgButtons::OkCancel:
            return assumeYes ? MsgAnswer::Ok : MsgAnswer::Cancel;
        }
        return MsgAnswer::Cancel;
    });
}

int ParseCommand(QCommandLineParser& parser, const QStringList& arguments, int positionals) {
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    if (!parser.parse(arguments)) {
        PrintError(parser.errorText());
        PrintError(QStringLiteral("see '%1 --help'").arg(arguments.value(0)));
        return kExitUsage;
    }
    if (parser.isSet(help)) {
        // The help names the command, not only the program.
        QString text = parser.helpText();
        const QString usage = QStringLiteral("Usage: ");
        const auto end = text.indexOf(QStringLiteral(" ["), usage.size());
        if (text.startsWith(usage) && end > 0)
            text.replace(usage.size(), end - usage.size(), arguments.value(0));
        PrintOut(text);
        return kExitOk;
    }
    if (parser.positionalArguments().size() != positionals) {
        PrintError(
            QStringLiteral("wrong number of arguments; see '%1 --help'").arg(arguments.value(0)));
        return kExitUsage;
    }
    return -1;
}
