#include "fleet/ui/RegisterFleetWindows.h"

#include "core/ui/PendingEdit.h"
#include "core/ui/WindowRegistry.h"
#include "fleet/FleetJob.h"
#include "fleet/ui/FrmFleet.h"

void RegisterFleetWindows() {
    RegisterWindow(
        QStringLiteral("FrmFleet"), [] { return new FrmFleet; }, WindowKind::Modal);
    RegisterCommand(QStringLiteral("FleetWrite"), [] {
        // What is being typed in an editor belongs to the document written.
        CommitPendingEdits();
        OpenWindow(QStringLiteral("FrmFleet"));
    });
    AddMenuItem({QStringLiteral("mnuProgram"), QStringLiteral("mnuTest"),
                 QStringLiteral("mnuFleetWrite"), [] { return FleetText("Menu"); },
                 QStringLiteral("FleetWrite")});
}
