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
    // A priority channel was revalidated: an open scan window redisplays itself.
    std::function<void()> priorityChannelsChanged;
};

ProgramHooks& hooks();
