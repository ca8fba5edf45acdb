// zr580-cli read --port P [--password PW] [--yes] [--retries N] [--check] OUT.dat: reads the
// radio into a data file and its side file. Nothing is written unless the whole
// transfer completed.
#include "cli/CliLink.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"

int RunRead(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Read the radio into a data file."));
    LinkOptions options;
    options.addTo(parser, true);
    const QCommandLineOption check(QStringLiteral("check"),
                                   QStringLiteral("Read every block until two reads agree."));
    parser.addOption(check);
    parser.addPositionalArgument(
        QStringLiteral("OUT.dat"),
        QStringLiteral("The data file to write (its side file beside it)."));
    if (const int code = ParseCommand(parser, arguments, 1); code >= 0) return code;
    const QString out = parser.positionalArguments().constFirst();
    if (const int code = CheckCommandFiles({}, {{out, true}}); code >= 0) return code;
    LinkRun run;
    if (const int code = PrepareLink(parser, options, true, run); code >= 0) return code;
    run.link->setCheckedReads(parser.isSet(check));
    // What the radio does not hold (DTMF and FleetLink settings, the lists, the PTT ID
    // codes) comes from a new document, as when the image is read into a new file.
    InitNewDocument();

    QString completion;
    if (!RunLinkCommand(run, LinkCommand::Read, &completion)) return kExitFailure;
    if (!SaveDataFile(out)) return kExitBadFile;
    PrintOut(completion + QLatin1Char('\n'));
    return kExitOk;
}
