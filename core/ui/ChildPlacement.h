#pragma once
// Placing a newly opened window next to the window it belongs to.

class QWidget;

// Moves `window` beside `anchor`: to its right when the room there (the main
// window's child area, or the screen for top-level windows) takes it whole,
// otherwise to whichever side covers the least of `anchor`.
void PlaceBeside(QWidget* window, QWidget* anchor);
