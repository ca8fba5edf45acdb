#include "exchange/CsvText.h"

#include "core/SpreadsheetCell.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <cstdint>

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

namespace {
// Where a character next occurs at or after a position (the text's size when it
// does not): searched for when the last one found is passed.
class NextOf {
  public:
    NextOf(QStringView text, QChar c) : text_(text), c_(c) {}
    qsizetype from(qsizetype position) {
        if (at_ < position) {
            at_ = text_.indexOf(c_, position);
            if (at_ < 0) at_ = text_.size();
        }
        return at_;
    }

  private:
    QStringView text_;
    QChar c_;
    qsizetype at_ = -1;
};

// A field's text as it is read, from pieces of the text between quotes. A field
// of one piece (most are) is taken whole; short ones repeat down a table (its
// words, small numbers), so they are shared from a few recent ones instead of
// made anew for every row.
class FieldText {
  public:
    explicit FieldText(const QString& text) : text_(text) {}

    // Adds text_[from, to).
    void add(qsizetype from, qsizetype to) {
        if (to <= from) return;
        if (pieces_ == 0) {
            from_ = from;
            to_ = to;
        } else {
            if (pieces_ == 1) field_ = slice(from_, to_).toString();
            field_.append(slice(from, to));
        }
        ++pieces_;
    }
    bool empty() const { return pieces_ == 0; }
    // The field so far (null when it has no characters); starts the next one.
    QString take() {
        QString value = pieces_ == 0 ? QString() : pieces_ == 1 ? shared(slice(from_, to_)) : field_;
        field_.clear();
        pieces_ = 0;
        return value;
    }

  private:
    QStringView slice(qsizetype from, qsizetype to) const {
        return QStringView(text_).sliced(from, to - from);
    }
    QString shared(QStringView piece) {
        constexpr qsizetype kShort = 16;
        if (piece.size() > kShort) return piece.toString();
        QString& kept = recent_[qHash(piece) % recent_.size()];
        if (kept != piece) kept = piece.toString();
        return kept;
    }

    const QString& text_;
    QString field_; // the pieces joined, once there are two
    qsizetype from_ = 0, to_ = 0; // the first piece
    int pieces_ = 0;
    std::array<QString, 256> recent_;
};
} // namespace

QList<CsvRecord> ParseCsv(const QString& text, QChar separator) {
    QList<CsvRecord> records;
    CsvRecord record;
    FieldText field(text);
    bool quoted = false;
    bool hadContent = false; // the record has a separator or a non-blank character
    int line = 1;
    record.line = 1;
    auto endField = [&] { record.fields.append(field.take()); };
    auto endRecord = [&] {
        endField();
        if (!hadContent) record.fields.clear();
        const qsizetype width = record.fields.size();
        records.append(record);
        record = CsvRecord{};
        record.fields.reserve(width); // the next record is most likely as wide
        record.line = line;
        hadContent = false;
    };
    // Ordinary characters go into the field a run at a time, not one by one: the
    // loop goes from one character that ends a run to the next, each found by
    // Qt's vectorised search and kept until it is passed.
    qsizetype run = 0; // first character not yet in the field
    auto takeRun = [&](qsizetype end) { field.add(run, end); };
    const QStringView all(text);
    const qsizetype n = all.size();
    NextOf quote(all, kQuote), lineFeed(all, u'\n'), carriageReturn(all, u'\r'),
        separatorAt(all, separator);
    for (qsizetype i = 0; i < n; ++i) {
        // Outside quotes a run ends at a quote, the separator or a line end; inside
        // them at a quote, or at a line feed, which is counted.
        const qsizetype end = quoted ? std::min(quote.from(i), lineFeed.from(i))
                                     : std::min({quote.from(i), lineFeed.from(i),
                                                 carriageReturn.from(i), separatorAt.from(i)});
        for (qsizetype j = i; !quoted && !hadContent && j < end; ++j)
            hadContent = !all[j].isSpace();
        i = end;
        if (i == n) break;
        const QChar c = all[i];
        if (quoted) {
            if (c == kQuote) {
                takeRun(i);
                if (i + 1 < n && all[i + 1] == kQuote) {
                    field.add(i, i + 1); // a doubled quote is one quote
                    ++i;
                } else {
                    quoted = false;
                }
                run = i + 1;
            } else {
                ++line; // a line feed
            }
            continue;
        }
        if (c == kQuote) {
            takeRun(i);
            quoted = true;
            hadContent = true;
            run = i + 1;
        } else if (c == separator) {
            takeRun(i);
            hadContent = true;
            endField();
            run = i + 1;
        } else { // a line end
            takeRun(i);
            if (c == u'\r' && i + 1 < n && all[i + 1] == u'\n') ++i;
            ++line;
            endRecord();
            run = i + 1;
        }
    }
    takeRun(n);
    if (hadContent || !field.empty() || !record.fields.isEmpty()) endRecord();
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
