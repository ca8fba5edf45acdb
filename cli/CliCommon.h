#pragma once
// Shared pieces of the command-line tool: exit codes, the terminal message
// handler (message boxes become lines on stderr), and option parsing.

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

// Every message box becomes one line on stderr. Questions are answered with
// their accepting choice (OK / Yes) when assumeYes is set, else cautiously.
void InstallTerminalMessages(bool assumeYes = false);

// One line on stderr, prefixed with the tool's name.
void PrintError(const QString& text);
// Text on stdout as UTF-8.
void PrintOut(const QString& text);

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
