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

// The language files are looked up for every caption and message, so a file's
// lines are parsed once and kept with the bytes they came from; the file is still
// read each time, and any change to its bytes is parsed afresh.
std::shared_ptr<const Lines> readLines(const QString& path) {
    struct Parsed {
        QByteArray bytes;
        std::shared_ptr<const Lines> lines;
    };
    static std::mutex mutex;
    static std::unordered_map<QString, Parsed> cache;
    constexpr std::size_t kFilesKept = 8;

    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const std::lock_guard<std::mutex> lock(mutex);
    const auto found = cache.find(path);
    if (found != cache.end() && found->second.bytes == bytes) return found->second.lines;
    auto lines = std::make_shared<const Lines>(parseText(bytes));
    if (cache.size() >= kFilesKept) cache.clear();
    cache[path] = Parsed{bytes, lines};
    return lines;
}

bool writeLines(const QString& path, const Lines& lines) {
    QStringList texts;
    for (const Line& line : lines)
        texts.append(line.text);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray data = (texts.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    if (file.write(data) != data.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

struct Found {
    int sectionLine = -1; // line of "[section]"
    int sectionEnd = -1;  // first line after the section
    int keyLine = -1;
};

Found locate(const Lines& lines, const QString& section, const QString& key) {
    Found f;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const Line& line = lines[static_cast<std::size_t>(i)];
        if (!line.section.isNull()) {
            if (f.sectionLine >= 0 && f.sectionEnd < 0) f.sectionEnd = i;
            if (f.sectionLine < 0 && line.section.compare(section, Qt::CaseInsensitive) == 0)
                f.sectionLine = i;
            continue;
        }
        if (f.sectionLine >= 0 && f.sectionEnd < 0 && f.keyLine < 0 && !line.key.isEmpty() &&
            line.key.compare(key, Qt::CaseInsensitive) == 0)
            f.keyLine = i;
    }
    if (f.sectionLine >= 0 && f.sectionEnd < 0) f.sectionEnd = static_cast<int>(lines.size());
    return f;
}
} // namespace

QString ProfileFile::read(const QString& section, const QString& key,
                          const QString& defaultValue) const {
    const auto lines = readLines(path_);
    const Found f = locate(*lines, section, key);
    return f.keyLine < 0 ? defaultValue : (*lines)[static_cast<std::size_t>(f.keyLine)].value;
}

bool ProfileFile::write(const QString& section, const QString& key, const QString& value) const {
    Lines lines = *readLines(path_);
    const Found f = locate(lines, section, key);
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
    return writeLines(path_, lines);
}

bool ProfileFile::remove(const QString& section, const QString& key) const {
    Lines lines = *readLines(path_);
    const Found f = locate(lines, section, key);
    if (f.keyLine < 0) return true;
    lines.erase(lines.begin() + f.keyLine);
    return writeLines(path_, lines);
}

// The keys of the section's first occurrence, the one read() and write() use: a
// key of a later repetition of the section would be listed but never read.
QStringList ProfileFile::keys(const QString& section) const {
    const auto lines = readLines(path_);
    const Found f = locate(*lines, section, QString());
    QStringList result;
    for (int i = f.sectionLine + 1; f.sectionLine >= 0 && i < f.sectionEnd; ++i) {
        const Line& line = (*lines)[static_cast<std::size_t>(i)];
        if (!line.key.isEmpty()) result.append(line.key);
    }
    return result;
}
