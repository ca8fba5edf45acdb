// zr580-cli export-csv IN.dat OUT.csv and import-csv IN.csv BASE.dat OUT.dat: the
// channel table as a CSV file and back, as the File menu's commands do it.
#include "cli/CliCommon.h"
#include "core/AppState.h"
#include "core/DataFile.h"
#include "exchange/ChannelColumns.h"
#include "exchange/ChannelImport.h"

#include <QFile>

int RunExportCsv(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Write the channel table of a document as a CSV file (UTF-8, one line "
                       "per channel)."));
    parser.addPositionalArgument(QStringLiteral("IN.dat"), QStringLiteral("The data file."));
    parser.addPositionalArgument(QStringLiteral("OUT.csv"), QStringLiteral("The CSV file."));
    if (const int code = ParseCommand(parser, arguments, 2); code >= 0) return code;

    const QStringList paths = parser.positionalArguments();
    if (const int code = CheckCommandFiles({{paths.at(0), true}}, {{paths.at(1)}}); code >= 0)
        return code;
    InstallTerminalMessages();
    if (!LoadDataFile(paths.at(0))) return kExitBadFile;
    const int unreadable = ReportUnreadableFields(app().document);
    if (!WriteOutputFile(paths.at(1), ExportChannelsCsv(app().document))) return kExitBadFile;
    return unreadable > 0 ? kExitFailure : kExitOk;
}

int RunImportCsv(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Replace the channel table of a document by the channels of a CSV file "
                       "and save the result. Every row passes the channel rules; a row that "
                       "breaks one is reported, and then nothing is imported unless "
                       "--skip-bad is given. A value the channel windows do not offer is "
                       "taken as it stands, with a warning. A column the program does not "
                       "know, or an import that leaves no channel, stops the import unless "
                       "--force is given."));
    const QCommandLineOption skipBad(QStringLiteral("skip-bad"),
                                     QStringLiteral("Import the rows without problems and leave "
                                                    "out the reported ones."));
    const QCommandLineOption force(
        QStringLiteral("force"),
        QStringLiteral("Import even with unknown columns (ignored) or when no channel is left."));
    parser.addOption(skipBad);
    parser.addOption(force);
    parser.addPositionalArgument(QStringLiteral("IN.csv"), QStringLiteral("The CSV file."));
    parser.addPositionalArgument(QStringLiteral("BASE.dat"),
                                 QStringLiteral("The document whose channel table is replaced."));
    parser.addPositionalArgument(QStringLiteral("OUT.dat"),
                                 QStringLiteral("The data file to write."));
    if (const int code = ParseCommand(parser, arguments, 3); code >= 0) return code;

    const QStringList paths = parser.positionalArguments();
    if (const int code = CheckCommandFiles({{paths.at(0)}, {paths.at(1), true}},
                                           {{paths.at(2), true}});
        code >= 0)
        return code;
    InstallTerminalMessages();
    QFile file(paths.at(0));
    if (const QString reason = OpenToRead(file); !reason.isEmpty()) {
        ShowFileFailure(Msg::FileError, {paths.at(0), reason});
        return kExitBadFile;
    }
    // One byte more than is ever taken is enough to refuse a larger file.
    const QByteArray bytes = file.read(kMaxImportBytes + 1);
    if (!LoadDataFile(paths.at(1))) return kExitBadFile;

    const ImportOutcome outcome = ImportChannelsCsv(bytes, app().document);
    if (outcome.refused()) {
        PrintError(outcome.refusal);
        return kExitBadFile;
    }
    for (const QList<ImportProblem>* list : {&outcome.problems, &outcome.warnings})
        for (const ImportProblem& problem : *list)
            PrintError(problem.text());
    if (!outcome.unknownColumns.isEmpty())
        PrintError(QStringLiteral("unknown columns: %1")
                       .arg(outcome.unknownColumns.join(QStringLiteral(", "))));
    const ChannelChanges& c = outcome.changes;
    PrintOut(QStringLiteral("channels: %1 added, %2 changed, %3 removed\n")
                 .arg(c.added)
                 .arg(c.changed)
                 .arg(c.removed));
    if (!outcome.problems.isEmpty() && !parser.isSet(skipBad)) {
        PrintError(QStringLiteral("nothing imported (%1 rows with problems; --skip-bad imports "
                                  "the other %2)")
                       .arg(outcome.badRows)
                       .arg(outcome.goodRows));
        return kExitBadFile;
    }
    if (!parser.isSet(force)) {
        if (!outcome.unknownColumns.isEmpty()) {
            PrintError(QStringLiteral("nothing imported (columns the program does not know; "
                                      "--force imports without them)"));
            return kExitBadFile;
        }
        if (outcome.document.channelCount <= 0) {
            PrintError(QStringLiteral("nothing imported (the import leaves no channel; --force "
                                      "imports it)"));
            return kExitBadFile;
        }
    }
    ReplaceChannelTable(outcome.document, ChannelTableStepName(ChannelTableStep::Import));
    return SaveDataFile(paths.at(2)) ? kExitOk : kExitBadFile;
}
