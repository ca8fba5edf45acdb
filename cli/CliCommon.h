#pragma once
// Shared pieces of the command-line tool: exit codes, the terminal message
// handler (message boxes become lines on stderr), and option parsing.

#include <QCommandLineParser>
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
