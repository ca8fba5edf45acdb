#include "core/HelpBook.h"

#include "core/Language.h"
#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

HelpBook::HelpBook(QString folder) : folder_(std::move(folder)) {
    QFile file(QDir(folder_).filePath(QStringLiteral("map.txt")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const auto eq = line.indexOf(QLatin1Char('='));
        bool numeric = false;
        const int id = line.left(eq).trimmed().toInt(&numeric);
        if (eq > 0 && numeric) map_.insert(id, line.mid(eq + 1).trimmed());
    }
}

bool HelpBook::exists() const {
    return QFileInfo::exists(contentsPath());
}

QString HelpBook::contentsPath() const {
    return QDir(folder_).filePath(QStringLiteral("index.html"));
}

QString HelpBook::pagePath(int contextId) const {
    const QString page = map_.value(contextId);
    return page.isEmpty() ? QString() : QDir(folder_).filePath(page);
}

HelpBook CurrentHelpBook() {
    return HelpBook(ProgramPath(HelpBookName()));
}
