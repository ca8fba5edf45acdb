#include "core/ProfileFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {
QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

bool writeLines(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray data = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    if (file.write(data) != data.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

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

struct Found {
    int sectionLine = -1; // line of "[section]"
    int sectionEnd = -1;  // first line after the section
    int keyLine = -1;
};

Found locate(const QStringList& lines, const QString& section, const QString& key) {
    Found f;
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = sectionName(lines[i]);
        if (!name.isNull()) {
            if (f.sectionLine >= 0 && f.sectionEnd < 0) f.sectionEnd = i;
            if (f.sectionLine < 0 && name.compare(section, Qt::CaseInsensitive) == 0)
                f.sectionLine = i;
            continue;
        }
        if (f.sectionLine >= 0 && f.sectionEnd < 0 && f.keyLine < 0) {
            QString k, v;
            if (splitEntry(lines[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0)
                f.keyLine = i;
        }
    }
    if (f.sectionLine >= 0 && f.sectionEnd < 0) f.sectionEnd = static_cast<int>(lines.size());
    return f;
}
} // namespace

QString ProfileFile::read(const QString& section, const QString& key,
                          const QString& defaultValue) const {
    const QStringList lines = readLines(path_);
    const Found f = locate(lines, section, key);
    if (f.keyLine < 0) return defaultValue;
    QString k, v;
    splitEntry(lines[f.keyLine], &k, &v);
    return v;
}

bool ProfileFile::write(const QString& section, const QString& key, const QString& value) const {
    QStringList lines = readLines(path_);
    const Found f = locate(lines, section, key);
    const QString entry = key + QLatin1Char('=') + value;
    if (f.keyLine >= 0) {
        QString existingKey, oldValue;
        splitEntry(lines[f.keyLine], &existingKey, &oldValue);
        lines[f.keyLine] = existingKey + QLatin1Char('=') + value; // keeps the key's spelling
    } else if (f.sectionLine >= 0) {
        int at = f.sectionEnd;
        while (at > f.sectionLine + 1 && lines[at - 1].trimmed().isEmpty())
            --at;
        lines.insert(at, entry);
    } else {
        if (!lines.isEmpty() && !lines.back().trimmed().isEmpty()) lines.append(QString());
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines.append(entry);
    }
    return writeLines(path_, lines);
}

bool ProfileFile::remove(const QString& section, const QString& key) const {
    QStringList lines = readLines(path_);
    const Found f = locate(lines, section, key);
    if (f.keyLine < 0) return true;
    lines.removeAt(f.keyLine);
    return writeLines(path_, lines);
}

// The keys of the section's first occurrence, the one read() and write() use: a
// key of a later repetition of the section would be listed but never read.
QStringList ProfileFile::keys(const QString& section) const {
    const QStringList lines = readLines(path_);
    const Found f = locate(lines, section, QString());
    QStringList result;
    for (int i = f.sectionLine + 1; f.sectionLine >= 0 && i < f.sectionEnd; ++i) {
        QString k, v;
        if (splitEntry(lines[i], &k, &v)) result.append(k);
    }
    return result;
}
