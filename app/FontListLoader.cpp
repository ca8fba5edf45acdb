#include "app/FontListLoader.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QStringList>

FontListLoader::FontListLoader() {
    // The thread makes a font of its own from plain values: a QFont shares its
    // cached state with its copies, which the main thread is using.
    const QFont program = QGuiApplication::font();
    thread_ = std::thread([families = program.families(), points = program.pointSizeF(),
                           pixels = program.pixelSize(), style = program.style(),
                           hint = program.styleHint()] {
        QFontDatabase::families();
        // The toolbar's Print caption is Chinese in both languages: the search
        // for a font holding its characters is kept for every thread.
        QFont font(families);
        if (points > 0)
            font.setPointSizeF(points);
        else
            font.setPixelSize(pixels);
        font.setStyle(style);
        font.setStyleHint(hint);
        QFontMetrics(font).horizontalAdvance(QStringLiteral("打印"));
    });
}

FontListLoader::~FontListLoader() {
    thread_.join();
}
