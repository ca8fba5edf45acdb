#pragma once
// Registers the link's windows (COM port, password, radio information) and its
// commands ReadFromRadio, WriteToRadio, ReadRadioInfo by the names the menus use.
// Called once at start-up from the subsystem list (app/Subsystems.cpp).
void RegisterLinkWindows();
