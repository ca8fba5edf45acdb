#pragma once
// The capabilities built on the subsystems (fleet, channel exchange, undo,
// compare) add their windows and menu commands here, once at start-up; the
// program and the window tests register the same set.

void RegisterCapabilities();
