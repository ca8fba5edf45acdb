#include "app/Subsystems.h"

#include "channels/BatchEdit.h"
#include "channels/ui/RegisterChannelWindows.h"
#include "codec/Tone.h"
#include "core/AppState.h"
#include "core/Startup.h"
#include "core/ui/WindowRegistry.h"
#include "features/ui/RegisterFeatureWindows.h"
#include "link/Ports.h"
#include "link/RadioCommands.h"
#include "link/ui/LinkMenus.h"
#include "link/ui/RegisterLinkWindows.h"
#include "safewrite/ui/SafeWriteMenus.h"

void RegisterSubsystems() {
    AddStartupStep(StartupStage::Tables, [] { ReadDecTable(); });
    // A stored port that is not present gives way to the first present one,
    // written back. Listing the system's serial devices takes thousands of file
    // look-ups, so the check waits for the main window's first frame, which
    // shows the stored port: the check's answer whenever that port is present.
    AddStartupStep(StartupStage::Settings,
                   [] { app().comPort = static_cast<int16>(ReadComPortSetting()); });
    AddStartupStep(StartupStage::Shown, [] { CheckComPortAtStartup(); });
    AddStartupStep(StartupStage::Link, InstallLinkHooks);
    AddStartupStep(StartupStage::Finish, LoadBatchFunctionFlags);

    RegisterCoreWindows();
    RegisterLinkWindows();
    RegisterChannelWindows();
    RegisterFeatureWindows();
}

void InstallMainWindowParts(FrmMain& main) {
    InstallSafeWrite(main);
    InstallLinkMenus(main);
}
