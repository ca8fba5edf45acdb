// The three built programs as a Linux user meets them: --help and --version,
// manual pages that list what the parsers take, exit codes, port names, questions
// nobody can answer, texts from files and radios on a terminal, and warnings that
// name their channel and field.
#include "CliProcess.h"

#include "core/AppState.h"
#include "core/CommandLine.h"
#include "core/DataFile.h"
#include "core/Language.h"
#include "core/Messages.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {

QString CliText(const char* key) {
    return LanguageText(QStringLiteral("Cli"), QLatin1String(key));
}

// The option names in a text: every "--name", or with `help` only those that
// start a line of a parser's help ("  -h, --help  ...").
QSet<QString> Options(const QString& text, bool help = false) {
    static const QRegularExpression any(QStringLiteral("--([a-z][a-z0-9-]*)"));
    static const QRegularExpression helpLine(QStringLiteral("^\\s+(?:-\\S, )?--([a-z][a-z0-9-]*)"),
                                             QRegularExpression::MultilineOption);
    QSet<QString> names;
    for (auto it = (help ? helpLine : any).globalMatch(text); it.hasNext();)
        names.insert(it.next().captured(1));
    return names;
}

// A manual page's item heads (the line after each .TP) by section, "\-" read as
// "-"; "TH" holds the title line.
QMap<QString, QStringList> PageHeads(const QString& page) {
    const QStringList lines =
        QString::fromUtf8(ReadFileBytes(QStringLiteral(ZR580_SOURCE_DIR "/packaging/") + page))
            .replace(QStringLiteral("\\-"), QStringLiteral("-"))
            .split(u'\n');
    QMap<QString, QStringList> heads;
    QString section;
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].startsWith(QLatin1String(".SH "))) section = lines[i].mid(4);
        if (lines[i] == QLatin1String(".TP")) heads[section] << lines[i + 1];
        if (lines[i].startsWith(QLatin1String(".TH "))) heads[QStringLiteral("TH")] << lines[i];
    }
    return heads;
}

class ProgramConventions : public ProgramTest {
  protected:
    QString newFile(const QString& name) {
        EXPECT_EQ(RunCli({"new", path(name)}).exitCode, 0);
        return path(name);
    }
};

} // namespace

// --version and --help of every program, on stdout with exit 0, without a window
// system (no display: a window would end the program); bad usage exits 2.
TEST_F(ProgramConventions, VersionHelpAndBadUsageOfEveryProgram) {
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    noDisplay.remove(QStringLiteral("DISPLAY"));
    noDisplay.remove(QStringLiteral("WAYLAND_DISPLAY"));
    noDisplay.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    const QString version = u' ' + ProgramVersion() + u'\n';
    struct Row {
        const char* program;
        QStringList arguments;
        int code;
        QString out; // contained in stdout; empty: stdout empty
        QString err; // contained in stderr; empty: stderr empty
    } rows[] = {
        {"zr580", {"--version"}, 0, "zr580" + version, {}},
        {"zr580", {"--help"}, 0, "--demo", {}},
        {"zr580", {"-h"}, 0, "--version", {}},
        {"zr580-cli", {"--version"}, 0, "zr580-cli" + version, {}},
        {"zr580-cli", {"--help"}, 0, "diff A.dat B.dat", {}},
        {"zr580-cli", {}, 2, {}, "Commands:"},
        {"zr580-cli", {"--bogus"}, 2, {}, "Unknown option 'bogus'"},
        {"zr580-radiosim", {"--version"}, 0, "zr580-radiosim" + version, {}},
        {"zr580-radiosim", {"--help"}, 0, "--link", {}},
        {"zr580-radiosim", {"--bogus"}, 2, {}, "Unknown option 'bogus'"},
    };
    for (const Row& row : rows) {
        const CliResult r = RunProgram(row.program, row.arguments, {}, noDisplay);
        SCOPED_TRACE(row.program +
                     (' ' + row.arguments.join(' ') + '\n' + r.out + r.err).toStdString());
        EXPECT_EQ(r.exitCode, row.code);
        EXPECT_TRUE(row.out.isEmpty() ? r.out.isEmpty() : r.out.contains(row.out));
        EXPECT_TRUE(row.err.isEmpty() ? r.err.isEmpty() : r.err.contains(row.err));
    }
    QProcessEnvironment offscreen = QProcessEnvironment::systemEnvironment();
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const QStringList& bad : {QStringList{"--bogus"}, QStringList{"file.dat"}})
        EXPECT_EQ(RunProgram("zr580", bad, {}, offscreen).exitCode, 2)
            << bad.join(' ').toStdString();
}

