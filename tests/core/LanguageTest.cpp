#include "TestSupport.h"

#include "core/AppState.h"
#include "core/Language.h"
#include "core/ProfileFile.h"

#include <QFile>
#include <QLocale>

class LanguageTest : public ProgramTest {};

TEST_F(LanguageTest, TextsComeFromTheSectionOfTheirIdentifierInTheCurrentLanguageFile) {
    ProfileFile english(path("language/english.ini"));
    english.write("OTHER", "8999", "other text");
    english.write("Msg", "9000", "  first message  ");
    english.write("Msg", "9999", "last message");
    english.write("CHBatch", "10000", "batch");
    english.write("CHBatch", "29999", "batch end");
    english.write("Others", "30000", "others");
    english.write("Others", "9500", "wrong section");
    english.write("Msg", "9500", "message, with a comma");
    ProfileFile chinese(path("language/chinese.ini"));
    chinese.write("msg", "9500", "中文消息");

    app().languageIndex = English;
    EXPECT_EQ(LanguageText(8999), "other text");
    EXPECT_EQ(LanguageText(9000), "first message");
    EXPECT_EQ(LanguageText(9999), "last message");
    EXPECT_EQ(LanguageText(10000), "batch");
    EXPECT_EQ(LanguageText(29999), "batch end");
    EXPECT_EQ(LanguageText(30000), "others");
    EXPECT_EQ(LanguageText(9500), "message, with a comma");
    EXPECT_EQ(LanguageText(12345), "");

    app().languageIndex = Chinese;
    EXPECT_EQ(LanguageFileName(), "chinese.ini");
    EXPECT_EQ(HelpBookName(), "ZR580_c");
    EXPECT_EQ(LanguageText(9500), "中文消息");
    // A missing language file gives empty texts.
    QFile::remove(path("language/chinese.ini"));
    EXPECT_EQ(LanguageText(9500), "");

    // At most 254 characters survive the lookup.
    english.write("Others", "30001", QString(300, QLatin1Char('x')));
    app().languageIndex = English;
    EXPECT_EQ(LanguageText(30001).size(), 254);
}

TEST_F(LanguageTest, StartLanguageFollowsTheLocaleOrTheOverride) {
    qputenv("ZR580_LANG", "zh");
    EXPECT_EQ(SystemStartLanguage(), Chinese);
    qputenv("ZR580_LANG", "EN");
    EXPECT_EQ(SystemStartLanguage(), English);
    qunsetenv("ZR580_LANG");
    EXPECT_EQ(SystemStartLanguage(), QLocale::system().name() == "zh_CN" ? Chinese : English);

    SetStartLanguage(Chinese);
    SetCurrentLanguage(English);
    EXPECT_EQ(app().startLanguage, Chinese);
    EXPECT_EQ(app().languageShown, Chinese);
    EXPECT_EQ(app().languageIndex, English);
}
