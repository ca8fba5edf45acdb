#include "core/Language.h"

#include "core/ProfileFile.h"
#include "core/ProgramFolder.h"
#include "core/QtTranslations.h"

#include <QLocale>

Language SystemStartLanguage() {
    const QByteArray forced = qgetenv("ZR580_LANG").trimmed().toLower();
    if (forced == "zh") return Chinese;
    if (forced == "en") return English;
    return QLocale::system().name() == QLatin1String("zh_CN") ? Chinese : English;
}

void SetStartLanguage(Language language) {
    app().languageIndex = language;
    app().languageShown = language;
    app().startLanguage = language;
    ApplyQtTranslations(language);
}

void SetCurrentLanguage(Language language) {
    app().languageIndex = language;
    ApplyQtTranslations(language);
}

QString LanguageFileName() {
    return app().languageIndex == Chinese ? QStringLiteral("chinese.ini")
                                          : QStringLiteral("english.ini");
}

QString LanguageSection(int id) {
    if (id <= 8999) return QStringLiteral("OTHER");
    if (id <= 9999) return QStringLiteral("Msg");
    if (id <= 29999) return QStringLiteral("CHBatch");
    return QStringLiteral("Others");
}

namespace {
// The file is looked up fresh every time: it is small, and a language change
// takes effect at once.
ProfileFile currentLanguageFile() {
    return ProfileFile(ProgramPath(QStringLiteral("language/") + LanguageFileName()));
}
} // namespace

QString LanguageText(int id) {
    constexpr int kLongestText = 254; // what fits in the lookup buffer
    return currentLanguageFile()
        .read(LanguageSection(id), QString::number(id))
        .left(kLongestText)
        .trimmed();
}

QString LanguageText(const QString& section, const QString& key) {
    return currentLanguageFile().read(section, key).trimmed();
}

QString HelpBookName(int16 language) {
    return language == English ? QStringLiteral("ZR580_e") : QStringLiteral("ZR580_c");
}

QString HelpBookName() {
    return HelpBookName(app().languageIndex);
}