// Each manual page lists exactly the options its program's parser takes, and the
// command-line tool's page its commands, each with exactly its options.
TEST_F(ProgramConventions, ManualPagesListTheParsersCommandsAndOptions) {
    for (const char* program : {"zr580", "zr580-radiosim"}) {
        const auto heads = PageHeads(QLatin1String(program) + QStringLiteral(".1"));
        const CliResult help = RunProgram(program, {"--help"});
        EXPECT_EQ(Options(heads["OPTIONS"].join(u' ')), Options(help.out, true)) << program;
        EXPECT_TRUE(heads["TH"].value(0).contains(QStringLiteral("\"zr580 ") + ProgramVersion()));
    }
    const auto heads = PageHeads(QStringLiteral("zr580-cli.1"));
    EXPECT_TRUE(heads["TH"].value(0).contains(QStringLiteral("\"zr580 ") + ProgramVersion()));
    const CliResult tool = RunCli({"--help"});
    QSet<QString> allOptions = Options(tool.out, true);
    QStringList commands;
    static const QRegularExpression commandLine(QStringLiteral("^  ([a-z-]+) "),
                                                QRegularExpression::MultilineOption);
    for (auto it = commandLine.globalMatch(tool.out.mid(tool.out.indexOf("Commands:")));
         it.hasNext();)
        commands << it.next().captured(1);
    QStringList pageCommands;
    for (const QString& head : heads["COMMANDS"]) {
        const QString command = head.section(u' ', 1, 1).remove(u'"');
        pageCommands << command;
        QSet<QString> options = Options(RunCli({command, "--help"}).out, true);
        options.remove(QStringLiteral("help"));
        allOptions.unite(options);
        EXPECT_EQ(Options(head), options) << command.toStdString();
        // The tool's own list of commands names the same options (its usage line and
        // the summary under it).
        const qsizetype at = tool.out.indexOf(QStringLiteral("\n  ") + command + u' ');
        const qsizetype summaryEnd = tool.out.indexOf(u'\n', tool.out.indexOf(u'\n', at + 1) + 1);
        EXPECT_EQ(Options(tool.out.mid(at, summaryEnd - at)), options) << command.toStdString();
    }
    EXPECT_EQ(pageCommands, commands);
    EXPECT_EQ(Options(heads["OPTIONS"].join(u' ')), allOptions);
}

// 1 for a transfer that failed, 2 for bad usage or a file that cannot be used, for
// every command.
TEST_F(ProgramConventions, ExitStatusOfEveryCommand) {
    const QString good = newFile("good.dat");
    const QString bad = newFile("bad.dat");
    QFile::resize(bad, 7978);
    WriteFileBytes(path("bad.bin"), "short");
    const QString none = path("nobody"); // no radio there
    const QString link = path("radio");
    struct Row {
        QStringList arguments;
        int code;
        const char* fault; // a radio at `link` with this fault, or none
    } rows[] = {
        {{"show", bad}, 2, nullptr},
        {{"show", path("missing.dat")}, 2, nullptr},
        {{"image", bad, path("o.bin")}, 2, nullptr},
        {{"from-image", path("bad.bin"), path("o.dat")}, 2, nullptr},
        {{"export-csv", bad, path("o.csv")}, 2, nullptr},
        {{"import-csv", path("missing.csv"), good, path("o.dat")}, 2, nullptr},
        {{"print", bad, "--pdf", path("o.pdf")}, 2, nullptr},
        {{"diff", good, bad}, 2, nullptr},
        {{"write", "--port", none, bad}, 2, nullptr},
        {{"verify", "--port", none, bad}, 2, nullptr},
        {{"frobnicate"}, 2, nullptr},
        {{"read", "--port", none, path("o.dat")}, 1, nullptr},
        {{"write", "--port", none, good}, 1, nullptr},
        {{"info", "--port", none}, 1, nullptr},
        {{"verify", "--port", link, good}, 1, "hang-up@middle"},
        {{"diff", "--port", link, good}, 1, "hang-up@middle"},
    };
    for (const Row& row : rows) {
        std::unique_ptr<Sim> radio;
        if (row.fault) radio = std::make_unique<Sim>(link, QStringList{"--fault", row.fault});
        const CliResult r = RunCli(row.arguments);
        EXPECT_EQ(r.exitCode, row.code) << row.arguments.join(' ').toStdString() << '\n'
                                        << r.err.toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << row.arguments.join(' ').toStdString();
    }
}

// A relative path is a path, as a user types it; a number without a device says
// which numbers have one and how to assign one.
TEST_F(ProgramConventions, PortsNamedAsUsersTypeThem) {
    QDir(path({})).mkpath(QStringLiteral("sim"));
    Sim radio(path("sim/r1"), {});
    const CliResult relative = RunProgram("zr580-cli", {"info", "--port", "sim/r1"}, path({}));
    EXPECT_EQ(relative.exitCode, 0) << relative.err.toStdString();
    for (const char* port : {"COM97", "200", "COM1000", "ttyUSB0"}) {
        const CliResult r = RunCli({"info", "--port", port});
        EXPECT_EQ(r.exitCode, 2) << port;
        const bool number = QByteArray(port) == "COM97" || QByteArray(port) == "200";
        for (const QString& said :
             number ? QStringList{"COM33-COM64 = /dev/ttyUSB0-31", "[ports]", "mysetup.ini",
                                  QStringLiteral("COM%1=").arg(QString(port).remove("COM"))}
                    : QStringList{"from 1 to 999", "device path"})
            EXPECT_TRUE(r.err.contains(said)) << port << '\n' << r.err.toStdString();
    }
}

