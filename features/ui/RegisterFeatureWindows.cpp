#include "core/ui/WindowRegistry.h"

// The windows and commands of this subsystem, by the names the menus use.
void RegisterFeatureWindows() {}
