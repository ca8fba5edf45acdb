#pragma once
// Shared pieces of the command-line tool: exit codes, the terminal message
// handler (message boxes become lines on stderr), terminal-safe texts and
// option parsing.

#include "core/Document.h"

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

// 1: a transfer that failed or was not made, a radio or document that differs,
// an output with a field that could not be read; 2: bad usage, or a file that
// cannot be used (read, understood or written).
enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2, kExitBadFile = 2 };

// Every message box becomes one line on stderr. Questions are answered with
// their accepting choice (OK / Yes) when assumeYes is set, else asked on the
// terminal when standard input is one, else answered cautiously with a line
// saying that nothing was written (and, when the command has --yes, that it
// answers OK).
void InstallTerminalMessages(bool assumeYes = false, bool yesOption = false);

// Whether standard input is a terminal, and a line read from it after a prompt
// on stderr.
bool StdinIsTerminal();
QString AskLine(const QString& prompt);

// The text of a [Cli] entry of the language file.
QString CliText(const char* key);

// The text with every control character (and the other invisible formatting
// characters) shown as an escape (\x1b, \u202e), so that texts from files and
// radios cannot move the cursor or rewrite the terminal.
QString TerminalSafe(const QString& text);

// While a progress bar is drawn on stderr its line is open; the next line on
// stderr, or closing it, ends it first.
void SetProgressLineOpen(bool open);

// One line on stderr, prefixed with the tool's name, terminal-safe.
void PrintError(const QString& text);
// Text on stdout as UTF-8.
void PrintOut(const QString& text);

// Formats the channel fields that a damaged file or radio can hold in an
// unreadable form (the frequencies), each warning of the program on stderr
// naming the channel, the field and the stored value; the same warnings are not
// printed again while the output is made. Returns the number of warnings.
int ReportUnreadableFields(const DocumentRecord& doc);

// Parses a command's arguments (the first is "zr580-cli <command>"); adds --help.
// Returns -1 when the command should go on, else the exit code to end with:
// kExitOk after --help, kExitUsage after a usage error (reported on stderr).
// `positionals` is the exact number of positional arguments the command takes.
int ParseCommand(QCommandLineParser& parser, const QStringList& arguments, int positionals);

// A file a command reads or writes; a data file brings its side file along.
struct CommandFile {
    QString path;
    bool dataFile = false;
};

// Checks a command's files before anything is read or written: every output can
// be written at its path (not a directory; a data file's name keeps its side
// file beside it) and is not the same file as an input or an input's side file
// (through links, "./" and ".." too). Returns -1 to go on, else kExitUsage after
// saying why on stderr.
int CheckCommandFiles(const QList<CommandFile>& inputs, const QList<CommandFile>& outputs);

// Writes a command's output file whole or not at all; false after "file error."
// with the file's name and the reason on stderr.
bool WriteOutputFile(const QString& path, const QByteArray& bytes);
