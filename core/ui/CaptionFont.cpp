#include "core/ui/CaptionFont.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>
#include <mutex>

namespace {
const QString kFamily = QStringLiteral("ZR580 Caption");
} // namespace

void AddCaptionFont() {
    static std::once_flag added;
    std::call_once(added, [] {
        QFile file(QStringLiteral(":/fonts/caption.otf"));
        // Without it the system's fonts draw the caption, as they would anyway.
        if (file.open(QIODevice::ReadOnly))
            QFontDatabase::addApplicationFontFromData(file.readAll());
    });
}

QFont CaptionFontFor(const QString& caption, bool englishWindow, const QFont& base) {
    const bool chinese = std::any_of(caption.cbegin(), caption.cend(),
                                     [](QChar c) { return c.unicode() >= 0x2E80; });
    if (!englishWindow || !chinese) return {};
    // The family `base` is drawn with, not the name it asks for ("Sans
    // Serif"): a name Qt must look up costs a search of every system font.
    QFont font;
    font.setFamilies({QFontInfo(base).family(), kFamily});
    return font;
}
