#pragma once
// Program-wide state that lives for the whole run: the open document and its
// saved copy, the side values, the persistent radio flags, the radio image,
// the current model and band, the language and the serial port number.
// One instance, reached through app(); tests reset it with resetAppState().

#include "core/Document.h"
#include "core/RadioInfo.h"

#include <QString>
#include <array>

enum Language : int16 { English = 1, Chinese = 2 };

struct AppState {
    DocumentRecord document;
    SideValues sideValues;
    DocumentRecord savedDocument;
    SideValues savedSideValues;

    std::array<int16, 3> radioFlags{}; // "Setting.ini"
    // What "Setting.ini" held when this program last read or wrote it: only the
    // flags that differ from it are written back.
    std::array<int16, 3> radioFlagsInFile{};
    RadioInfoRecord radioInfo;
    RadioImage image{};

    // Current model and band.
    QString currentModel = QStringLiteral("VM427");
    QString displayModelName = QStringLiteral("ZR580");
    QString bandText = QStringLiteral("400 - 480 MHz");
    double bandLower = 400;
    double bandUpper = 480;
    QString documentName = QStringLiteral("new.dat");
    bool isNewDocument = true;

    // Language.
    int16 languageIndex = English;
    int16 languageShown = English;
    int16 startLanguage = English;

    // Settings of "mysetup.ini".
    int16 comPort = 1;
    bool isFirstRun = false;

    // The password held for this run (programming password window).
    QString heldPassword;
};

AppState& app();
void resetAppState();

// The text of a two-language table for the current language.
struct Tr {
    QString en;
    QString zh;
    const QString& operator()() const;
    const QString& in(int16 language) const { return language == Chinese ? zh : en; }
};
