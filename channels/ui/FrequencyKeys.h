#pragma once
// The frequency text boxes of the channel windows: of the printable characters
// only the digits and "." are typed; the clipboard keys and characters above code
// 127 are dropped; Backspace and the other control keys pass. Entering a box
// selects its whole text, by keyboard or by mouse.

class QKeyEvent;
class QLineEdit;

// True when the key must be dropped.
bool DropFrequencyKey(const QKeyEvent* key);

// Digits-and-point validator, no drops, no context menu, whole text selected on entry.
void PrepareFrequencyBox(QLineEdit* box);
