// zr580-cli write --port P [--password PW] [--yes] [--retries N] [--no-backup]
// [--no-verify] [--backup-dir DIR] IN.dat: writes a data file into the radio,
// by default after backing the radio up and with a read-back check after it;
// with several --port (or --ports-from FILE) into every radio at once.
#include "cli/CliLink.h"
#include "cli/FleetWrite.h"
#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/Messages.h"
#include "link/ImageConversion.h"
#include "safewrite/SafeWrite.h"

#include <QDir>

int RunWrite(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Write a data file into the radio. The radio is backed up first and "
                       "read back afterwards to check what it stored."));
    LinkOptions options;
    options.addTo(parser, true);
    const QCommandLineOption noBackup(QStringLiteral("no-backup"),
                                      QStringLiteral("Do not back up the radio first."));
    const QCommandLineOption noVerify(QStringLiteral("no-verify"),
                                      QStringLiteral("Do not read the radio back afterwards."));
    const QCommandLineOption backupDir(QStringLiteral("backup-dir"),
                                       QStringLiteral("Keep the backup in DIR."),
                                       QStringLiteral("DIR"));
    parser.addOptions({noBackup, noVerify, backupDir});
    const FleetWriteOptions fleet;
    parser.addOption(fleet.portsFrom);
    parser.addPositionalArgument(QStringLiteral("IN.dat"),
                                 QStringLiteral("The data file to write."));
    if (const int code = ParseCommand(parser, arguments, 1); code >= 0) return code;
    SafeWriteOptions safe;
    safe.backup = !parser.isSet(noBackup);
    safe.verify = !parser.isSet(noVerify);
    safe.backupFolder = parser.value(backupDir);
    if (IsFleetWrite(parser, options, fleet)) return RunFleetWrite(parser, options, fleet, safe);
    LinkRun run;
    if (const int code = PrepareLink(parser, options, true, run); code >= 0) return code;

    if (!LoadDataFile(parser.positionalArguments().constFirst())) return kExitBadFile;
    QString completion;
    if (!safe.backup && !safe.verify) {
        // Exactly the plain write.
        if (!RunLinkCommand(run, LinkCommand::Write, &completion)) return kExitFailure;
        PrintOut(completion + QLatin1Char('\n'));
        return kExitOk;
    }
    if (app().document.channelCount <= 0) {
        PrintError(MessageText(Msg::NeedOneChannel));
        return kExitBadFile;
    }
    SafeWrite sequence(*run.link);
    const RadioImage image = OpenDocumentImage();
    const bool written = RunLinkTransfer(
        run, [&](LinkUi& ui) { return sequence.start(ui, image, app().document, safe); },
        &completion);
    if (!sequence.result().backupPath.isEmpty())
        PrintOut(QStringLiteral("Backup: %1\n")
                     .arg(QDir::toNativeSeparators(sequence.result().backupPath)));
    if (!written) return kExitFailure;
    PrintOut(completion + QLatin1Char('\n'));
    return kExitOk;
}
