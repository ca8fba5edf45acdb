#include "core/CommandLine.h"

#include <cstdio>

QString ProgramVersion() {
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

void PrintToStdout(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

void PrintUsageError(const QString& name, const QString& text) {
    std::fprintf(stderr, "%s: %s\n", name.toUtf8().constData(), text.toUtf8().constData());
    std::fflush(stderr);
}

int ParseProgramOptions(QCommandLineParser& parser, const QStringList& arguments,
                        const QString& name) {
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const bool parsed = parser.parse(arguments);
    // A request for help or the version is answered even beside a bad option.
    // Qt's own options are listed by the parser's own help, which exits.
    if (parser.isSet(QStringLiteral("help-all"))) parser.process(arguments);
    if (parser.isSet(help)) {
        PrintToStdout(parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        PrintToStdout(name + u' ' + ProgramVersion() + u'\n');
        return 0;
    }
    if (!parsed) {
        PrintUsageError(name, parser.errorText());
        PrintUsageError(name, QStringLiteral("see '%1 --help'").arg(name));
        return 2;
    }
    return -1;
}
