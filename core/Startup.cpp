#include "core/Startup.h"

#include "core/AppState.h"
#include "core/Band.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/Language.h"
#include "core/ProfileFile.h"
#include "core/ProgramFolder.h"

#include <QLocale>
#include <QSettings>

#include <map>
#include <vector>

namespace {
const QString kSection = QStringLiteral("language");
bool g_shownStepsDone = false;

std::map<StartupStage, std::vector<std::function<void()>>>& startupSteps() {
    static std::map<StartupStage, std::vector<std::function<void()>>> steps;
    return steps;
}

void runStage(StartupStage stage) {
    for (const auto& step : startupSteps()[stage]) step();
}

// A truth value as profile files hold it: a number (non-zero is true) or a word.
bool truthValue(const QString& text) {
    bool numeric = false;
    const int n = text.toInt(&numeric);
    if (numeric) return n != 0;
    return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

void readSetupFile() {
    const ProfileFile setup(SetupFilePath());
    app().isFirstRun = truthValue(setup.read(kSection, QStringLiteral("IsFirstRun")));
    runStage(StartupStage::Settings);
    if (app().isFirstRun) setup.write(kSection, QStringLiteral("IsFirstRun"), QStringLiteral("0"));
}
} // namespace

void StartProgram() {
    // Numbers are always written and read with "." whatever the user's locale;
    // the program's own default locale is C, the system's settings stay untouched.
    QLocale::setDefault(QLocale::c());
    g_shownStepsDone = false;

    SetStartLanguage(SystemStartLanguage());

    app().displayModelName = QStringLiteral("ZR580");
    app().currentModel = QStringLiteral("VM427");
    app().bandText = QStringLiteral("400 - 480 MHz");
    SetBandLimits();
    runStage(StartupStage::Tables);

    PrepareUserFolder();
    readSetupFile();
    runStage(StartupStage::Link);
    InitNewDocument();
}

void FinishStartup() {
    runStage(StartupStage::Finish);
    ReadSettingsFile();
}

void FinishStartupWhenShown() {
    runStage(StartupStage::Shown);
    g_shownStepsDone = true;
}

bool StartupShownStepsDone() {
    return g_shownStepsDone;
}

void AddStartupStep(StartupStage stage, std::function<void()> step) {
    startupSteps()[stage].push_back(std::move(step));
}

void ShutdownProgram() {
    WriteSettingsFile();
}

QRect StoredMainWindowTwips() {
    const auto settings = ProgramSettings();
    settings->beginGroup(QStringLiteral("Settings"));
    auto value = [&](const char* key, int fallback) {
        bool ok = false;
        const int v = settings->value(QLatin1String(key)).toInt(&ok);
        return ok ? v : fallback;
    };
    const QRect fallback = DefaultMainWindowTwips();
    return QRect(value("MainLeft", fallback.x()), value("MainTop", fallback.y()),
                 value("MainWidth", fallback.width()), value("MainHeight", fallback.height()));
}

QRect DefaultMainWindowTwips() {
    return QRect(100, 100, 14500, 10500);
}

void StoreMainWindowTwips(const QRect& twips) {
    const auto settings = ProgramSettings();
    settings->beginGroup(QStringLiteral("Settings"));
    settings->setValue(QStringLiteral("MainLeft"), twips.x());
    settings->setValue(QStringLiteral("MainTop"), twips.y());
    settings->setValue(QStringLiteral("MainWidth"), twips.width());
    settings->setValue(QStringLiteral("MainHeight"), twips.height());
}
