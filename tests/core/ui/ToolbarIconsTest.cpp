#include "core/ui/MainMenuTable.h"
#include "core/ui/ToolbarIcons.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QToolBar>

// Every button shows the style's own picture, in every mode, at every size up
// to the toolbar's, whether the icon was made from the style's files or by the
// style (right to left, the style flips the arrows itself; with an icon theme,
// also one that holds some of the pictures, by full or shortened name).
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
    const struct {
        Qt::LayoutDirection direction;
        QString theme;
        QStringList searchPaths;
    } cases[] = {{Qt::LeftToRight, QString(), searchPaths},
                 {Qt::RightToLeft, QString(), searchPaths},
                 {Qt::LeftToRight, QStringLiteral("hicolor"), searchPaths},
                 {Qt::LeftToRight, QStringLiteral("hicolor"), {themes.path()}}};
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
