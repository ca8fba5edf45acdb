#include "core/Language.h"

#include "core/ProfileFile.h"
#include "core/ProgramFolder.h"
#include "core/QtTranslations.h"

#include <QHash>
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
// A text's place: the file, the section and the key (copies of the caller's
// strings share their data, so a lookup allocates nothing).
struct TextPlace {
    QString file, section, key;
    bool operator==(const TextPlace&) const = default;
};
size_t qHash(const TextPlace& place, size_t seed = 0) {
    return qHashMulti(seed, place.file, place.section, place.key);
}

// The texts the memo of this thread holds (none while no memo lives).
thread_local QHash<TextPlace, QString>* memo = nullptr;

// A text of a language file, "language/<file>": looked up fresh every time (the
// file is small, and a language change takes effect at once), or once while a
// memo lives.
QString ReadText(const QString& file, const QString& section, const QString& key) {
    const auto read = [&] {
        return ProfileFile(ProgramPath(QStringLiteral("language/") + file)).read(section, key);
    };
    if (!memo) return read();
    const TextPlace place{file, section, key};
    const auto found = memo->constFind(place);
    return found != memo->constEnd() ? *found : *memo->insert(place, read());
}
} // namespace

LanguageTextMemo::LanguageTextMemo() {
    if (!memo) {
        memo = new QHash<TextPlace, QString>;
        owner_ = true;
    }
}

LanguageTextMemo::~LanguageTextMemo() {
    if (!owner_) return;
    delete memo;
    memo = nullptr;
}

QString LanguageText(int id) {
    constexpr int kLongestText = 254; // what fits in the lookup buffer
    return ReadText(LanguageFileName(), LanguageSection(id), QString::number(id))
        .left(kLongestText)
        .trimmed();
}

QString LanguageText(const QString& section, const QString& key) {
    return ReadText(LanguageFileName(), section, key).trimmed();
}

Tr LanguageTextPair(const QString& section, const QString& key) {
    return Tr{ReadText(QStringLiteral("english.ini"), section, key).trimmed(),
              ReadText(QStringLiteral("chinese.ini"), section, key).trimmed()};
}

QString HelpBookName(int16 language) {
    return language == English ? QStringLiteral("ZR580_e") : QStringLiteral("ZR580_c");
}

QString HelpBookName() {
    return HelpBookName(app().languageIndex);
}
