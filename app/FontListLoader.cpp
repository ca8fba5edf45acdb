#include "app/FontListLoader.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QStringList>

FontListLoader::FontListLoader()
    : thread_([] {
          QFontDatabase::families();
          // The toolbar's Print caption is Chinese in both languages: the search
          // for a font holding its characters is kept for every thread.
          QFontMetrics(QGuiApplication::font()).horizontalAdvance(QStringLiteral("打印"));
      }) {}

FontListLoader::~FontListLoader() {
    thread_.join();
}
