#include "link/ui/LinkMenus.h"

#include "core/Language.h"
#include "core/MessageBox.h"
#include "core/ProgramFolder.h"
#include "core/ui/FrmMain.h"
#include "link/LinkSettings.h"

#include <QAction>
#include <QDir>
#include <QMenu>

void InstallLinkMenus(FrmMain& main) {
    QMenu* setting = main.menu(QStringLiteral("mnuSet"));
    if (!setting) return;
    auto* check = new QAction(setting);
    check->setObjectName(QStringLiteral("mnuCheckReads"));
    check->setCheckable(true);
    check->setChecked(LoadCheckReads());
    setting->addAction(check);
    const auto caption = [check] {
        check->setText(LanguageText(QStringLiteral("Link"), QStringLiteral("MenuCheckReads")));
    };
    caption();
    QObject::connect(setting, &QMenu::aboutToShow, check, caption);
    QObject::connect(check, &QAction::triggered, check, [](bool on) {
        if (!StoreCheckReads(on))
            ShowMessage(LanguageText(QStringLiteral("SafeWrite"), QStringLiteral("SettingFailed"))
                            .arg(QDir::toNativeSeparators(SetupFilePath())),
                        MsgButtons::Ok, MsgIcon::Error);
    });
}
