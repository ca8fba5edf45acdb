#include "app/Capabilities.h"
#include "app/Subsystems.h"
#include "app/Demo.h"
#include "core/Startup.h"
#include "core/ui/AboutWindows.h"
#include "core/ui/FrmMain.h"
#include "core/ui/MessageBoxUi.h"
#include "core/ui/WindowRegistry.h"
#include "link/ui/LinkMenus.h"
#include "safewrite/ui/SafeWriteMenus.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZR580"));
    QApplication::setOrganizationName(QStringLiteral("ZR580"));
    QApplication::setWindowIcon(ProgramIcon());
    InstallMessageBoxUi();
    RegisterSubsystems();
    RegisterCapabilities();

    // --demo: a simulated radio on a pseudo-terminal, assigned a COM number.
    DemoRadio demo;
    if (application.arguments().contains(QStringLiteral("--demo"))) {
        if (!demo.start()) return 1;
        QuitOnTerminationSignals();
    }

    StartProgram();
    if (demo.running()) demo.select();
    int result = 0;
    {
        FrmMain main;
        InstallSafeWrite(main);
        InstallLinkMenus(main);
        FinishStartup();
        main.show();
        result = application.exec();
    }
    return result;
}
