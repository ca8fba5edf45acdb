#include "core/ui/MainWindowApi.h"

#include "core/ui/FrmMain.h"

QMainWindow* MainWindow() {
    return FrmMain::instance();
}

void ApplyMainCaptions() {
    if (FrmMain* main = FrmMain::instance()) main->ApplyCaptions();
}

void RenewMainCaptionsAndTree() {
    if (FrmMain* main = FrmMain::instance()) main->Change_Language();
}

void RefreshMainTitle() {
    if (FrmMain* main = FrmMain::instance()) main->RefreshTitle();
}

void LoadNewDoc() {
    if (FrmMain* main = FrmMain::instance()) main->LoadNewDoc();
}

void CascadeChildWindows() {
    if (FrmMain* main = FrmMain::instance()) main->Cascade();
}
