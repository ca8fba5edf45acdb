// zr580-cli write --port P [--password PW] [--yes] [--retries N] IN.dat: writes a
// data file into the radio; with several --port (or --ports-from FILE) into every
// radio at once.
#include "cli/CliLink.h"
#include "cli/FleetWrite.h"
#include "core/DataFile.h"

int RunWrite(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Write a data file into the radio."));
    LinkOptions options;
    options.addTo(parser, true);
    const FleetWriteOptions fleet;
    parser.addOption(fleet.portsFrom);
    parser.addPositionalArgument(QStringLiteral("IN.dat"),
                                 QStringLiteral("The data file to write."));
    if (const int code = ParseCommand(parser, arguments, 1); code >= 0) return code;
    if (IsFleetWrite(parser, options, fleet)) return RunFleetWrite(parser, options, fleet);
    LinkRun run;
    if (const int code = PrepareLink(parser, options, true, run); code >= 0) return code;

    if (!LoadDataFile(parser.positionalArguments().constFirst())) return kExitFailure;
    QString completion;
    if (!RunLinkCommand(run, LinkCommand::Write, &completion)) return kExitFailure;
    PrintOut(completion + QLatin1Char('\n'));
    return kExitOk;
}
