#include "cli/CliLink.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/Messages.h"
#include "link/Password.h"
#include "link/Ports.h"
#include "link/SerialLinkPort.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

namespace {

bool StdinIsTerminal() {
    return isatty(STDIN_FILENO) != 0;
}

QString AskLine(const QString& prompt) {
    std::fprintf(stderr, "%s", prompt.toUtf8().constData());
    std::fflush(stderr);
    QTextStream in(stdin);
    return in.readLine();
}

class TerminalLinkUi : public LinkUi {
  public:
    TerminalLinkUi(int retries, QEventLoop& loop) : retries_(retries), loop_(loop) {}

    bool confirm(const QString&) override { return true; } // the command itself confirms

    bool askRetry(const QString& text) override {
        endProgressLine();
        PrintError(text);
        if (retries_ <= 0) return false;
        --retries_;
        PrintError(QStringLiteral("retrying"));
        return true;
    }

    void showMessage(const QString& text, MsgIcon) override {
        endProgressLine();
        if (text == MessageText(Msg::ReadCompleted) || text == MessageText(Msg::WriteCompleted)) {
            completion = text;
            return;
        }
        PrintError(text);
    }

    std::optional<QString> askPassword(const QString&) override {
        endProgressLine();
        if (!StdinIsTerminal()) return std::nullopt;
        return AskLine(QStringLiteral("PassWord: "));
    }

    void progressReset() override { drawBar(0); }
    void progressValue(int percent) override { drawBar(percent); }
    void progressClosed() override { endProgressLine(); }

    void transferEnded(LinkOperation, bool ok) override {
        ended = true;
        success = ok;
        loop_.quit();
    }

    bool ended = false;
    bool success = false;
    QString completion;

  private:
    void drawBar(int percent) {
        if (!bar_) return;
        const int filled = percent * 40 / 100;
        std::fprintf(stderr, "\r[%s%s] %3d%%", QByteArray(filled, '#').constData(),
                     QByteArray(40 - filled, '.').constData(), percent);
        std::fflush(stderr);
        barShown_ = true;
    }
    void endProgressLine() {
        if (!barShown_) return;
        std::fputc('\n', stderr);
        barShown_ = false;
    }

    int retries_;
    QEventLoop& loop_;
    const bool bar_ = isatty(STDERR_FILENO) != 0;
    bool barShown_ = false;
};

} // namespace

void LinkOptions::addTo(QCommandLineParser& parser, bool withYes) {
    parser.addOption(port);
    parser.addOption(password);
    if (withYes) parser.addOption(yes);
    parser.addOption(retries);
    parser.addOption(timing);
}

int PrepareLink(const QCommandLineParser& parser, const LinkOptions& options, bool withYes,
                LinkRun& run) {
    if (!parser.isSet(options.port)) {
        PrintError(QStringLiteral("--port is required"));
        return kExitUsage;
    }
    const QString device = ResolvePortArgument(parser.value(options.port));
    if (device.isEmpty()) {
        PrintError(QStringLiteral("--port takes a number, COM + number, or a device path"));
        return kExitUsage;
    }
    bool ok = false;
    run.retries = parser.value(options.retries).toInt(&ok);
    if (!ok || run.retries < 0) {
        PrintError(QStringLiteral("--retries takes a number of 0 or more"));
        return kExitUsage;
    }
    // The same password the password window would keep.
    const QString password = TrimPasswordEntry(parser.value(options.password));
    if (password.size() > kPasswordLength) {
        PrintError(QStringLiteral("--password takes up to %1 characters").arg(kPasswordLength));
        return kExitUsage;
    }
    run.timing = parser.isSet(options.timing);
    const bool assumeYes = withYes && parser.isSet(options.yes);
    InstallTerminalMessages(assumeYes);
    if (!assumeYes && StdinIsTerminal()) {
        // Questions are asked on the terminal.
        SetMessageHandler([](const MessageRequest& request) {
            PrintError(request.text);
            if (request.buttons == MsgButtons::Ok) return MsgAnswer::Ok;
            const QString answer = AskLine(QStringLiteral("OK or Cancel? [o/C] ")).trimmed();
            return answer.startsWith(u'o', Qt::CaseInsensitive) ? MsgAnswer::Ok : MsgAnswer::Cancel;
        });
    }
    ReadSettingsFile();
    app().heldPassword = password;
    run.link = std::make_unique<RadioLink>(std::make_unique<SerialLinkPort>(),
                                           std::make_unique<QtReplyTimer>());
    run.link->setPortDevice(device);
    return -1;
}

bool RunLinkCommand(LinkRun& run, LinkCommand command, QString* completion) {
    RadioLink& link = *run.link;
    return RunLinkTransfer(
        run,
        [&](LinkUi& ui) {
            switch (command) {
            case LinkCommand::Read:
                return link.startRead(ui);
            case LinkCommand::Write:
                return link.startWrite(ui);
            case LinkCommand::RadioInfo:
                return link.startRadioInfo(ui);
            }
            return false;
        },
        completion);
}

bool RunLinkTransfer(LinkRun& run, const std::function<bool(LinkUi&)>& start, QString* completion) {
    QEventLoop loop;
    TerminalLinkUi ui(run.retries, loop);
    QElapsedTimer clock;
    clock.start();
    if (!start(ui)) return false;
    if (!ui.ended) loop.exec();
    if (run.timing)
        PrintError(QStringLiteral("transfer took %1 s")
                       .arg(double(clock.nsecsElapsed()) / 1e9, 0, 'f', 3));
    if (completion) *completion = ui.completion;
    return ui.success;
}
