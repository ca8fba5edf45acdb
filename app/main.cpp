#include "app/Capabilities.h"
#include "app/Demo.h"
#include "core/ProgramFolder.h"
#include "core/Startup.h"
#include "core/TemporaryFolder.h"
#include "core/ui/AboutWindows.h"
#include "core/ui/FrmMain.h"
#include "core/ui/LifeCycle.h"
#include "core/ui/MessageBoxUi.h"
#include "core/ui/WindowRegistry.h"
#include "safewrite/ui/SafeWriteMenus.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    TemporaryFolder runtime;
    ProvideRuntimeFolder(runtime);
    QApplication application(argc, argv);
    // A termination signal from here on ends the program through its normal
    // shutdown, once the main window exists.
    CatchTerminationSignals();
    QApplication::setApplicationName(QStringLiteral("ZR580"));
    QApplication::setOrganizationName(QStringLiteral("ZR580"));
    QApplication::setWindowIcon(ProgramIcon());
    InstallMessageBoxUi();
    RegisterAllWindows();
    RegisterCapabilities();

    // --demo: a simulated radio on a pseudo-terminal, assigned a COM number in
    // the user's settings file, which a first run must make first.
    DemoRadio demo;
    if (application.arguments().contains(QStringLiteral("--demo"))) {
        PrepareUserFolder();
        if (!demo.start()) return 1;
    }

    StartProgram();
    if (demo.running()) demo.select();
    int result = 0;
    {
        FrmMain main;
        InstallSafeWrite(main);
        InstallShutdownRequests(main);
        FinishStartup();
        main.show();
        QTimer::singleShot(0, &main, [] { OfferRecoveryCopy(); });
        result = application.exec();
    }
    return result;
}
