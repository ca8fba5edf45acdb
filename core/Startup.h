#pragma once
// Start-up and shutdown of the program, without the windows: locale, language,
// model and band, tone tables, the language settings file and its port check,
// the new document, "Setting.ini", and the stored main window position.

#include <QRect>
#include <QString>

// Start-up up to the creation of the main window: numbers with ".", the language
// from the system locale, model and band, tone tables, "mysetup.ini" ("IsFirstRun",
// "comPort"), the port check, the new document. The caller then creates the main
// window and calls FinishStartup() before showing it.
void StartProgram();
// Reads "Setting.ini".
void FinishStartup();
// Writes "Setting.ini" (errors are ignored).
void ShutdownProgram();

// The main window position in twips, from the program's settings
// (ProgramSettings(), group "Settings"); defaults
// 100, 100, 14500 x 10500.
QRect StoredMainWindowTwips();
// Where the main window opens when nothing is stored (twips).
QRect DefaultMainWindowTwips();
void StoreMainWindowTwips(const QRect& twips);
