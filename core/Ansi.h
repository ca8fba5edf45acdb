#pragma once
// The system's ANSI code page for the fixed-length texts of data files and the
// radio: GBK when the system locale is Chinese (China), Windows-1252 otherwise.

#include <QByteArray>
#include <QString>

QString FromAnsi(const QByteArray& bytes);
QByteArray ToAnsi(const QString& text);
bool SystemLocaleIsChinese();
