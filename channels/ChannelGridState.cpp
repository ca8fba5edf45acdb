#include "channels/ChannelGridState.h"

ChannelGridState& gridState() {
    static ChannelGridState state;
    return state;
}

void ResetGridEditState() {
    ChannelGridState& s = gridState();
    s.skipEntry = false;
    s.skipCommit = false;
}
