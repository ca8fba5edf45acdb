#pragma once
// The command lines of the three programs (zr580, zr580-cli, zr580-radiosim):
// the version they report and their shared --help and --version handling.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;
QString ProgramVersion(); // "2.0.0"

// Adds -h/--help and -v/--version to the parser and parses `arguments` (the
// first is the program as invoked). Returns -1 when the program should go on,
// else the exit code to end with: 0 after printing the help or "NAME VERSION"
// on stdout, 2 after a usage error (said on stderr, prefixed with `name`).
int ParseProgramOptions(QCommandLineParser& parser, const QStringList& arguments,
                        const QString& name);

// Text on stdout and one line on stderr ("NAME: text"), as UTF-8.
void PrintToStdout(const QString& text);
void PrintUsageError(const QString& name, const QString& text);
