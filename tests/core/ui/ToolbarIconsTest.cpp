#include "core/ui/MainMenuTable.h"
#include "core/ui/ToolbarIcons.h"
#include "TestSupport.h"

#include <QGuiApplication>
#include <QImage>
#include <QToolBar>

// Every button shows the style's own picture, in every mode, at every size up
// to the toolbar's, whether the icon was made from the style's files or by the
// style (right to left, the style flips the arrows itself; with an icon theme).
TEST(ToolbarIcons, ButtonsShowTheStylesPictures) {
    const QString theme = QIcon::themeName();
    const struct {
        Qt::LayoutDirection direction;
        QString theme;
    } cases[] = {{Qt::LeftToRight, QString()},
                 {Qt::RightToLeft, QString()},
                 {Qt::LeftToRight, QStringLiteral("hicolor")}};
    for (const auto& [direction, iconTheme] : cases) {
        QGuiApplication::setLayoutDirection(direction);
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
                        << direction << " theme " << iconTheme.toStdString();
        }
    }
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    QIcon::setThemeName(theme);
}
