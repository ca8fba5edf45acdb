#pragma once
// Low latency from the serial driver. USB serial adapters hold received bytes
// for their latency timer (often 16 ms) before passing them on, which adds that
// much to every reply; a driver asked for ASYNC_LOW_LATENCY (TIOCSSERIAL) sets
// the timer to 1 ms. The flags are put back when the port closes. A driver that
// refuses (pseudo-terminals, drivers without it) changes nothing.

#include <functional>
#include <optional>

// The driver's serial flags of an open descriptor. The default uses
// TIOCGSERIAL/TIOCSSERIAL; tests install their own.
struct SerialFlagsAccess {
    std::function<std::optional<int>(int fd)> get;
    std::function<bool(int fd, int flags)> set;
};
void SetSerialFlagsAccess(SerialFlagsAccess access); // empty functions: the system's

// Asks for low latency. Returns the flags to put back at close; nothing when the
// driver refused or already had it.
std::optional<int> RequestLowLatency(int fd);
void RestoreSerialFlags(int fd, int flags);
