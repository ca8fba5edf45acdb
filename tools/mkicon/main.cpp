// zr580-mkicon: renders the program's icon (the drawing of its window icon) as a
// square PNG for the desktop menu. Used by the build.
//
//   zr580-mkicon OUT.png SIZE
#include "core/ui/AboutWindows.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen"); // no display needed
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    const int size = args.value(2).toInt();
    if (args.size() != 3 || size < 16) {
        std::fprintf(stderr, "usage: zr580-mkicon OUT.png SIZE\n");
        return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(size / 64.0, size / 64.0); // the drawing is made on 64 x 64
    PaintLogo(painter);
    painter.end();
    if (!image.save(args.at(1), "PNG")) {
        std::fprintf(stderr, "zr580-mkicon: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
