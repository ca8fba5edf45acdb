#pragma once
// The program folder holds the data and settings files: the executable's folder,
// or ZR580_HOME when that is set (tests give each case its own folder).

#include <QString>

QString ProgramFolder();
// A path below the program folder, e.g. ProgramPath("language/mysetup.ini").
QString ProgramPath(const QString& relative);
