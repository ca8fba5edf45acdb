#include "cli/CliCommon.h"

#include "channels/ChannelTable.h"
#include "channels/ChannelTexts.h"
#include "codec/Frequency.h"
#include "core/Ansi.h"
#include "core/AppState.h"
#include "core/CommandLine.h"
#include "core/DataFile.h"
#include "core/FileFailure.h"
#include "core/FileWrite.h"
#include "core/Language.h"
#include "core/MessageBox.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {
QString OneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    return text;
}

bool Invisible(QChar c) {
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

// The channel and field a warning of the program is about, while one is formatted.
struct WarningPlace {
    QString place;
    QSet<QString> reported; // warnings already printed with their place
    int placed = 0;         // how many were printed with their place
};
WarningPlace& warningPlace() {
    static WarningPlace current;
    return current;
}

// A warning of the program, with its place when one is being formatted; false
// for a repeat of a warning already printed with its place.
bool PrintWarning(const QString& text) {
    WarningPlace& w = warningPlace();
    if (!w.place.isEmpty()) {
        PrintError(w.place + QStringLiteral(": ") + text);
        w.reported.insert(text);
        ++w.placed;
        return true;
    }
    if (w.reported.contains(text)) return false;
    PrintError(text);
    return true;
}

MsgAnswer Accepting(MsgButtons buttons) {
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                              : MsgAnswer::Ok;
}
} // namespace

bool StdinIsTerminal() {
    return isatty(STDIN_FILENO) != 0;
}

QString AskLine(const QString& prompt) {
    SetProgressLineOpen(false);
    std::fprintf(stderr, "%s", prompt.toUtf8().constData());
    std::fflush(stderr);
    QTextStream in(stdin);
    return in.readLine();
}

QString CliText(const char* key) {
    return LanguageText(QStringLiteral("Cli"), QLatin1String(key));
}

QString TerminalSafe(const QString& text) {
    if (std::none_of(text.begin(), text.end(), Invisible)) return text;
    QString out;
    for (const QChar c : text) {
        if (!Invisible(c))
            out += c;
        else if (c.unicode() < 0x100)
            out += QStringLiteral("\\x") + QString::number(c.unicode(), 16).rightJustified(2, u'0');
        else
            out += QStringLiteral("\\u") + QString::number(c.unicode(), 16).rightJustified(4, u'0');
    }
    return out;
}

namespace {
bool progressLineOpen = false;
}

void SetProgressLineOpen(bool open) {
    if (progressLineOpen && !open) std::fputc('\n', stderr);
    progressLineOpen = open;
}

void PrintError(const QString& text) {
    SetProgressLineOpen(false);
    PrintUsageError(QStringLiteral("zr580-cli"), TerminalSafe(OneLine(text)));
}

void PrintOut(const QString& text) {
    PrintToStdout(text);
}

void InstallTerminalMessages(bool assumeYes, bool yesOption) {
    SetMessageHandler([assumeYes, yesOption](const MessageRequest& request) {
        if (request.buttons == MsgButtons::Ok) {
            PrintWarning(request.text);
            return MsgAnswer::Ok;
        }
        PrintError(request.text);
        if (request.buttons == MsgButtons::RetryCancel) return MsgAnswer::Cancel;
        if (assumeYes) return Accepting(request.buttons);
        QString said;
        if (StdinIsTerminal()) {
            const QString answer = AskLine(QStringLiteral("OK or Cancel? [o/C] ")).trimmed();
            if (answer.startsWith(u'o', Qt::CaseInsensitive)) return Accepting(request.buttons);
            said = CliText("Declined");
        } else {
            said = CliText("NotAsked");
        }
        if (yesOption) said += u' ' + CliText("YesAnswers");
        PrintError(said);
        return CautiousAnswer(request);
    });
}

int ReportUnreadableFields(const DocumentRecord& doc) {
    WarningPlace& w = warningPlace();
    const int before = w.placed;
    const int count = std::clamp<int>(doc.channelCount, 0, kMaxChannels);
    for (int i = 0; i < count; ++i) {
        const ChannelEntry& c = doc.channels[static_cast<std::size_t>(i)];
        const std::pair<int, QString> fields[] = {{FieldRxFreq, FromAnsi(c.rxFreq.value())},
                                                  {FieldTxFreq, FromAnsi(c.txFreq.value())}};
        for (const auto& [field, stored] : fields) {
            w.place = QStringLiteral("%1 %2 %3 \"%4\"")
                          .arg(ChannelCaption()())
                          .arg(c.number)
                          .arg(ChannelFieldCaption(field)(), stored);
            FreDataToShow(stored);
            w.place.clear();
        }
    }
    return w.placed - before;
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
