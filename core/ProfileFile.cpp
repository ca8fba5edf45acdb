#include "core/ProfileFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {
// "[name]" gives name, anything else a null string.
QString sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        return t.mid(1, t.size() - 2).trimmed();
    return {};
}

// Splits "key = value"; false for lines without "=" and comments.
bool splitEntry(const QString& line, QString* key, QString* value) {
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';'))) return false;
    const auto eq = t.indexOf(QLatin1Char('='));
    if (eq <= 0) return false;
    *key = t.left(eq).trimmed();
    *value = t.mid(eq + 1).trimmed();
    return true;
}

// A line of the file with what it means: a section heading, an entry or neither.
struct Line {
    QString text;
    QString section; // null unless the line is "[name]"
    QString key;     // empty unless the line is an entry
    QString value;
};
using Lines = std::vector<Line>;

Line parseLine(const QString& text) {
    Line line{text, sectionName(text), {}, {}};
    if (line.section.isNull() && !splitEntry(text, &line.key, &line.value)) line.key.clear();
    return line;
}

Lines parseText(const QByteArray& bytes) {
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList texts = text.split(QLatin1Char('\n'));
    if (!texts.isEmpty() && texts.back().isEmpty()) texts.removeLast();
    Lines lines;
    lines.reserve(static_cast<std::size_t>(texts.size()));
    for (const QString& t : texts)
        lines.push_back(parseLine(t));
    return lines;
}

// Section and key names compare without case as QString::compare does: code
// point by code point, each folded on its own. Two names compare equal exactly
// when their folded forms are the same string, so the folded form is a hash key.
QString folded(const QString& name) {
    bool ascii = true;
    for (const QChar c : name)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii) return name.toLower();
    QList<uint> points = name.toUcs4();
    for (uint& point : points)
        point = QChar::toCaseFolded(static_cast<char32_t>(point));
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), points.size());
}

// Where each section's first occurrence lies and the line of each of its keys'
// first entry, so that reading a key of a file of thousands of lines (the
// language files) is a lookup and not a walk through the lines.
struct Index {
    struct Section {
        int line = -1;
        int end = -1;
        std::unordered_map<QString, int> keys; // folded key -> line of its first entry
    };
    std::unordered_map<QString, Section> sections; // folded name -> its first occurrence

    explicit Index(const Lines& lines) {
        Section* open = nullptr;
        for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
            const Line& line = lines[static_cast<std::size_t>(i)];
            if (!line.section.isNull()) {
                if (open) open->end = i;
                const auto [at, isNew] = sections.try_emplace(folded(line.section));
                open = isNew ? &at->second : nullptr; // a repeated section is never read
                if (open) open->line = i;
            } else if (open && !line.key.isEmpty()) {
                open->keys.try_emplace(folded(line.key), i);
            }
        }
        if (open) open->end = static_cast<int>(lines.size());
    }
};

struct Parsed {
    Lines lines;
    Index index;
    explicit Parsed(Lines parsed) : lines(std::move(parsed)), index(lines) {}
};

// The language files are looked up for every caption and message, so a file's
// lines are parsed and indexed once and kept with the bytes they came from; the
// file is still read each time, and any change to its bytes is parsed afresh.
class Readings {
  public:
    static Readings& instance() {
        static Readings readings;
        return readings;
    }
    // The reading of these bytes of the file, parsed now unless kept.
    std::shared_ptr<const Parsed> of(const QString& path, const QByteArray& bytes) {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = kept_.find(path);
        if (found != kept_.end() && found->second.bytes == bytes) return found->second.parsed;
        return keepLocked(path, bytes, std::make_shared<const Parsed>(parseText(bytes)));
    }
    // What the program itself just wrote to the file.
    void keep(const QString& path, const QByteArray& bytes, std::shared_ptr<const Parsed> parsed) {
        const std::lock_guard<std::mutex> lock(mutex_);
        keepLocked(path, bytes, std::move(parsed));
    }

  private:
    struct Kept {
        QByteArray bytes;
        std::shared_ptr<const Parsed> parsed;
    };
    std::shared_ptr<const Parsed> keepLocked(const QString& path, const QByteArray& bytes,
                                             std::shared_ptr<const Parsed> parsed) {
        constexpr std::size_t kFilesKept = 8;
        if (kept_.size() >= kFilesKept && kept_.find(path) == kept_.end()) kept_.clear();
        kept_[path] = Kept{bytes, parsed};
        return parsed;
    }
    std::mutex mutex_;
    std::unordered_map<QString, Kept> kept_;
};

