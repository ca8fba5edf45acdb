#pragma once
// Delimited text as spreadsheets write it: fields separated by a comma (or a
// semicolon or tab), a field quoted with '"' when it holds the separator, a
// quote or a line break, a quote inside doubled. Lines end in CRLF or LF.

#include <QList>
#include <QString>
#include <QStringList>

struct CsvRecord {
    int line = 0; // 1-based line of the text where the record starts
    QStringList fields;
};

// The separator of a text: the one of ',', ';' and TAB that occurs most often
// outside quotes in its first line (',' when none does).
QChar DetectSeparator(const QString& text);
// The records of a text; a record that is only blanks counts as empty (no fields).
// A quote left open runs to the end of the text.
QList<CsvRecord> ParseCsv(const QString& text, QChar separator);

// One field, safe from being run as a formula and quoted when it needs to be
// (CsvCell).
QString CsvField(const QString& value, QChar separator);
// One record followed by CRLF.
QString CsvLine(const QStringList& fields, QChar separator);
