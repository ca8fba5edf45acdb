#pragma once
// The fleet window and its command "FleetWrite", and the Program menu item
// "Program Several Radios..." that runs it. Called once at start-up, after
// RegisterSubsystems() and before the main window is built.
void RegisterFleetWindows();
