#pragma once
// The subsystems' part in start-up, registered once before StartProgram: the
// tone table, the port setting, the link's hooks and the batch flags as start-up
// steps, and every subsystem's windows and commands by the names the menus use.
// The program and the window tests register the same set.

void RegisterSubsystems();
