#include "link/RadioCommands.h"

#include "core/Hooks.h"
#include "link/LinkSettings.h"
#include "link/LinkTransfer.h"
#include "link/SerialLinkPort.h"

namespace {
RadioLink& programLink() {
    static RadioLink link(std::make_unique<SerialLinkPort>(), std::make_unique<QtReplyTimer>());
    return link;
}

void publishRunning() {
    InstallLinkHooks();
}
} // namespace

RadioLink& ProgramLink() {
    return programLink();
}

void InstallLinkHooks() {
    // The main window's resize rule asks whether a transfer runs, and stops the
    // reply timer only when none does.
    hooks().transferRunning = [] { return TransferRunning(); };
    hooks().disableLinkTimers = [] {
        if (!TransferRunning()) programLink().stopReplyTimer();
    };
    hooks().endTransfers = [] {
        if (TransferRunning()) programLink().EndTransfer(false);
    };
}

bool ReadFromRadio(LinkUi& ui) {
    publishRunning();
    programLink().setCheckedReads(LoadCheckReads());
    return programLink().startRead(ui);
}

bool WriteToRadio(LinkUi& ui) {
    publishRunning();
    return programLink().startWrite(ui);
}

bool ReadRadioInfo(LinkUi& ui) {
    publishRunning();
    return programLink().startRadioInfo(ui);
}

bool TransferRunning() {
    return programLink().running();
}

bool ReadRadioImage(LinkUi& ui) {
    publishRunning();
    return programLink().startReadImage(ui);
}

const RadioImage& ProgramLinkImage() {
    return programLink().image();
}
