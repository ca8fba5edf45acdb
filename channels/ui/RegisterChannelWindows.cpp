#include "channels/ui/RegisterChannelWindows.h"

#include "channels/ui/FrmCHBatch.h"
#include "channels/ui/FrmCHInfoEdit.h"
#include "channels/ui/FrmCommChInfo.h"
#include "core/ui/WindowRegistry.h"

// The windows and commands of this subsystem, by the names the menus use.
void RegisterChannelWindows() {
    RegisterWindow(
        QStringLiteral("frmCommChInfo"), [] { return new FrmCommChInfo; }, WindowKind::Child);
    RegisterWindow(
        QStringLiteral("FrmCHInfoEdit"), [] { return new FrmCHInfoEdit; }, WindowKind::Child);
    RegisterWindow(
        QStringLiteral("FrmCHBatch"), [] { return new FrmCHBatch; }, WindowKind::Modal);
}
