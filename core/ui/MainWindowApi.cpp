#include "core/ui/MainWindowApi.h"

// Filled in by the main window once it exists.
QMainWindow* MainWindow() {
    return nullptr;
}
void ApplyMainCaptions() {}
void RefreshMainTitle() {}
void LoadNewDoc() {}
void CascadeChildWindows() {}
