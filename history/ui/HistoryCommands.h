#pragma once
// The Edit menu's Undo and Redo with their toolbar buttons: the commands, the
// captions that name the next step, and the keys.

// Registers the commands "Undo" and "Redo", connects the program's history to
// the document hooks and to the open windows, and keeps the menu items and
// toolbar buttons in step with it. Called once at start-up (and by widget tests).
void RegisterHistoryCommands();

// The commands: a value still being typed in an editor is stored first (one
// step), then the last step is undone or redone and every open editor shows the
// restored document.
void UndoCommand();
void RedoCommand();

// Refreshes the enabling and the captions of the Undo and Redo items and buttons.
void UpdateHistoryActions();
