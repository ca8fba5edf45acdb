#pragma once
// One radio of a fleet: the port it hangs on and what became of it.

#include "core/RadioInfo.h"

#include <QDateTime>
#include <QString>
#include <optional>

// Waiting: not started (or not yet). Backup, Write, Verify: the transfer
// running. Done: written (and verified). Failed: ended without success.
enum class FleetPhase { Waiting, Backup, Write, Verify, Done, Failed };

struct FleetPort {
    QString name;   // as the user sees it: "COM33", or the path given
    QString device; // the device opened
    bool operator==(const FleetPort&) const = default;
};

struct FleetJob {
    FleetPort port;
    FleetPhase phase = FleetPhase::Waiting;
    int percent = 0; // of the whole sequence
    QString failure; // the reason in words; empty unless Failed
    QString radioModel; // from the radio's identification, once it came
    int radioBand = -1;
    std::optional<RadioInfoRecord> info; // from the radio's memory, where read
    QString backupPath;
    QDateTime ended;

    bool running() const {
        return phase == FleetPhase::Backup || phase == FleetPhase::Write ||
               phase == FleetPhase::Verify;
    }
    bool finished() const { return phase == FleetPhase::Done || phase == FleetPhase::Failed; }
};

// The phase and the result in words, in the current language.
QString FleetPhaseText(FleetPhase phase);
// A named text of the fleet's section of the language file.
QString FleetText(const char* key);
