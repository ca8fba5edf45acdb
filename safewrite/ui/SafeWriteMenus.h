#pragma once
// The safe write in the desktop program: the write command backs the radio up
// and reads it back as the Setting menu's two check marks say, the Program menu
// restores a backup.

#include <QString>

class FrmMain;

// Adds "Back Up Radio Before Writing" and "Verify After Writing" to the Setting
// menu and "Restore from Backup..." to the Program menu, and makes the write
// command the safe write. Called once the main window exists.
void InstallSafeWrite(FrmMain& main);

// The write command's start, once the edits are stored: with both settings off
// exactly the plain write; otherwise the no-channel refusal, the confirmation and
// the backup, write and read-back under one progress window. When the read-back
// differs, writing the backup back to the radio is offered.
void StartSafeWrite();

// Opens the Restore from Backup window on the backup folder.
void RestoreFromBackup();

// The backup becomes the document (a changed document is offered for saving
// first), untitled so that a Save never overwrites the backup; with `writeNow`
// it is then written to the radio by a safe write with backup and check,
// whatever the Setting menu says, without another question.
void RestoreBackup(const QString& dataPath, bool writeNow);
