#pragma once
// The read, write and radio-information commands below the windows. Each runs
// on the program's link (the serial port of the "comPort" setting) and reports
// through the given interface; the interface must stay alive until its
// transferEnded() was called.
//
// Read: the caller first closes every child window. Then: operation set-up,
// the test open of the port ("Cannot Open Communication Port." on failure),
// the confirmation, FillImage, the port opened and the handshake sent, the
// progress window opened. A successful read rebuilds the document from the
// image (it becomes the untitled "new.dat"); a failed one leaves it as it was.
//
// Write: the caller first lets the open editors commit their pending values
// and waits for the 100 ms timer. Then: the no-channel refusal, the port
// opened, the confirmation, FillImage and RecordsToImage, the handshake, the
// progress window. A write never changes the document.
//
// Radio information: no confirmation and no progress window; on success the
// record app().radioInfo is filled, the radio flags merged and "Setting.ini"
// written, then LinkUi::showRadioInfo() is called.
//
// Each returns true when the transfer started (its end is reported through
// LinkUi::transferEnded), false when it stopped before (message shown).

#include "link/LinkUi.h"

bool ReadFromRadio(LinkUi& ui);
bool WriteToRadio(LinkUi& ui);
bool ReadRadioInfo(LinkUi& ui);

class RadioLink;
// The program's link (the serial port of the "comPort" setting).
RadioLink& ProgramLink();

// True while a transfer with the radio runs.
bool TransferRunning();

// Gives the main window what it asks of the link (the running test and the
// timer stop of its resize rule). Called at start-up and by each command.
void InstallLinkHooks();
