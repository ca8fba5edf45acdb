#pragma once
// The system's ANSI code page for the fixed-length texts of data files and the
// radio: GBK when the system locale is Chinese (China), Windows-1252 otherwise.

#include <QByteArray>
#include <QString>

QString FromAnsi(const QByteArray& bytes);
QByteArray ToAnsi(const QString& text);
bool SystemLocaleIsChinese();
// The conversion for an explicit code page (GBK or Windows-1252).
QString FromCodePage(const QByteArray& bytes, bool gbk);
QByteArray ToCodePage(const QString& text, bool gbk);
