#include "safewrite/SafeWriteTexts.h"

#include "core/Language.h"

QString SafeWriteText(const char* key) {
    return LanguageText(QStringLiteral("SafeWrite"), QLatin1String(key));
}
