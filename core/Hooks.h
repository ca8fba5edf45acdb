#pragma once
// Calls from the GUI-free logic into parts that own state elsewhere (the windows,
// the link). Each is optional; an empty hook is skipped.

#include <functional>

struct ProgramHooks {
    // InitNewDocument: the channel grid's cell-edit flags are reset.
    std::function<void()> resetGridEditState;
    // InitNewDocument: the link is set idle.
    std::function<void()> setLinkIdle;
    // The channel table changed: open channel windows redisplay themselves.
    std::function<void()> channelsChanged;
    // Set while the scan window is open: its own refresh keeps the priority
    // channels valid instead of the channel table's check.
    std::function<void()> scanWindowReshow;
    // True while a transfer with the radio runs (the main window's resize rule).
    std::function<bool()> transferRunning;
    // Every resize of the main window outside a transfer: the link's reply timers stop.
    std::function<void()> disableLinkTimers;
    // The program ends without asking (a termination signal): a running transfer
    // ends as a failed one, its port closed.
    std::function<void()> endTransfers;
    // The open document changed by one edit, or was replaced by another document
    // (File New, File Open, a read from the radio). See core/DocumentEdits.h.
    std::function<void()> documentEditStarting; // the outermost DocumentEdit opens
    std::function<void()> documentEdited;
    std::function<void()> documentReplaced;
};

ProgramHooks& hooks();
