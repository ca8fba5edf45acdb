#include "app/FontListLoader.h"

#include "core/ui/CaptionFont.h"

#include <QFontDatabase>
#include <QStringList>

FontListLoader::FontListLoader() {
    // Only the list: Qt keeps the fonts it loads for measuring and drawing per
    // thread, so a font loaded here would be loaded again by the main thread,
    // twice the work for no time won. The caption font joins the list first,
    // so that the list is made once, with it.
    thread_ = std::thread([] {
        AddCaptionFont();
        QFontDatabase::families();
    });
}

FontListLoader::~FontListLoader() {
    thread_.join();
}
