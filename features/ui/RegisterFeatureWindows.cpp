#include "features/ui/RegisterFeatureWindows.h"

#include "core/ui/WindowRegistry.h"
#include "features/ui/FrmEmbMsg.h"
#include "features/ui/FrmKeyAssignm.h"
#include "features/ui/FrmOptFeatures.h"
#include "features/ui/FrmScanInfo.h"

// The windows and commands of this subsystem, by the names the menus use.
void RegisterFeatureWindows() {
    RegisterWindow(
        QStringLiteral("FrmOptFeatures"), [] { return new FrmOptFeatures; }, WindowKind::Child);
    RegisterWindow(
        QStringLiteral("FrmKeyAssignm"), [] { return new FrmKeyAssignm; }, WindowKind::Child);
    RegisterWindow(
        QStringLiteral("FrmScanInfo"), [] { return new FrmScanInfo; }, WindowKind::Child);
    RegisterWindow(
        QStringLiteral("FrmEmbMsg"), [] { return new FrmEmbMsg; }, WindowKind::Child);
}
