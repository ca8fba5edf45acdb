#include "app/Capabilities.h"
#include "app/Subsystems.h"
#include "app/Demo.h"
#include "app/FontListLoader.h"
#include "app/StartupProbe.h"
#include "core/CommandLine.h"
#include "core/ProgramFolder.h"
#include "core/Startup.h"
#include "core/TemporaryFolder.h"
#include "core/ui/AboutWindows.h"
#include "core/ui/FrmMain.h"
#include "core/ui/LifeCycle.h"
#include "core/ui/MessageBoxUi.h"
#include "core/ui/WindowRegistry.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <string_view>

namespace {
const QString kName = QStringLiteral("zr580");

struct ProgramOptions {
    QCommandLineParser parser;
    QCommandLineOption demo{QStringLiteral("demo"),
                            QStringLiteral("Start a simulated radio on a pseudo-terminal and "
                                           "select it as the port.")};
    ProgramOptions() {
        parser.setApplicationDescription(
            QStringLiteral("The ZR580 programming tool: read a ZR580 radio's memory over a "
                           "serial programming cable, edit its channels and settings, save "
                           "and open data files, write it back."));
        parser.addOption(demo);
    }
};

bool AsksForHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "-h" || a == "--help" || a == "-?" || a == "-v" || a == "--version") return true;
    }
    return false;
}
} // namespace

int main(int argc, char** argv) {
    // The help and the version are printed without a window system.
    if (AsksForHelpOrVersion(argc, argv)) {
        QCoreApplication application(argc, argv);
        ProgramOptions options;
        return std::max(0, ParseProgramOptions(options.parser, application.arguments(), kName));
    }
    TemporaryFolder runtime;
    ProvideRuntimeFolder(runtime);
    QApplication application(argc, argv);
    const FontListLoader fonts;
    // A termination signal from here on ends the program through its normal
    // shutdown, once the main window exists.
    CatchTerminationSignals();
    QApplication::setApplicationName(QStringLiteral("ZR580"));
    QApplication::setOrganizationName(QStringLiteral("ZR580"));
    // What is left once Qt took its own options (-platform, -style, ...).
    ProgramOptions options;
    if (const int code = ParseProgramOptions(options.parser, application.arguments(), kName);
        code >= 0)
        return code;
    if (!options.parser.positionalArguments().isEmpty()) {
        PrintUsageError(kName, QStringLiteral("unexpected argument '%1'; see '%2 --help'")
                                   .arg(options.parser.positionalArguments().constFirst(), kName));
        return 2;
    }
    QApplication::setWindowIcon(ProgramIcon());
    InstallMessageBoxUi();
    RegisterSubsystems();
    RegisterCapabilities();

    // --demo: a simulated radio on a pseudo-terminal, assigned a COM number in
    // the user's settings file, which a first run must make first.
    DemoRadio demo;
    if (options.parser.isSet(options.demo)) {
        PrepareUserFolder();
        if (!demo.start()) return 1;
    }

    StartProgram();
    if (demo.running()) demo.select();
    int result = 0;
    {
        FrmMain main;
        InstallMainWindowParts(main);
        InstallShutdownRequests(main);
        FinishStartup();
        InstallStartupProbe(&main);
        FinishStartupOnceShown(main);
        main.show();
        QTimer::singleShot(0, &main, [] { OfferRecoveryCopy(); });
        result = application.exec();
    }
    return result;
}
