// zr580-cli verify --port P [--password PW] [--retries N] FILE.dat: compares what
// the radio holds with what writing the file would store, without writing.
// Exit 0 when the same, 1 when different (the addresses on stdout) or when the
// radio could not be read, 2 for bad usage or a file that cannot be used.
#include "cli/CliLink.h"
#include "core/DataFile.h"
#include "link/ImageConversion.h"
#include "safewrite/ImageCompare.h"

int RunVerify(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Compare the radio with a data file without writing: exit 0 when the "
                       "radio holds what writing the file would store, 1 when it differs or "
                       "cannot be read, 2 for bad usage or a file that cannot be used."));
    LinkOptions options;
    options.addTo(parser, false);
    parser.addPositionalArgument(QStringLiteral("FILE.dat"),
                                 QStringLiteral("The data file to compare with."));
    if (const int code = ParseCommand(parser, arguments, 1); code >= 0) return code;
    LinkRun run;
    if (const int code = PrepareLink(parser, options, false, run); code >= 0) return code;
    if (!LoadDataFile(parser.positionalArguments().constFirst())) return kExitBadFile;

    const RadioImage image = OpenDocumentImage();
    RadioLink& link = *run.link;
    if (!RunLinkTransfer(
            run, [&](LinkUi& ui) { return link.startReadImage(ui, kWrittenEnd); }, nullptr))
        return kExitFailure;
    const ImageDifference difference = CompareWritten(image, link.image());
    if (difference.same()) {
        PrintOut(QStringLiteral("same\n"));
        return kExitOk;
    }
    PrintOut(QStringLiteral("%1 bytes differ at %2\n")
                 .arg(difference.count)
                 .arg(DifferenceAddresses(difference)));
    return kExitFailure;
}
