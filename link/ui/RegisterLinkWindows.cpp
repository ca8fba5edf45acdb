#include "link/ui/RegisterLinkWindows.h"

#include "core/ui/WindowRegistry.h"
#include "link/ui/FrmComSet.h"
#include "link/ui/FrmEMG.h"
#include "link/ui/FrmPassWord.h"
#include "link/ui/RadioCommands.h"

// The windows and commands of this subsystem, by the names the menus use.
void RegisterLinkWindows() {
    RegisterWindow(
        QStringLiteral("FrmComSet"), [] { return new FrmComSet; }, WindowKind::Modal);
    RegisterWindow(
        QStringLiteral("FrmPassWord"), [] { return new FrmPassWord; }, WindowKind::Modal);
    RegisterWindow(
        QStringLiteral("FrmEMG"), [] { return new FrmEMG; }, WindowKind::Modal);
    RegisterCommand(QStringLiteral("ReadFromRadio"), ReadFromRadioCommand);
    RegisterCommand(QStringLiteral("WriteToRadio"), WriteToRadioCommand);
    RegisterCommand(QStringLiteral("ReadRadioInfo"), ReadRadioInfoCommand);
}
