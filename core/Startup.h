#pragma once
// Start-up and shutdown of the program, without the windows: locale, language,
// model and band, the language settings file, the steps the subsystems register
// (tone table, port check, link, batch flags), the new document, "Setting.ini",
// and the stored main window position.

#include <QRect>
#include <QString>

#include <functional>

// What start-up needs of the layers above the core (the tone table, the port
// setting, the link, the batch flags) is registered from above before
// StartProgram runs; each stage's steps run in the order they were added.
enum class StartupStage {
    Tables,   // after model and band are set: tables read from the program folder
    Settings, // after the user folder and "mysetup.ini" are read
    Link,     // before the new document is built
    Finish,   // FinishStartup, before "Setting.ini" is read
    Shown,    // FinishStartupWhenShown, once the main window's first frame is on
              // screen: work that frame can do without
};
void AddStartupStep(StartupStage stage, std::function<void()> step);

// Start-up up to the creation of the main window: numbers with ".", the language
// from the system locale, model and band, the Tables steps, "mysetup.ini"
// ("IsFirstRun") with the Settings steps, the Link steps, the new document. The
// caller then creates the main window and calls FinishStartup() before showing it.
void StartProgram();
// Reads "Setting.ini".
void FinishStartup();
// The Shown steps; then StartupShownStepsDone() is true until the next
// StartProgram.
void FinishStartupWhenShown();
bool StartupShownStepsDone();
// Writes "Setting.ini" (errors are ignored).
void ShutdownProgram();

// The main window position in twips, from the program's settings
// (ProgramSettings(), group "Settings"); defaults
// 100, 100, 14500 x 10500.
QRect StoredMainWindowTwips();
// Where the main window opens when nothing is stored (twips).
QRect DefaultMainWindowTwips();
void StoreMainWindowTwips(const QRect& twips);
