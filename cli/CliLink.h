#pragma once
// The transfer commands of the command-line tool (read, write, info): the
// options they share, and a terminal version of what a user sees of a transfer
// (progress bar on stderr when it is a terminal, a step that got no reply or a
// bad one repeated up to --retries times and then the transfer failed, the
// password asked on the terminal when there is one). The
// transfer itself is the program's own, run in this process's event loop.

#include "cli/CliCommon.h"
#include "link/LinkTransfer.h"

#include <QCommandLineOption>
#include <QString>
#include <functional>
#include <memory>

struct LinkOptions {
    QCommandLineOption port{
        QStringLiteral("port"),
        QStringLiteral("Serial port: a number, COM + number, or a device path."),
        QStringLiteral("P")};
    QCommandLineOption password{QStringLiteral("password"),
                                QStringLiteral("The radio's programming password."),
                                QStringLiteral("PW")};
    QCommandLineOption yes{QStringLiteral("yes"),
                           QStringLiteral("Answer OK to the band question.")};
    QCommandLineOption retries{QStringLiteral("retries"),
                               QStringLiteral("Repeat a step that got no reply or a bad reply "
                                              "up to N times (default 3; 0: fail at once)."),
                               QStringLiteral("N"), QStringLiteral("3")};
    QCommandLineOption timing{QStringLiteral("timing"),
                              QStringLiteral("Print the time the transfer took on stderr.")};
    void addTo(QCommandLineParser& parser, bool withYes);
};

struct LinkRun {
    std::unique_ptr<RadioLink> link;
    int retries = 3;
    bool timing = false;
};

// Checks the shared options and prepares the program state (settings, held
// password, messages on the terminal) and the link on the given port. Returns
// -1 to go on, else the exit code.
int PrepareLink(const QCommandLineParser& parser, const LinkOptions& options, bool withYes,
                LinkRun& run);

// The same without the port and the link: the retries, the password, the
// timing, the terminal messages and the settings.
int PrepareLinkSettings(const QCommandLineParser& parser, const LinkOptions& options,
                        bool withYes, LinkRun& run);

// Runs a transfer begun by `start` (true when it began) to its end; true when it
// completed. The completion message is held back in `completion` so the caller
// prints it after its own work.
bool RunLinkTransfer(LinkRun& run, const std::function<bool(LinkUi&)>& start, QString* completion);

enum class LinkCommand { Read, Write, RadioInfo };
// Runs the command to its end; true when the transfer completed. The completion
// message is held back in `completion` so the caller prints it after its own work.
bool RunLinkCommand(LinkRun& run, LinkCommand command, QString* completion);
