// zr580-cli new [--band 0|1|2] OUT.dat: a new document for a band, built as
// File New builds it (defaults, then the band's template), saved with its side file.
// Without a usable template nothing is written.
#include "cli/CliCommon.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"

int RunNew(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Write a new document for a band."));
    const QCommandLineOption band(QStringLiteral("band"),
                                  QStringLiteral("Band: 0 136-174 MHz, 1 200-260 MHz, "
                                                 "2 400-480 MHz (default)."),
                                  QStringLiteral("index"), QStringLiteral("2"));
    parser.addOption(band);
    parser.addPositionalArgument(
        QStringLiteral("OUT.dat"),
        QStringLiteral("The data file to write (its side file beside it)."));
    if (const int code = ParseCommand(parser, arguments, 1); code >= 0) return code;

    const QString bandValue = parser.value(band);
    if (bandValue != QLatin1String("0") && bandValue != QLatin1String("1") &&
        bandValue != QLatin1String("2")) {
        PrintError(QStringLiteral("--band takes 0, 1 or 2"));
        return kExitUsage;
    }
    const QString out = parser.positionalArguments().constFirst();
    if (const int code = CheckCommandFiles({}, {{out, true}}); code >= 0) return code;

    InstallTerminalMessages();
    AppState& s = app();
    s.bandText = BandTextOf(static_cast<int16>(bandValue.toInt()));
    SetBandLimits();
    // A new document without its template would lack what the template gives it.
    if (!InitNewDocument()) return kExitFailure;
    return SaveDataFile(out) ? kExitOk : kExitBadFile;
}
