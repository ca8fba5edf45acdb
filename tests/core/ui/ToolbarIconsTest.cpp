#include "core/ui/MainMenuTable.h"
#include "core/ui/ToolbarIcons.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolBar>

namespace {
void put16(QByteArray& data, quint32 v) {
    data.append(char(v >> 8)).append(char(v));
}
void put32(QByteArray& data, quint32 v) {
    data.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
}

// An icon cache (icon-theme.cache) of one hash bucket listing `names`, each in
// the folder of the same index in `folders`.
QByteArray iconCache(const QStringList& names, const QStringList& folders) {
    QByteArray data;
    put16(data, 1); // version 1.0
    put16(data, 0);
    put32(data, 12); // hash table
    const int folderList = 12 + 8 + 12 * int(names.size()) + 12 * int(names.size());
    put32(data, quint32(folderList));
    put32(data, 1); // one bucket
    const int entries = 20;
    put32(data, quint32(entries));
    const int images = entries + 12 * int(names.size());
    int strings = folderList + 4 + 4 * int(folders.size());
    QByteArray text;
    for (int i = 0; i < names.size(); ++i) { // chain: next, name, image list
        put32(data, i + 1 < names.size() ? quint32(entries + 12 * (i + 1)) : 0xffffffffu);
        put32(data, quint32(strings + text.size()));
        text.append(names[i].toUtf8()).append('\0');
        put32(data, quint32(images + 12 * i));
    }
    for (int i = 0; i < names.size(); ++i) { // one picture: folder, PNG, no data
        put32(data, 1);
        put16(data, quint32(folders.indexOf(folders[i])));
        put16(data, 4);
        put32(data, 0);
    }
    put32(data, quint32(folders.size()));
    for (const QString& folder : folders) {
        put32(data, quint32(strings + text.size()));
        text.append(folder.toUtf8()).append('\0');
    }
    return data + text;
}
} // namespace

// Every button shows the style's own picture, in every mode, at every size up
// to the toolbar's, whether the icon was made from the style's files or by the
// style (right to left, the style flips the arrows itself; with an icon theme,
// also one that holds some of the pictures, by full or shortened name, listed in
// its icon cache or not).
TEST(ToolbarIcons, ButtonsShowTheStylesPictures) {
    const QString theme = QIcon::themeName();
    const QStringList searchPaths = QIcon::themeSearchPaths();
    QTemporaryDir themes;
    ASSERT_TRUE(themes.isValid());
    const QString hicolor = themes.path() + QStringLiteral("/hicolor");
    ASSERT_TRUE(QDir().mkpath(hicolor + QStringLiteral("/16x16/actions")));
    ASSERT_TRUE(QDir().mkpath(hicolor + QStringLiteral("/32x32/places")));
    {
        QFile index(hicolor + QStringLiteral("/index.theme"));
        ASSERT_TRUE(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=Hicolor\nDirectories=16x16/actions,32x32/places\n"
                    "[16x16/actions]\nSize=16\nType=Fixed\n[32x32/places]\nSize=32\nType=Fixed\n");
    }
    const struct {
        const char* file;
        int size;
        Qt::GlobalColor color;
    } pictures[] = {{"16x16/actions/go-down.png", 16, Qt::red},
                    {"16x16/actions/document.png", 16, Qt::blue},
                    {"32x32/places/computer.png", 32, Qt::green}};
    for (const auto& [file, size, color] : pictures) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(hicolor + QLatin1Char('/') + QLatin1String(file)));
    }
    // The same theme with an icon cache, which Qt then uses instead of the folders.
    const QString cached = themes.path() + QStringLiteral("/cached");
    ASSERT_TRUE(QDir().mkpath(cached));
    ASSERT_TRUE(QProcess::execute(QStringLiteral("cp"),
                                  {QStringLiteral("-a"), hicolor, cached}) == 0);
    {
        QFile cache(cached + QStringLiteral("/hicolor/icon-theme.cache"));
        ASSERT_TRUE(cache.open(QIODevice::WriteOnly));
        cache.write(iconCache({"go-down", "document", "computer"},
                              {"16x16/actions", "16x16/actions", "32x32/places"}));
    }
    const struct {
        Qt::LayoutDirection direction;
        QString theme;
        QStringList searchPaths;
    } cases[] = {{Qt::LeftToRight, QString(), searchPaths},
                 {Qt::RightToLeft, QString(), searchPaths},
                 {Qt::LeftToRight, QStringLiteral("hicolor"), searchPaths},
                 {Qt::LeftToRight, QStringLiteral("hicolor"), {themes.path()}},
                 {Qt::LeftToRight, QStringLiteral("hicolor"), {cached}}};
    for (const auto& [direction, iconTheme, paths] : cases) {
        QGuiApplication::setLayoutDirection(direction);
        QIcon::setThemeSearchPaths(paths);
        QIcon::setThemeName(iconTheme);
        QToolBar bar;
        ToolbarIcons icons(&bar);
        const int largest = bar.iconSize().width();
        for (const ToolButtonDef& def : MainToolButtons()) {
            if (!def.key) continue;
            const QString key = QString::fromUtf8(def.key);
            const QIcon made = icons.icon(key);
            const QIcon expected = bar.style()->standardIcon(ToolbarIcons::pictureOf(key));
            for (const int size : {12, 16, 20, largest})
                for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active})
                    EXPECT_EQ(made.pixmap(QSize(size, size), 1.0, mode).toImage(),
                              expected.pixmap(QSize(size, size), 1.0, mode).toImage())
                        << def.key << " size " << size << " mode " << mode << " direction "
                        << direction << " theme " << iconTheme.toStdString() << " in "
                        << paths.join(QLatin1Char(',')).toStdString();
        }
    }
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setThemeName(theme);
}
