#pragma once
// Where the program's files live. The program folder holds the files shipped with
// the program (templates, language files, help books, dec.tbl): the executable's
// folder, or ZR580_HOME when that is set (tests give each case its own folder).
// The user folder holds the files the program writes (settings, backups, logs);
// today it is the program folder as well.

#include <QString>

QString ProgramFolder();
// A path below the program folder, e.g. ProgramPath("Init/VM427_0.dat").
QString ProgramPath(const QString& relative);

// The folder of the files the program writes, and a path below it,
// e.g. UserPath("backups").
QString UserFolder();
QString UserPath(const QString& relative);
