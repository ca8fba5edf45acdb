#pragma once
// The editing position shared by the channel windows, kept beside the document:
// the group shown, the current grid row and column (the channel edit window shows
// the same row), which channel windows are open, and the grid's two one-shot
// flags that let a programmatic cell move skip the entry handling or the commit.

struct ChannelGridState {
    int group = 1;  // 1..8
    int row = 1;    // 1..16, the in-group number of the current channel
    int column = 1; // 0..10, grid column of the current cell
    bool gridOpen = false;
    bool editOpen = false;
    bool skipEntry = false;  // the next cell entry is only acknowledged
    bool skipCommit = false; // the next cell entry does not commit the previous cell
};

ChannelGridState& gridState();

// Clears the grid's one-shot cell-edit flags (a new document replaces the channels).
void ResetGridEditState();
