// zr580-cli info --port P [--password PW] [--retries N] [--verbose]: reads and
// prints the radio's dealer and service information; --verbose adds what the
// transfer found of the cable (an echoing cable, a USB adapter's latency timer).
#include "cli/CliLink.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "link/CableInfo.h"
#include "link/Ports.h"

int RunInfo(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Read and print the radio information."));
    LinkOptions options;
    options.addTo(parser, false);
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Also print what was found of the cable."));
    parser.addOption(verbose);
    if (const int code = ParseCommand(parser, arguments, 0); code >= 0) return code;
    LinkRun run;
    if (const int code = PrepareLink(parser, options, false, run); code >= 0) return code;

    if (!RunLinkCommand(run, LinkCommand::RadioInfo, nullptr)) return kExitFailure;
    const RadioInfoRecord& r = app().radioInfo;
    const QString band =
        r.bandIndex >= 0 && r.bandIndex <= 2 ? BandTexts().at(r.bandIndex) : QString();
    const std::pair<const char*, QString> lines[] = {
        {"Radio Type", app().displayModelName},
        {"Frequency", band},
        {"Area Code", r.areaCode},
        {"Serial Number", r.serialNumber},
        {"Producted Date", r.productionDate},
        {"Manufacture Code", r.productionBatch},
        {"User Code", r.customerCode},
        {"Maintained Date", r.repairDate},
        {"Dealer Code", r.dealerCode},
        {"Stock Date", r.stockDate},
        {"Sell Date", r.saleDate},
        {"Seller", r.seller},
        {"Maintained", r.repairReason},
        {"Version", r.versionText},
    };
    QString text;
    for (const auto& [label, value] : lines)
        text += QStringLiteral("%1: %2\n").arg(QLatin1String(label), TerminalSafe(value));
    if (parser.isSet(verbose)) {
        const QString device = ResolvePortArgument(parser.value(options.port));
        text += QStringLiteral("Cable: %1\n")
                    .arg(run.link->cableEchoes() ? QStringLiteral("echoing cable")
                                                 : QStringLiteral("no echo"));
        const int latency = UsbLatencyTimer(device);
        if (latency >= 0) text += QStringLiteral("Latency timer: %1 ms\n").arg(latency);
    }
    PrintOut(text);
    return kExitOk;
}