std::shared_ptr<const Parsed> readParsed(const QString& path) {
    QFile file(path);
    QByteArray bytes;
    // Unbuffered: the file is read whole, in one go, with no buffer in between.
    if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) bytes = file.readAll();
    return Readings::instance().of(path, bytes);
}

// Lines read back from their written text as they are when the text holds no
// line break but those between the lines and no lone surrogate (UTF-8 has no
// such character), the first line does not start with a byte-order mark, and
// there is a line (no lines write one empty one).
bool ReadBackAsTheyAre(const Lines& lines, const QString& text) {
    const auto breaks = static_cast<qsizetype>(lines.size());
    return breaks > 0 && !text.startsWith(QChar(0xFEFF)) && text.count(u'\n') == breaks &&
           text.count(u'\r') == breaks && QStringView(text).isValidUtf16();
}

bool writeLines(const QString& path, Lines lines) {
    QStringList texts;
    for (const Line& line : lines)
        texts.append(line.text);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QString text = texts.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    const QByteArray data = text.toUtf8();
    if (file.write(data) != data.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) return false;
    // The next reading of the file finds these bytes: their lines need no parsing.
    if (ReadBackAsTheyAre(lines, text))
        Readings::instance().keep(path, data, std::make_shared<const Parsed>(std::move(lines)));
    return true;
}

struct Found {
    int sectionLine = -1; // line of "[section]"
    int sectionEnd = -1;  // first line after the section
    int keyLine = -1;
};

Found locate(const Parsed& parsed, const QString& section, const QString& key) {
    Found f;
    const auto s = parsed.index.sections.find(folded(section));
    if (s == parsed.index.sections.end()) return f;
    f.sectionLine = s->second.line;
    f.sectionEnd = s->second.end;
    const auto k = s->second.keys.find(folded(key));
    if (k != s->second.keys.end()) f.keyLine = k->second;
    return f;
}
} // namespace

QString ProfileFile::read(const QString& section, const QString& key,
                          const QString& defaultValue) const {
    const auto parsed = readParsed(path_);
    const Found f = locate(*parsed, section, key);
    return f.keyLine < 0 ? defaultValue : parsed->lines[static_cast<std::size_t>(f.keyLine)].value;
}

bool ProfileFile::write(const QString& section, const QString& key, const QString& value) const {
    const auto parsed = readParsed(path_);
    const Found f = locate(*parsed, section, key);
    Lines lines = parsed->lines;
    const Line entry = parseLine(key + QLatin1Char('=') + value);
    if (f.keyLine >= 0) {
        Line& line = lines[static_cast<std::size_t>(f.keyLine)];
        line = parseLine(line.key + QLatin1Char('=') + value); // keeps the key's spelling
    } else if (f.sectionLine >= 0) {
        int end = f.sectionEnd;
        while (end > f.sectionLine + 1 && lines[static_cast<std::size_t>(end - 1)].text.trimmed().isEmpty())
            --end;
        lines.insert(lines.begin() + end, entry);
    } else {
        if (!lines.empty() && !lines.back().text.trimmed().isEmpty()) lines.push_back(parseLine(QString()));
        lines.push_back(parseLine(QLatin1Char('[') + section + QLatin1Char(']')));
        lines.push_back(entry);
    }
    return writeLines(path_, std::move(lines));
}

bool ProfileFile::remove(const QString& section, const QString& key) const {
    const auto parsed = readParsed(path_);
    const Found f = locate(*parsed, section, key);
    Lines lines = parsed->lines;
    if (f.keyLine < 0) return true;
    lines.erase(lines.begin() + f.keyLine);
    return writeLines(path_, std::move(lines));
}

// The keys of the section's first occurrence, the one read() and write() use: a
// key of a later repetition of the section would be listed but never read.
QStringList ProfileFile::keys(const QString& section) const {
    const auto parsed = readParsed(path_);
    const Found f = locate(*parsed, section, QString());
    QStringList result;
    for (int i = f.sectionLine + 1; f.sectionLine >= 0 && i < f.sectionEnd; ++i) {
        const Line& line = parsed->lines[static_cast<std::size_t>(i)];
        if (!line.key.isEmpty()) result.append(line.key);
    }
    return result;
}
