#include "core/ProfileFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <unistd.h>
#include <vector>

namespace {
QString folded(const QString& name);

// A line of the file with what it means: a section heading, an entry or neither.
struct Line {
    QString text;
    QString section; // null unless the line is "[name]"
    QString key;     // empty unless the line is an entry
    QString value;
    QString name;    // the section's or key's name folded, as the index looks it up
};
using Lines = std::vector<Line>;

// "[name]" is a section heading; "key = value" an entry, unless it is a comment
// (";..."); names and values are trimmed.
Line parseLine(const QString& text) {
    Line line{text, {}, {}, {}, {}};
    const QStringView t = QStringView(text).trimmed();
    if (t.startsWith(u'[') && t.endsWith(u']')) {
        line.section = t.sliced(1, t.size() - 2).trimmed().toString();
        if (line.section.isNull()) line.section = QStringLiteral(""); // "[]" heads a section too
        line.name = folded(line.section);
    } else if (const qsizetype eq = t.indexOf(u'='); eq > 0 && !t.startsWith(u';')) {
        line.key = t.first(eq).trimmed().toString();
        if (!line.key.isEmpty()) {
            line.value = t.sliced(eq + 1).trimmed().toString();
            line.name = folded(line.key);
        }
    }
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
    const QChar* const chars = name.constData();
    const qsizetype size = name.size();
    qsizetype upper = -1; // the first capital letter
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = chars[i].unicode();
        if (c >= 0x80) {
            upper = -2;
            break;
        }
        if (upper == -1 && c >= u'A' && c <= u'Z') upper = i;
    }
    if (upper == -1) return name; // ASCII without capitals folds to itself
    if (upper >= 0) {
        QString lower = name;
        QChar* out = lower.data();
        for (qsizetype i = upper; i < size; ++i)
            if (out[i] >= u'A' && out[i] <= u'Z') out[i] = QChar(out[i].unicode() + (u'a' - u'A'));
        return lower;
    }
    QList<uint> points = name.toUcs4();
    for (uint& point : points)
        point = QChar::toCaseFolded(static_cast<char32_t>(point));
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), points.size());
}

// Where each section's first occurrence lies and the line of each of its keys'
// first entry, so that reading a key of a file of thousands of lines (the
// language files) is a lookup and not a walk through the lines. A section's keys
// are indexed when it is first looked into: a file is read again after every
// write, and most readings look into one or two of its sections.
struct Index {
    class Section {
      public:
        int line = -1;
        int end = -1;
        // The line of the key's first entry in the section, -1 when it has none.
        int keyLine(const Lines& lines, const QString& foldedKey) const {
            std::call_once(indexed_, [&] {
                for (int i = line + 1; i < end; ++i)
                    if (const Line& l = lines[static_cast<std::size_t>(i)]; !l.key.isEmpty())
                        keys_.try_emplace(l.name, i);
            });
            const auto found = keys_.find(foldedKey);
            return found == keys_.end() ? -1 : found->second;
        }

      private:
        mutable std::once_flag indexed_; // readings are shared between threads
        mutable std::unordered_map<QString, int> keys_; // folded key -> line of its first entry
    };
    std::unordered_map<QString, Section> sections; // folded name -> its first occurrence

    explicit Index(const Lines& lines) {
        Section* open = nullptr;
        for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
            const Line& line = lines[static_cast<std::size_t>(i)];
            if (line.section.isNull()) continue;
            if (open) open->end = i;
            const auto [at, isNew] = sections.try_emplace(line.name);
            open = isNew ? &at->second : nullptr; // a repeated section is never read
            if (open) open->line = i;
        }
        if (open) open->end = static_cast<int>(lines.size());
    }
};

} // namespace

struct ProfileLines {
    Lines lines;
    Index index;
    explicit ProfileLines(Lines parsed) : lines(std::move(parsed)), index(lines) {}
};

namespace {
using Parsed = ProfileLines;

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
    std::shared_ptr<const Parsed> of(const QString& path, QByteArrayView bytes) {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = kept_.find(path);
        if (found != kept_.end() && QByteArrayView(found->second.bytes) == bytes) return found->second.parsed;
        const QByteArray copy = bytes.toByteArray();
        return keepLocked(path, copy, std::make_shared<const Parsed>(parseText(copy)));
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

// The whole file, read into `buffer`, which is kept from reading to reading: a
// file read again unchanged (the language files, for every caption) costs no
// allocation. Nothing when the file cannot be read.
QByteArrayView readWhole(const QString& path, QByteArray& buffer) {
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return {};
    qsizetype size = 0;
    for (;;) {
        if (size == buffer.size()) buffer.resize(std::max<qsizetype>(4096, 2 * size));
        const ssize_t n = ::read(fd, buffer.data() + size, static_cast<std::size_t>(buffer.size() - size));
        if (n > 0) {
            size += n;
        } else if (n == 0 || errno != EINTR) {
            if (n < 0) size = 0; // a folder, or a read error: as a file that cannot be read
            break;
        }
    }
    ::close(fd);
    return QByteArrayView(buffer.constData(), size);
}

std::shared_ptr<const Parsed> readParsed(const QString& path) {
    thread_local QByteArray buffer;
    return Readings::instance().of(path, readWhole(path, buffer));
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
    if (!key.isNull()) f.keyLine = s->second.keyLine(parsed.lines, folded(key));
    return f;
}
} // namespace

QString ProfileReading::read(const QString& section, const QString& key,
                             const QString& defaultValue) const {
    const Found f = locate(*parsed_, section, key);
    return f.keyLine < 0 ? defaultValue : parsed_->lines[static_cast<std::size_t>(f.keyLine)].value;
}

// The keys of the section's first occurrence, the one read() and write() use: a
// key of a later repetition of the section would be listed but never read.
QStringList ProfileReading::keys(const QString& section) const {
    const Found f = locate(*parsed_, section, QString());
    QStringList result;
    for (int i = f.sectionLine + 1; f.sectionLine >= 0 && i < f.sectionEnd; ++i) {
        const Line& line = parsed_->lines[static_cast<std::size_t>(i)];
        if (!line.key.isEmpty()) result.append(line.key);
    }
    return result;
}

ProfileReading ProfileFile::reading() const {
    return ProfileReading(readParsed(path_));
}

QString ProfileFile::read(const QString& section, const QString& key,
                          const QString& defaultValue) const {
    return reading().read(section, key, defaultValue);
}

QStringList ProfileFile::keys(const QString& section) const {
    return reading().keys(section);
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
    if (f.keyLine < 0) return true;
    Lines lines = parsed->lines;
    lines.erase(lines.begin() + f.keyLine);
    return writeLines(path_, std::move(lines));
}

