#pragma once

#include <functional>
// The main window's radio commands: read from the radio, write to the radio and
// read the radio information, with what the windows do around the transfer.

// Offers to save unsaved changes (Cancel stops here), closes the child windows,
// then reads the radio into the document (test open of
// the port, confirmation, modal progress window).
void ReadFromRadioCommand();
// Lets every open editor store its pending edit, then starts the write after the
// 100 ms WaitSaveDataTimer, so the stored values are in the document first.
void WriteToRadioCommand();
// What the write command starts once the edits are stored; empty restores the
// plain write, WriteToRadio(ProgramLinkUi()).
void SetWriteToRadioStart(std::function<void()> start);
// Reads the radio-information area and shows it (no confirmation, no progress).
void ReadRadioInfoCommand();
