#include "cli/CliCommon.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/FileFailure.h"
#include "core/FileWrite.h"
#include "core/MessageBox.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

namespace {
QString OneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    return text;
}
} // namespace

void PrintError(const QString& text) {
    std::fprintf(stderr, "zr580-cli: %s\n", OneLine(text).toUtf8().constData());
    std::fflush(stderr);
}

void PrintOut(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
}

void InstallTerminalMessages(bool assumeYes) {
    SetMessageHandler([assumeYes](const MessageRequest& request) {
        PrintError(request.text);
        switch (request.buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
            return assumeYes ? MsgAnswer::Yes : MsgAnswer::No;
        case MsgButtons::YesNoCancel:
            return assumeYes ? MsgAnswer::Yes : MsgAnswer::Cancel;
        case MsgButtons::RetryCancel:
            return MsgAnswer::Cancel;
        case MsgButtons::OkCancel:
            return assumeYes ? MsgAnswer::Ok : MsgAnswer::Cancel;
        }
        return MsgAnswer::Cancel;
    });
}

int ParseCommand(QCommandLineParser& parser, const QStringList& arguments, int positionals) {
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    if (!parser.parse(arguments)) {
        PrintError(parser.errorText());
        PrintError(QStringLiteral("see '%1 --help'").arg(arguments.value(0)));
        return kExitUsage;
    }
    if (parser.isSet(help)) {
        // The help names the command, not only the program.
        QString text = parser.helpText();
        const QString usage = QStringLiteral("Usage: ");
        const auto end = text.indexOf(QStringLiteral(" ["), usage.size());
        if (text.startsWith(usage) && end > 0)
            text.replace(usage.size(), end - usage.size(), arguments.value(0));
        PrintOut(text);
        return kExitOk;
    }
    if (parser.positionalArguments().size() != positionals) {
        PrintError(
            QStringLiteral("wrong number of arguments; see '%1 --help'").arg(arguments.value(0)));
        return kExitUsage;
    }
    return -1;
}

namespace {
QStringList PathsWithSideFiles(const QList<CommandFile>& files) {
    QStringList paths;
    for (const CommandFile& file : files) {
        paths.append(file.path);
        if (!file.dataFile) continue;
        paths.append(SideFileNameOf(file.path));
        // Through a link, the side file of the file it reaches is the document's too.
        const QFileInfo info(file.path);
        if (info.isSymLink() && info.exists())
            paths.append(SideFileNameOf(info.canonicalFilePath()));
    }
    return paths;
}
} // namespace

int CheckCommandFiles(const QList<CommandFile>& inputs, const QList<CommandFile>& outputs) {
    static const Tr sameFile{
        QStringLiteral("%1 is the same file as the input %2: nothing written"),
        QStringLiteral("%1 与输入文件 %2 是同一个文件：未写入任何内容")};
    for (const CommandFile& out : outputs) {
        const QString problem = out.dataFile              ? DataFilePathProblem(out.path)
                                : QFileInfo(out.path).isDir() ? SystemErrorText(EISDIR)
                                                              : QString();
        if (!problem.isEmpty()) {
            PrintError(FileFailureText(Msg::FileError, {out.path, problem}));
            return kExitUsage;
        }
    }
    const QStringList read = PathsWithSideFiles(inputs);
    for (const QString& written : PathsWithSideFiles(outputs))
        for (const QString& input : read)
            if (SameFile(written, input)) {
                PrintError(sameFile().arg(written, input));
                return kExitUsage;
            }
    return -1;
}

bool WriteOutputFile(const QString& path, const QByteArray& bytes) {
    FileFailure failure;
    if (WriteFilesTogether({{path, bytes}}, &failure)) return true;
    PrintError(FileFailureText(Msg::FileError, failure));
    return false;
}
