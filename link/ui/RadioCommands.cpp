#include "link/ui/RadioCommands.h"

#include "core/ui/FileCommands.h"
#include "core/ui/MainWindowApi.h"
#include "core/ui/PendingEdit.h"
#include "core/ui/WindowRegistry.h"
#include "link/RadioCommands.h"
#include "link/ui/GuiLinkUi.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

namespace {
constexpr int kWaitSaveDataMs = 100;

std::function<void()>& writeStart() {
    static std::function<void()> start;
    return start;
}

void startWrite() {
    if (writeStart())
        writeStart()();
    else
        WriteToRadio(ProgramLinkUi());
}

// The one-shot timer that starts a write once the committed edits are stored;
// it lives on the main window (or on its own without one).
QTimer* waitSaveDataTimer() {
    static QPointer<QTimer> timer;
    if (!timer) {
        timer = new QTimer(MainWindow());
        timer->setObjectName(QStringLiteral("WaitSaveDataTimer"));
        timer->setSingleShot(true);
        timer->setInterval(kWaitSaveDataMs);
        QObject::connect(timer, &QTimer::timeout, startWrite);
    }
    return timer;
}

bool busy() {
    return TransferRunning() || waitSaveDataTimer()->isActive();
}
} // namespace

void ReadFromRadioCommand() {
    if (busy()) return;
    // The read replaces the document: unsaved changes are offered a save first.
    if (!OfferToSaveChanges()) return;
    CloseCurAllWindows();
    ReadFromRadio(ProgramLinkUi());
}

void WriteToRadioCommand() {
    if (busy()) return;
    CommitPendingEdits();
    waitSaveDataTimer()->start();
}

void SetWriteToRadioStart(std::function<void()> start) {
    writeStart() = std::move(start);
}

void ReadRadioInfoCommand() {
    if (busy()) return;
    ReadRadioInfo(ProgramLinkUi());
}
