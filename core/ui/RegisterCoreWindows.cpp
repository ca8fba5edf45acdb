#include "core/ui/AboutWindows.h"
#include "core/ui/FrmModelInfo.h"
#include "core/ui/FrmSetLanguage.h"
#include "core/ui/WindowRegistry.h"

namespace {
template <typename W> void registerModal(const char* name) {
    RegisterWindow(
        QLatin1String(name), [] { return new W; }, WindowKind::Modal);
}
} // namespace

// The windows and commands of this subsystem, by the names the menus use.
void RegisterCoreWindows() {
    registerModal<FrmModelInfo>("FrmModelInfo");
    registerModal<FrmSetLanguage>("FrmSetLanguage");
    registerModal<FrmAbout2>("FrmAbout2");
    registerModal<FrmAboutChinese>("frmAbout");
}
