#pragma once
// Registers the optional features, key assignment, scan and embedded message
// windows by the names the menus use.
// Called once at start-up from the subsystem list (app/Subsystems.cpp).
void RegisterFeatureWindows();
