#pragma once
// Text cells that the program writes into files a spreadsheet opens (the fleet
// log, the channel export, the compare copy). A spreadsheet runs a cell that
// starts with '=', '+', '-', '@', a tab or a carriage return as a formula, so
// such a text is written with a leading "'", which spreadsheets show as plain
// text (a text that already starts with "'" before one gets one more, so that
// reading back is exact). Numbers ("-5", "+1.5") stay numbers.

#include <QString>

// The text as it goes into the file.
QString SpreadsheetSafeCell(const QString& text);
// One field of a delimited file: the safe cell, quoted with '"' (a quote inside
// doubled) when it holds the separator, a quote, a line break or blanks at
// either end.
QString CsvCell(const QString& text, QChar separator);
// The text a safe cell came from: the one leading "'" that SpreadsheetSafeCell
// added is removed; any other text is returned as it is.
QString FromSpreadsheetSafeCell(const QString& cell);
