#pragma once
// The program language: the start language from the system locale, the language
// text files "english.ini"/"chinese.ini" and the help book that follow the current
// language.

#include "core/AppState.h"

#include <QString>

// The language the program starts in: ZR580_LANG ("en" or "zh") when set, else
// Chinese for the system locale zh_CN and English for any other.
Language SystemStartLanguage();

// Sets languageIndex, languageShown and startLanguage for a fresh start.
void SetStartLanguage(Language language);

// Changes the current language (the language window); languageShown keeps the
// language the main window shows until it re-captions itself.
void SetCurrentLanguage(Language language);

// "english.ini" or "chinese.ini" for the current language.
QString LanguageFileName();
// The text of a numeric identifier from the current language text file: section
// "OTHER" up to 8999, "Msg" 9000-9999, "CHBatch" 10000-29999, "Others" from 30000.
// Trimmed, at most 254 characters; empty when the file or key is missing.
QString LanguageText(int id);
// A named text of the current language file, e.g. LanguageText("SafeWrite",
// "BackingUp"): the texts of the program's later capabilities each keep a
// section of their own. Trimmed; empty when the file or key is missing.
QString LanguageText(const QString& section, const QString& key);
// A named text in both languages (english.ini and chinese.ini), for tables that
// are built once and shown in whichever language is current.
Tr LanguageTextPair(const QString& section, const QString& key);
// While one lives on a thread, each language text that thread looks up is read
// from its file once: work that says many things in one go (the report of an
// import of hundreds of rows) does not read the file for each. Memos nest; the
// outermost one holds the texts. A language change or an edited language file
// shows once the memo is gone.
class LanguageTextMemo {
  public:
    LanguageTextMemo();
    ~LanguageTextMemo();
    LanguageTextMemo(const LanguageTextMemo&) = delete;
    LanguageTextMemo& operator=(const LanguageTextMemo&) = delete;

  private:
    bool owner_ = false;
};

// The section an identifier is looked up in.
QString LanguageSection(int id);

// The help book folder name of the current language: "ZR580_e" or "ZR580_c".
QString HelpBookName();
QString HelpBookName(int16 language);
