#include "core/ui/WindowRegistry.h"
#include "features/ui/FrmOptFeatures.h"

// The windows and commands of this subsystem, by the names the menus use.
void RegisterFeatureWindows() {
    RegisterWindow(
        QStringLiteral("FrmOptFeatures"), [] { return new FrmOptFeatures; }, WindowKind::Child);
}
