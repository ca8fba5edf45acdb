#pragma once
// The subsystems' part in start-up, registered once before StartProgram: the
// tone table, the port setting, the link's hooks and the batch flags as start-up
// steps, and every subsystem's windows and commands by the names the menus use.
// The program and the window tests register the same set.

void RegisterSubsystems();

class FrmMain;
// What the subsystems and capabilities add to the main window once it is built
// (the link's and the safe write's Setting menu items), for the program and the
// window tests alike.
void InstallMainWindowParts(FrmMain& main);
