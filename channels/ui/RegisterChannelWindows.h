#pragma once
// Registers the channel grid, channel edit and batch windows by the names the
// menus use.
// Called once at start-up from the subsystem list (app/Subsystems.cpp).
void RegisterChannelWindows();
