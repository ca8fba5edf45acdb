#pragma once
// What other windows and commands need from the main window without knowing its
// class. Every call does nothing while no main window exists (tests of a single
// window, the command-line tool).

class QMainWindow;

// The main window, or nullptr.
QMainWindow* MainWindow();

// Re-applies every caption of the main window in the current language: menus,
// toolbar, status bar, file dialog filter and title (after a read from the radio,
// a file load, a band change).
void ApplyMainCaptions();
// Re-applies the captions and rebuilds the tree panel, as a language change does
// (after a read from the radio: no node stays highlighted from before).
void RenewMainCaptionsAndTree();
// Refreshes the title and the status bar panels (document name, model, band, port).
void RefreshMainTitle();
// Closes all child windows, re-applies the captions, starts a new document, opens
// the channel window, refreshes the title and cascades the children.
void LoadNewDoc();
// Cascades the open child windows.
void CascadeChildWindows();
