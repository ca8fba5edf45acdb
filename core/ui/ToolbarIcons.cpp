#include "core/ui/ToolbarIcons.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

#include <dirent.h>
#include <sys/stat.h>

QStyle::StandardPixmap ToolbarIcons::pictureOf(const QString& key) {
    static const QHash<QString, QStyle::StandardPixmap> icons = {
        {QStringLiteral("新建"), QStyle::SP_FileIcon},
        {QStringLiteral("打开"), QStyle::SP_DialogOpenButton},
        {QStringLiteral("保存"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("Undo"), QStyle::SP_ArrowBack},
        {QStringLiteral("Redo"), QStyle::SP_ArrowForward},
        {QStringLiteral("打印"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("ReadRadio"), QStyle::SP_ArrowDown},
        {QStringLiteral("CommSet"), QStyle::SP_ComputerIcon},
        {QStringLiteral("WriteRadio"), QStyle::SP_ArrowUp},
        {QStringLiteral("MWriteRadio"), QStyle::SP_ArrowUp},
        {QStringLiteral("About"), QStyle::SP_DialogHelpButton},
        {QStringLiteral("Exit"), QStyle::SP_DialogCloseButton},
    };
    return icons.value(key, QStyle::SP_FileIcon);
}

namespace {

int largestPixels(const QToolBar* bar) {
    qreal ratio = 1;
    for (const QScreen* screen : QGuiApplication::screens())
        ratio = std::max(ratio, screen->devicePixelRatio());
    const QSize size = bar->iconSize();
    return static_cast<int>(std::ceil(std::max(size.width(), size.height()) * ratio));
}

// The image files the program's style (Fusion) draws a standard picture from,
// by the number at the end of each file name, which is the picture's size:
// "<prefix><base>-<size>.png", up to the largest size the style reads for that
// picture. Pictures not listed here come from the style.
struct StyleFiles {
    QStyle::StandardPixmap picture;
    const char* base;
    const char* themeName; // the picture's name in an icon theme, which wins
    int largestSize;
};
constexpr StyleFiles kStyleFiles[] = {
    {QStyle::SP_FileIcon, "file", "text-x-generic", 128},
    {QStyle::SP_DialogOpenButton, "standardbutton-open", "document-open", 128},
    {QStyle::SP_DialogSaveButton, "standardbutton-save", "document-save", 128},
    {QStyle::SP_ArrowBack, "left", "go-previous", 128},
    {QStyle::SP_ArrowForward, "right", "go-next", 128},
    {QStyle::SP_FileDialogDetailedView, "viewdetailed", "view-list-details", 128},
    {QStyle::SP_ArrowDown, "down", "go-down", 128},
    {QStyle::SP_ArrowUp, "up", "go-up", 128},
    {QStyle::SP_DialogHelpButton, "standardbutton-help", "help-contents", 128},
    {QStyle::SP_DialogCloseButton, "standardbutton-close", "window-close", 128},
    // The style shows only the small picture, enlarged.
    {QStyle::SP_ComputerIcon, "computer", "computer", 16},
};
constexpr int kStyleFileSizes[] = {16, 32, 128};
constexpr char kStyleFolder[] = ":/qt-project.org/styles/commonstyle/images/";
// A theme keeps its pictures by size and kind ("48x48/apps"); a little deeper
// is still searched, and a folder that links back to its own is not followed
// for ever.
constexpr int kThemeDepth = 4;

// A picture's theme name and its shorter forms, as an icon theme is searched
// for it: "go-down", then "go".
QStringList themeNameForms(const char* themeName) {
    QStringList forms;
    for (QString name = QLatin1String(themeName);;) {
        forms.append(name);
        const qsizetype dash = name.lastIndexOf(QLatin1Char('-'));
        if (dash < 0) break;
        name.truncate(dash);
    }
    return forms;
}

// The theme names of kStyleFiles with their shorter forms.
QSet<QString> themeNamesSought() {
    QSet<QString> names;
    for (const StyleFiles& files : kStyleFiles)
        for (const QString& name : themeNameForms(files.themeName))
            names.insert(name);
    return names;
}

void addIfSought(const QString& file, const QSet<QString>& sought, QSet<QString>& found) {
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    const QString name = dot > 0 ? file.left(dot) : file;
    if (sought.contains(name)) found.insert(name);
}

// Adds to `found` the names in `sought` of the picture files in `folder` and,
// `depth` levels down, its subfolders: a file's name less its last extension.
// The folder is read directly, without a look at each file: a theme holds
// hundreds of folders, mostly empty.
void addPictureNames(const QString& folder, int depth, const QSet<QString>& sought,
                     QSet<QString>& found) {
    if (folder.startsWith(QLatin1Char(':'))) { // built-in resources
        QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot,
                        depth > 0 ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
        while (it.hasNext()) {
            it.next();
            addIfSought(it.fileName(), sought, found);
        }
        return;
    }
    const QByteArray path = QFile::encodeName(folder);
    DIR* dir = ::opendir(path.constData());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.' &&
            (entry->d_name[1] == 0 || (entry->d_name[1] == '.' && entry->d_name[2] == 0)))
            continue;
        bool folderEntry = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            const QByteArray full = path + '/' + entry->d_name;
            folderEntry = ::stat(full.constData(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        const QString name = QFile::decodeName(entry->d_name);
        if (!folderEntry)
            addIfSought(name, sought, found);
        else if (depth > 0)
            addPictureNames(folder + QLatin1Char('/') + name, depth - 1, sought, found);
    }
    ::closedir(dir);
}

// A theme folder's icon cache (icon-theme.cache, big-endian: a header, a hash
// table of picture names, the list of folders that hold pictures), as Qt uses
// it: only when it exists, is of version 1 and is not older than the theme
// folder or any folder it lists. Adds the names in `sought` that the cache
// lists; false (nothing added) when Qt would not use the cache.
bool addCachedPictureNames(const QString& themeFolder, const QSet<QString>& sought,
                           QSet<QString>& found) {
    const QFileInfo info(themeFolder + QStringLiteral("/icon-theme.cache"));
    if (!info.exists() || info.lastModified() < QFileInfo(themeFolder).lastModified())
        return false;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) return false;
    const qint64 size = file.size();
    const uchar* data = size >= 12 ? file.map(0, size) : nullptr;
    if (!data) return false;
    bool ok = true;
    auto read16 = [&](qint64 at) -> quint32 {
        if (at < 0 || at + 2 > size) return ok = false, 0;
        return quint32(data[at]) << 8 | data[at + 1];
    };
    auto read32 = [&](qint64 at) -> quint32 {
        if (at < 0 || at + 4 > size) return ok = false, 0;
        return quint32(data[at]) << 24 | quint32(data[at + 1]) << 16 |
               quint32(data[at + 2]) << 8 | data[at + 3];
    };
    auto text = [&](qint64 at) -> QString {
        const void* end = at < size ? std::memchr(data + at, 0, size_t(size - at)) : nullptr;
        if (!end) return ok = false, QString();
        return QString::fromUtf8(reinterpret_cast<const char*>(data + at),
                                 static_cast<const uchar*>(end) - (data + at));
    };
    if (read16(0) != 1) return false;
    const quint32 folders = read32(8);
    const quint32 folderCount = read32(folders);
    for (quint32 i = 0; ok && i < folderCount; ++i) {
        const QString folder = text(read32(folders + 4 + 4 * qint64(i)));
        if (ok && info.lastModified() < QFileInfo(themeFolder + QLatin1Char('/') + folder).lastModified())
            return false;
    }
    // Every name of every hash chain.
    QSet<QString> listed;
    const quint32 hash = read32(4);
    const quint32 buckets = read32(hash);
    for (quint32 b = 0; ok && b < buckets; ++b) {
        quint32 entry = read32(hash + 4 + 4 * qint64(b));
        for (int steps = 0; ok && entry > 0 && qint64(entry) + 12 <= size && steps < 100000;
             ++steps) {
            const QString name = text(read32(qint64(entry) + 4));
            if (ok && sought.contains(name)) listed.insert(name);
            entry = read32(entry);
        }
    }
    if (!ok) return false;
    found.unite(listed);
    return true;
}
} // namespace

// Qt finds a theme picture in the theme's folder of each theme search path (in
// its icon cache, when Qt uses that), else in the fallback search paths. Only
// the cache or the file names are read here: Qt's own look-up first reads the
// theme's index, which lists hundreds of folders and costs more than the rest
// of the toolbar together. A file in a folder the index does not list counts
// too, so a picture Qt might find is always left to the style.
QSet<QString> ToolbarIcons::hicolorPictureNames() {
    const QSet<QString> sought = themeNamesSought();
    QSet<QString> found;
    for (const QString& path : QIcon::themeSearchPaths()) {
        const QString folder = path + QStringLiteral("/hicolor");
        if (!addCachedPictureNames(folder, sought, found))
            addPictureNames(folder, kThemeDepth, sought, found);
    }
    for (const QString& path : QIcon::fallbackSearchPaths())
        addPictureNames(path, 0, sought, found);
    return found;
}

namespace {
// The picture made from the style's files alone, with the sizes up to the
// first that covers `pixels`; a null icon where the style would draw it from
// elsewhere (another style, an icon theme, right-to-left layout, files
// missing). The style itself reads every size of a picture, the large
// ones too, which cost most of the toolbar's set-up. `themePictures` are the
// names the "hicolor" theme may hold (ToolbarIcons::hicolorPictureNames()).
QIcon fromStyleFiles(const QStyle* style, QStyle::StandardPixmap picture, int pixels,
                     const std::function<const QSet<QString>&()>& themePictures) {
    if (qstrcmp(style->metaObject()->className(), "QFusionStyle") != 0 ||
        QGuiApplication::layoutDirection() != Qt::LeftToRight)
        return {};
    const auto files = std::find_if(std::begin(kStyleFiles), std::end(kStyleFiles),
                                    [&](const StyleFiles& f) { return f.picture == picture; });
    if (files == std::end(kStyleFiles)) return {};
    // Without a desktop's icon theme Qt falls back on "hicolor", which rarely
    // holds such pictures; any other theme is left to the style.
    const QString theme = QIcon::themeName();
    if (!theme.isEmpty()) {
        const QString fallback = QIcon::fallbackThemeName();
        if (theme != QLatin1String("hicolor") ||
            (!fallback.isEmpty() && fallback != QLatin1String("hicolor")))
            return {};
        for (const QString& name : themeNameForms(files->themeName))
            if (themePictures().contains(name)) return {};
    }
    QIcon icon;
    for (const int size : kStyleFileSizes) {
        if (size > files->largestSize) break;
        const QString file = QLatin1String(kStyleFolder) + QLatin1String(files->base) +
                             QLatin1Char('-') + QString::number(size) + QStringLiteral(".png");
        if (!QFile::exists(file)) return {};
        icon.addFile(file, QSize(size, size));
        if (size >= pixels) break;
    }
    return icon;
}

// The icon with its pictures up to the first one that covers `pixels` both ways.
// An icon picks the smallest picture that covers the size asked for, so every
// size up to `pixels` is drawn from the same picture as before. Theme icons
// (named) load their pictures when drawn and stay as they are.
QIcon trimmed(const QIcon& full, int pixels) {
    if (!full.name().isEmpty() || !full.availableSizes(QIcon::Disabled).isEmpty()) return full;
    QList<QSize> sizes = full.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](const QSize& a, const QSize& b) {
        return a.width() * a.height() < b.width() * b.height();
    });
    QIcon kept;
    for (const QSize& size : sizes) {
        kept.addPixmap(full.pixmap(size, 1.0));
        if (size.width() >= pixels && size.height() >= pixels) break;
    }
    return kept.isNull() ? full : kept;
}
} // namespace

ToolbarIcons::ToolbarIcons(const QToolBar* bar) : bar_(bar), largestPixels_(largestPixels(bar)) {}

QIcon ToolbarIcons::icon(const QString& key) {
    const QStyle::StandardPixmap picture = pictureOf(key);
    auto it = made_.constFind(picture);
    if (it == made_.constEnd()) {
        QIcon made = fromStyleFiles(bar_->style(), picture, largestPixels_,
                                    [this]() -> const QSet<QString>& {
                                        if (!themePicturesRead_) {
                                            themePictures_ = hicolorPictureNames();
                                            themePicturesRead_ = true;
                                        }
                                        return themePictures_;
                                    });
        if (made.isNull()) made = trimmed(bar_->style()->standardIcon(picture), largestPixels_);
        it = made_.insert(picture, made);
    }
    return *it;
}
