#include "cli/CliLink.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/Messages.h"
#include "link/Password.h"
#include "link/Ports.h"
#include "link/SerialLinkPort.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <cstdio>
#include <unistd.h>

namespace {

// The frame of the transfer that got no usable reply, in the command's terms.
QString failedFrame(const LinkTransfer& t) {
    const int step = t.operation == 2 ? t.writeStep : t.readStep;
    const QString address =
        QStringLiteral("0x") + QString::number(t.address, 16).toUpper().rightJustified(4, u'0');
    switch (step) {
    case 1:
        return QStringLiteral("the handshake");
    case 2:
    case 31:
        return QStringLiteral("the identification request");
    case 32:
    case 3:
        return t.operation == 3 ? QStringLiteral("the identification request")
                                : QStringLiteral("the password block request");
    case 4:
        return t.operation == 2 ? QStringLiteral("the block written at %1").arg(address)
                                : QStringLiteral("the read request at %1").arg(address);
    case 5:
        return QStringLiteral("the acknowledgement of the block at %1").arg(address);
    case 69:
        return QStringLiteral("the end of the transfer");
    default:
        return QStringLiteral("the transfer");
    }
}

// The connection message without its question (nobody is asked here).
QString withoutQuestion(const QString& text) {
    const qsizetype end = text.lastIndexOf(QLatin1Char('.'));
    return text.endsWith(QLatin1Char('?')) && end > 0 ? text.left(end + 1) : text;
}

class TerminalLinkUi : public LinkUi {
  public:
    TerminalLinkUi(const RadioLink& link, QEventLoop& loop) : link_(link), loop_(loop) {}

    bool confirm(const QString&) override { return true; } // the command itself confirms

    // The link has repeated the step as often as --retries allows.
    bool askRetry(const QString& text) override {
        endProgressLine();
        reportFailure(text);
        return false;
    }

    void showMessage(const QString& text, MsgIcon) override {
        endProgressLine();
        if (text == MessageText(Msg::ReadCompleted) || text == MessageText(Msg::WriteCompleted)) {
            completion = text;
            return;
        }
        if (text == MessageText(Msg::CheckConnection)) {
            reportFailure(text);
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
    // Says which frame got no reply or a bad one, and how often it was retried.
    void reportFailure(const QString& text) {
        const LinkTransfer& t = link_.transfer();
        const QString what = link_.onlyEcho() ? QStringLiteral("only the cable's echo of")
                             : t.badReply     ? QStringLiteral("bad reply to")
                                              : QStringLiteral("no reply to");
        PrintError(QStringLiteral("%1 %2 after %3 %4 (%5)")
                       .arg(what, failedFrame(t))
                       .arg(t.stepRetries)
                       .arg(t.stepRetries == 1 ? QStringLiteral("retry")
                                               : QStringLiteral("retries"),
                            withoutQuestion(text)));
    }

    void drawBar(int percent) {
        if (!bar_) return;
        const int filled = percent * 40 / 100;
        std::fprintf(stderr, "\r[%s%s] %3d%%", QByteArray(filled, '#').constData(),
                     QByteArray(40 - filled, '.').constData(), percent);
        std::fflush(stderr);
        SetProgressLineOpen(true);
    }
    void endProgressLine() { SetProgressLineOpen(false); }

    const RadioLink& link_;
    QEventLoop& loop_;
    const bool bar_ = isatty(STDERR_FILENO) != 0;
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
    QString problem;
    const QString device = ResolvePortArgument(parser.value(options.port), &problem);
    if (device.isEmpty()) {
        PrintError(problem);
        return kExitUsage;
    }
    if (const int code = PrepareLinkSettings(parser, options, withYes, run); code >= 0)
        return code;
    run.link = std::make_unique<RadioLink>(std::make_unique<SerialLinkPort>(),
                                           std::make_unique<QtReplyTimer>());
    run.link->setPortDevice(device);
    run.link->setStepRetries(run.retries);
    return -1;
}

int PrepareLinkSettings(const QCommandLineParser& parser, const LinkOptions& options,
                        bool withYes, LinkRun& run) {
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
    InstallTerminalMessages(withYes && parser.isSet(options.yes), withYes);
    ReadSettingsFile();
    app().heldPassword = password;
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
    TerminalLinkUi ui(*run.link, loop);
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