// A question standard input cannot answer is answered Cancel, saying that nothing
// was written and that --yes overwrites; several radios say it once.
TEST_F(ProgramConventions, QuestionsNoTerminalCanAnswer) {
    const QString file = newFile("doc.dat");
    Sim radio(path("r1"), {"--band", "0", "--save", path("saved.bin")});
    Sim other(path("r2"), {"--band", "0"});
    for (const QStringList& command : {QStringList{"write", "--port", path("r1"), file},
                                       QStringList{"read", "--port", path("r1"), path("o.dat")}}) {
        const CliResult r = RunCli(command);
        EXPECT_EQ(r.exitCode, 1);
        for (const QString& said :
             {MessageText(Msg::BandDifferent), CliText("NotAsked"), CliText("YesAnswers")})
            EXPECT_TRUE(r.err.contains(said)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("saved.bin")));
    EXPECT_FALSE(QFile::exists(path("o.dat")));
    const CliResult fleet = RunCli({"write", "--port", path("r1"), "--port", path("r2"), file});
    EXPECT_EQ(fleet.exitCode, 1);
    EXPECT_EQ(fleet.err.count(CliText("OtherBand")), 1) << fleet.err.toStdString();
}

// Texts from a file (message line) and from a radio (dealer code, message line)
// reach the terminal with their control characters escaped.
TEST_F(ProgramConventions, TextsFromFilesAndRadiosAreEscaped) {
    const QString plain = newFile("plain.dat");
    ASSERT_TRUE(LoadDataFile(plain));
    app().document.settings.messageText1.assign("A\x1b[2J\tB");
    ASSERT_TRUE(SaveDataFile(path("crafted.dat")));
    ASSERT_EQ(RunCli({"image", path("crafted.dat"), path("crafted.bin")}).exitCode, 0);
    QByteArray image = ReadFileBytes(path("crafted.bin"));
    image.replace(2768, 6, "D\x1b]0;\x07");
    WriteFileBytes(path("crafted.bin"), image);
    Sim radio(path("radio"), {"--image", path("crafted.bin")});
    const QString escaped = QStringLiteral("A\\x1b[2J\\x09B");
    const CliResult shown = RunCli({"show", path("crafted.dat")});
    const CliResult files = RunCli({"diff", plain, path("crafted.dat")});
    const CliResult withRadio = RunCli({"diff", "--port", path("radio"), plain});
    const CliResult info = RunCli({"info", "--port", path("radio")});
    for (const CliResult* r : {&shown, &files, &withRadio, &info}) {
        EXPECT_FALSE(r->out.contains(u'\x1b')) << r->out.toStdString();
        EXPECT_FALSE(r->err.contains(u'\x1b')) << r->err.toStdString();
    }
    EXPECT_TRUE(shown.out.contains(escaped)) << shown.out.toStdString();
    EXPECT_TRUE(files.out.contains(u'\t' + escaped)) << files.out.toStdString();
    EXPECT_TRUE(withRadio.out.contains(u'\t' + escaped)) << withRadio.out.toStdString();
    EXPECT_TRUE(info.out.contains("Dealer Code: D\\x1b]0;\\x07")) << info.out.toStdString();
}

// A frequency that cannot be read is named by channel, field and stored value, once;
// the exit code says the output is not what the file holds.
TEST_F(ProgramConventions, UnreadableFrequencyNamesItsChannelAndField) {
    const QString file = newFile("doc.dat");
    ASSERT_TRUE(LoadDataFile(file));
    AppendTestChannel(app().document, 77, "12A45678", "44500000");
    ASSERT_TRUE(SaveDataFile(file));
    const QString warning = QStringLiteral("Channel 77 RX Frequency \"12A45678\": Not IsNumeric");
    for (const QStringList& command :
         {QStringList{"show", file}, QStringList{"export-csv", file, path("o.csv")}}) {
        const CliResult r = RunCli(command);
        EXPECT_EQ(r.exitCode, 1) << command.join(' ').toStdString();
        EXPECT_EQ(r.err, QStringLiteral("zr580-cli: ") + warning + u'\n');
    }
    EXPECT_TRUE(RunCli({"show", file}).out.contains("Line 2:"));
    EXPECT_TRUE(QFile::exists(path("o.csv")));
}

// The simulator refuses what it cannot do before it starts.
TEST_F(ProgramConventions, SimulatorOptionsAreChecked) {
    const QString link = path("radio");
    const struct {
        QStringList arguments;
        const char* said;
    } rows[] = {
        {{"--link", link, "--band", "5"}, "--band takes 0, 1 or 2"},
        {{"--link", link, "--save", "/nonexistent/x.bin"}, "there is no folder /nonexistent"},
        {{"--link", link, "--save", path({})}, "is a folder"},
        {{"--save", path("x.bin")}, "--link PATH is required"},
    };
    for (const auto& row : rows) {
        const CliResult r = RunProgram("zr580-radiosim", row.arguments);
        EXPECT_EQ(r.exitCode, 2) << row.arguments.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(row.said)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(link));
    }
}
