#pragma once
// Where a newly opened window goes: inside the room it may use, and next to the
// window it belongs to.

class QWidget;

// Moves `window` beside `anchor`: to its right when the room there (the main
// window's child area, or the screen for top-level windows) takes it whole,
// otherwise to whichever side covers the least of `anchor`.
void PlaceBeside(QWidget* window, QWidget* anchor);

// The one rule every window opens by: the window (with its frame) is made no
// larger than its room, the available screen area for a window of its own or the
// main window's child area for a child window (never smaller than its minimum
// size: its tables and previews scroll instead), and a shown window is moved to
// lie inside that room. A window of its own not shown yet is only sized: it is
// placed when it is shown.
void FitIntoRoom(QWidget* window);
