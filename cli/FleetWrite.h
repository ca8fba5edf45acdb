#pragma once
// zr580-cli write with several ports: every radio written at once.

#include "cli/CliLink.h"
#include "safewrite/SafeWrite.h"

struct FleetWriteOptions {
    QCommandLineOption portsFrom{QStringLiteral("ports-from"),
                                 QStringLiteral("Write the radios on the ports listed in FILE, "
                                                "one a line (with --port: those too)."),
                                 QStringLiteral("FILE")};
};

// True when the command names more than one port, or a port list.
bool IsFleetWrite(const QCommandLineParser& parser, const LinkOptions& options,
                  const FleetWriteOptions& fleet);
// Writes the data file into every radio at once, each with the backup and the
// read-back check `safe` asks for; the log goes beside the backups. On a
// terminal each radio has a status line while it runs; then one line per radio
// on stdout and a summary. Exit 0 only when every radio succeeded.
int RunFleetWrite(const QCommandLineParser& parser, const LinkOptions& options,
                  const FleetWriteOptions& fleet, const SafeWriteOptions& safe);
