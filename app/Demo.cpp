#include "app/Demo.h"

#include "core/AppState.h"
#include "core/ProgramFolder.h"
#include "link/Ports.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>

namespace {
constexpr int kFirstDemoNumber = 200;
constexpr int kStartTimeoutMs = 5000;

void say(const QString& text) {
    std::fprintf(stderr, "zr580: %s\n", qPrintable(text));
}

// A number with no assignment, or one whose assigned device is gone (left over
// from an earlier run), and no present device of its own.
int freeNumber() {
    const QList<int> present = PresentPorts();
    for (int n = kFirstDemoNumber; n <= kMaxPortNumber; ++n) {
        const QString assigned = AssignedPortDevice(n);
        if (!assigned.isEmpty() && QFileInfo::exists(assigned)) continue;
        if (present.contains(n)) continue;
        return n;
    }
    return 0;
}
} // namespace

bool DemoRadio::start() {
    const QString simulator =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("zr580-radiosim"));
    if (!QFileInfo(simulator).isExecutable()) {
        say(QStringLiteral("the simulated radio %1 is missing").arg(simulator));
        return false;
    }
    const QString link = folder_.filePath(QStringLiteral("radio"));
    if (link.isEmpty()) {
        say(QStringLiteral("no temporary folder in %1").arg(TemporaryFolderBase()));
        return false;
    }
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The simulator ends with the program, even when the program is killed.
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    QStringList arguments{QStringLiteral("--link"), link, QStringLiteral("--pace")};
    // A radio with channels and a message, when the program folder has one.
    const QString memory =
        ProgramPath(QStringLiteral("demo-radio.bin"));
    if (QFileInfo::exists(memory)) arguments << QStringLiteral("--image") << memory;
    process_.start(simulator, arguments);
    if (!process_.waitForStarted(kStartTimeoutMs)) {
        say(QStringLiteral("the simulated radio did not start"));
        return false;
    }
    // The simulator prints its device once the link exists.
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(link) && waited.elapsed() < kStartTimeoutMs &&
           process_.state() == QProcess::Running)
        if (process_.waitForReadyRead(100)) process_.readAllStandardOutput();
    if (!QFileInfo::exists(link)) {
        say(QStringLiteral("the simulated radio did not open its line"));
        stop();
        return false;
    }
    number_ = freeNumber();
    if (number_ == 0 || !AssignPort(number_, link)) {
        say(QStringLiteral("no free port number for the simulated radio"));
        number_ = 0;
        stop();
        return false;
    }
    say(QStringLiteral("simulated radio on COM%1 (%2)").arg(number_).arg(link));
    return true;
}

void DemoRadio::select() {
    app().comPort = static_cast<int16>(number_);
    WriteComPortSetting(number_);
}

void DemoRadio::stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(2000)) {
        process_.kill();
        process_.waitForFinished(1000);
    }
}

DemoRadio::~DemoRadio() {
    stop();
    if (number_ > 0) UnassignPort(number_);
}
