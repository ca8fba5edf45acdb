// zr580-cli print IN.dat --pdf OUT.pdf: the channel sheet the print window shows,
// as an A4 PDF file.
#include "cli/CliCommon.h"
#include "core/DataFile.h"
#include "exchange/ui/SheetPrinter.h"

int RunPrint(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Write the channel sheet of a document (heading, channels of every group "
                       "with channels, radio-wide settings) as an A4 PDF file."));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QStringLiteral("The PDF file to write."),
                                 QStringLiteral("OUT.pdf"));
    parser.addOption(pdf);
    parser.addPositionalArgument(QStringLiteral("IN.dat"), QStringLiteral("The data file."));
    if (const int code = ParseCommand(parser, arguments, 1); code >= 0) return code;
    if (!parser.isSet(pdf)) {
        PrintError(
            QStringLiteral("--pdf OUT.pdf is needed; see '%1 --help'").arg(arguments.value(0)));
        return kExitUsage;
    }

    const QString in = parser.positionalArguments().constFirst();
    if (const int code = CheckCommandFiles({{in, true}}, {{parser.value(pdf)}}); code >= 0)
        return code;
    InstallTerminalMessages();
    if (!LoadDataFile(in)) return kExitBadFile;
    return WriteOutputFile(parser.value(pdf), ChannelSheetPdf(OpenDocumentSheetHtml()))
               ? kExitOk
               : kExitBadFile;
}
