// zr580-cli: the programming tool's operations for scripts and tests, one
// subcommand per operation.
#include "cli/CliCommon.h"
#include "compare/DocumentCompare.h"
#include "core/CommandLine.h"
#include "core/TemporaryFolder.h"
#include "safewrite/SafeWrite.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <memory>

// One line per command: name, entry point, arguments and summary for the help.
#define ZR580_CLI_COMMANDS(X)                                                                      \
    X("new", RunNew, "[--band 0|1|2] OUT.dat", "write a new document for a band")                  \
    X("show", RunShow, "[--image] FILE.dat", "print a document readably")                          \
    X("image", RunImage, "IN.dat OUT.bin", "write the 4096-byte image a write would send")         \
    X("from-image", RunFromImage, "IN.bin OUT.dat", "build a document from a radio image")         \
    X("read", RunRead,                                                                             \
      "--port P [--password PW] [--yes] [--retries N] [--timing] [--check] OUT.dat",               \
      "read the radio")                                                                            \
    X("write", RunWrite,                                                                           \
      "--port P [--password PW] [--yes] [--retries N] [--timing] [--no-backup] "                   \
      "[--no-verify] [--backup-dir DIR] IN.dat",                                                   \
      "back up the radio, write it, read it back and compare; several --port P (or "               \
      "--ports-from FILE) write every radio at once")                                              \
    X("verify", RunVerify, "--port P [--password PW] [--retries N] [--timing] FILE.dat",           \
      "compare the radio with a file (exit 0 same, 1 different or not read)")                      \
    X("info", RunInfo, "--port P [--password PW] [--retries N] [--timing] [--verbose]",            \
      "print the radio information")                                                               \
    X("export-csv", RunExportCsv, "IN.dat OUT.csv", "write the channel table as a CSV file")       \
    X("import-csv", RunImportCsv, "[--skip-bad] [--force] IN.csv BASE.dat OUT.dat",                \
      "replace the channel table of BASE by a CSV file's channels")                                \
    X("print", RunPrint, "IN.dat --pdf OUT.pdf", "write the channel sheet as a PDF file")          \
    X("diff", RunDiff, "A.dat B.dat | --port P [--password PW] [--retries N] [--timing] A.dat",    \
      "list what differs (exit 0 same, 1 different or the radio not read)")

#define ZR580_DECLARE(name, entry, args, summary) int entry(const QStringList& arguments);
ZR580_CLI_COMMANDS(ZR580_DECLARE)

namespace {
struct Command {
    const char* name;
    int (*run)(const QStringList&);
    const char* arguments;
    const char* summary;
};

#define ZR580_ENTRY(name, entry, args, summary) {name, entry, args, summary},
const Command kCommands[] = {ZR580_CLI_COMMANDS(ZR580_ENTRY)};

const QString kName = QStringLiteral("zr580-cli");

QString CommandList() {
    QString text = QStringLiteral("\nCommands:\n");
    for (const Command& c : kCommands)
        text +=
            QStringLiteral("  %1 %2\n      %3\n")
                .arg(QLatin1String(c.name), QLatin1String(c.arguments), QLatin1String(c.summary));
    text += QStringLiteral("\n'zr580-cli COMMAND --help' describes a command.\n");
    return text;
}

// The tool's own options and the command; the command's options stay for it.
struct ToolOptions {
    QCommandLineParser parser;
    ToolOptions() {
        parser.setApplicationDescription(
            QStringLiteral("The ZR580 programming tool's operations for scripts."));
        parser.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("The command."),
                                     QStringLiteral("COMMAND [options] ARGUMENTS"));
        parser.setOptionsAfterPositionalArgumentsMode(
            QCommandLineParser::ParseAsPositionalArguments);
    }
};
} // namespace

int main(int argc, char** argv) {
    // Laying out the channel sheet needs fonts, so "print" runs with the
    // display-less platform; every other command needs no more than the core.
    TemporaryFolder runtime;
    std::unique_ptr<QCoreApplication> application;
    if (argc > 1 && std::strcmp(argv[1], "print") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        ProvideRuntimeFolder(runtime);
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(kName);
    // A failed check of a write names channels and fields, as "diff" does.
    SetWrittenDifferenceNamer(NamedRadioImageDifferences);
    QStringList args = QCoreApplication::arguments();
    if (args.value(1) == QLatin1String("help")) args[1] = QStringLiteral("--help");
    ToolOptions tool;
    if (const int code = ParseProgramOptions(tool.parser, args, kName); code >= 0) {
        if (code == kExitOk && tool.parser.isSet(QStringLiteral("help"))) PrintOut(CommandList());
        return code;
    }
    if (args.size() < 2) {
        PrintError(QStringLiteral("a command is needed"));
        std::fputs((tool.parser.helpText() + CommandList()).toUtf8().constData(), stderr);
        return kExitUsage;
    }
    const QString name = tool.parser.positionalArguments().value(0);
    for (const Command& c : kCommands) {
        if (name == QLatin1String(c.name)) {
            QStringList rest = args.mid(2);
            rest.prepend(QStringLiteral("zr580-cli ") + name);
            return c.run(rest);
        }
    }
    PrintError(QStringLiteral("unknown command '%1'; see 'zr580-cli --help'").arg(name));
    return kExitUsage;
}
