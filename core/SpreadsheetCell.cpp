#include "core/SpreadsheetCell.h"

#include <QLocale>

namespace {
bool StartsLikeAFormula(const QString& text) {
    if (text.isEmpty()) return false;
    const QChar c = text.front();
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r';
}

// A plain decimal number: digits with a sign, a point and an exponent at most
// ("-inf" and the like are words to a spreadsheet).
bool IsNumber(const QString& text) {
    for (const QChar c : text)
        if (!c.isDigit() && !QStringLiteral("+-.eE").contains(c)) return false;
    bool ok = false;
    QLocale::c().toDouble(text, &ok);
    return ok;
}

// A text that a spreadsheet would run, or one that would read back as such a
// text once its leading "'" were taken away.
bool NeedsGuard(const QString& text) {
    qsizetype quotes = 0;
    while (quotes < text.size() && text.at(quotes) == u'\'')
        ++quotes;
    const QString rest = text.mid(quotes);
    return StartsLikeAFormula(rest) && !IsNumber(rest);
}
} // namespace

QString SpreadsheetSafeCell(const QString& text) {
    return NeedsGuard(text) ? QLatin1Char('\'') + text : text;
}

QString CsvCell(const QString& text, QChar separator) {
    const QString value = SpreadsheetSafeCell(text);
    const bool needsQuotes =
        value.contains(separator) || value.contains(u'"') || value.contains(u'\n') ||
        value.contains(u'\r') ||
        (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace()));
    if (!needsQuotes) return value;
    QString quoted = value;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString FromSpreadsheetSafeCell(const QString& cell) {
    return cell.startsWith(u'\'') && NeedsGuard(cell.mid(1)) ? cell.mid(1) : cell;
}
