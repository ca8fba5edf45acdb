#include "exchange/CsvText.h"

#include "core/SpreadsheetCell.h"

namespace {
constexpr QChar kQuote = u'"';
}

QChar DetectSeparator(const QString& text) {
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == kQuote) quoted = !quoted;
        if (quoted) continue;
        if (c == u'\n' || c == u'\r') break;
        if (c == u',') ++comma;
        if (c == u';') ++semicolon;
        if (c == u'\t') ++tab;
    }
    if (tab > comma && tab >= semicolon) return u'\t';
    if (semicolon > comma) return u';';
    return u',';
}

QList<CsvRecord> ParseCsv(const QString& text, QChar separator) {
    QList<CsvRecord> records;
    CsvRecord record;
    QString field;
    bool quoted = false;
    bool hadContent = false; // the record has a separator or a non-blank character
    int line = 1;
    record.line = 1;
    auto endField = [&] {
        record.fields.append(field);
        field.clear();
    };
    auto endRecord = [&] {
        endField();
        if (!hadContent) record.fields.clear();
        records.append(record);
        record = CsvRecord{};
        record.line = line;
        hadContent = false;
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == kQuote) {
                if (i + 1 < n && text.at(i + 1) == kQuote) {
                    field.append(kQuote);
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n') ++line;
                field.append(c);
            }
            continue;
        }
        if (c == kQuote) {
            quoted = true;
            hadContent = true;
        } else if (c == separator) {
            hadContent = true;
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') ++i;
            ++line;
            endRecord();
        } else {
            if (!c.isSpace()) hadContent = true;
            field.append(c);
        }
    }
    if (hadContent || !field.isEmpty() || !record.fields.isEmpty()) endRecord();
    return records;
}

QString CsvField(const QString& value, QChar separator) {
    return CsvCell(value, separator);
}

QString CsvLine(const QStringList& fields, QChar separator) {
    QStringList out;
    out.reserve(fields.size());
    for (const QString& f : fields)
        out.append(CsvField(f, separator));
    return out.join(separator) + QStringLiteral("\r\n");
}
