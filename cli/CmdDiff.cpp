// zr580-cli diff A.dat B.dat, or diff --port P A.dat: what differs between two
// documents, or between a document and a radio (only what the radio can hold),
// one difference a line. Exit 0 when equal, 1 when different or when the radio
// could not be read, 2 for bad usage or a file that cannot be used.
#include "cli/CliLink.h"
#include "compare/DocumentCompare.h"
#include "core/DataFile.h"

#include <algorithm>

namespace {
bool readDocument(const QString& path, DocumentSnapshot* snapshot) {
    return ReadDataFile(path, &snapshot->record, &snapshot->side);
}

// Values from files and radios are shown with their control characters escaped
// (tabs too, so they cannot make columns).
int report(QList<Difference> differences) {
    for (Difference& d : differences) {
        d.mine = TerminalSafe(d.mine);
        d.theirs = TerminalSafe(d.theirs);
    }
    PrintOut(DifferenceReport(differences));
    return differences.isEmpty() ? kExitOk : kExitFailure;
}
} // namespace

int RunDiff(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("List what differs between two documents, or between a document and "
                       "a radio (--port): place, field, value in A, other value, tab-separated."));
    LinkOptions options;
    options.addTo(parser, false);
    parser.addPositionalArgument(QStringLiteral("A.dat"), QStringLiteral("The document."));
    parser.addPositionalArgument(QStringLiteral("B.dat"),
                                 QStringLiteral("The other document (not with --port)."));
    const bool radio = std::any_of(arguments.begin(), arguments.end(), [](const QString& a) {
        return a == QLatin1String("--port") || a.startsWith(QLatin1String("--port="));
    });
    if (const int code = ParseCommand(parser, arguments, radio ? 1 : 2); code >= 0) return code;
    const QStringList paths = parser.positionalArguments();

    if (!radio) {
        InstallTerminalMessages();
        DocumentSnapshot a, b;
        if (!readDocument(paths.at(0), &a) || !readDocument(paths.at(1), &b)) return kExitBadFile;
        ReportUnreadableFields(a.record);
        ReportUnreadableFields(b.record);
        return report(CompareDocuments(a, b));
    }

    LinkRun run;
    if (const int code = PrepareLink(parser, options, false, run); code >= 0) return code;
    DocumentSnapshot a;
    if (!readDocument(paths.at(0), &a)) return kExitBadFile;
    ReportUnreadableFields(a.record);
    const auto readImage = [&run](LinkUi& ui) { return run.link->startReadImage(ui); };
    if (!RunLinkTransfer(run, readImage, nullptr)) return kExitFailure;
    return report(CompareWithRadioImage(a, run.link->image()));
}
