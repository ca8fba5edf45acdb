#include "app/FontListLoader.h"

#include <QFontDatabase>
#include <QStringList>

FontListLoader::FontListLoader() {
    // Only the list: Qt keeps the fonts it loads for measuring and drawing per
    // thread, so a font loaded here (the Chinese one for the Print caption, say)
    // would be loaded again by the main thread, twice the work for no time won.
    thread_ = std::thread([] { QFontDatabase::families(); });
}

FontListLoader::~FontListLoader() {
    thread_.join();
}
