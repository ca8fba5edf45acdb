#include "safewrite/ui/SafeWriteMenus.h"

#include "core/AppState.h"
#include "core/MessageBox.h"
#include "core/Messages.h"
#include "core/ProgramFolder.h"
#include "core/ui/FileCommands.h"
#include "core/ui/FrmMain.h"
#include "core/ui/MainWindowApi.h"
#include "link/ImageConversion.h"
#include "link/RadioCommands.h"
#include "link/ui/GuiLinkUi.h"
#include "link/ui/RadioCommands.h"
#include "safewrite/Backup.h"
#include "safewrite/SafeWrite.h"
#include "safewrite/SafeWriteSettings.h"
#include "safewrite/SafeWriteTexts.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

struct Item {
    const char* name;
    const char* textKey;
};
constexpr Item kBackupItem{"mnuBackupBeforeWrite", "MenuBackup"};
constexpr Item kVerifyItem{"mnuVerifyAfterWrite", "MenuVerify"};
constexpr Item kRestoreItem{"mnuRestoreBackup", "MenuRestore"};

GuiLinkUi& safeWriteUi() {
    static GuiLinkUi ui;
    return ui;
}

SafeWrite& programSequence() {
    static SafeWrite sequence(ProgramLink());
    return sequence;
}

QString phaseCaption(SafeWritePhase phase) {
    switch (phase) {
    case SafeWritePhase::Backup:
        return SafeWriteText("BackingUp");
    case SafeWritePhase::Verify:
        return SafeWriteText("Verifying");
    case SafeWritePhase::Write:
        break;
    }
    return {}; // the write's own caption
}

QAction* addItem(QMenu* menu, QAction* before, const Item& item, bool checkable) {
    auto* action = new QAction(menu);
    action->setObjectName(QLatin1String(item.name));
    action->setCheckable(checkable);
    menu->insertAction(before, action);
    return action;
}

// The captions follow the language each time a menu opens.
void captionOnShow(QMenu* menu, QAction* action, const Item& item) {
    const auto caption = [action, key = item.textKey] { action->setText(SafeWriteText(key)); };
    caption();
    QObject::connect(menu, &QMenu::aboutToShow, action, caption);
}

// A toggled item writes its own key only: another running program may have
// changed the other one since this menu was shown.
void storeCheck(SafeWriteSwitch which, bool on) {
    if (!StoreSafeWriteSetting(which, on))
        ShowMessage(SafeWriteText("SettingFailed").arg(QDir::toNativeSeparators(SetupFilePath())),
                    MsgButtons::Ok, MsgIcon::Error);
}

} // namespace

void InstallSafeWrite(FrmMain& main) {
    QMenu* setting = main.menu(QStringLiteral("mnuSet"));
    QMenu* program = main.menu(QStringLiteral("mnuProgram"));
    if (!setting || !program) return;

    setting->addSeparator();
    QAction* backup = addItem(setting, nullptr, kBackupItem, true);
    QAction* verify = addItem(setting, nullptr, kVerifyItem, true);
    // The checks show the file as it is each time the menu opens.
    const auto showSettings = [backup, verify] {
        const SafeWriteSettings settings = LoadSafeWriteSettings();
        backup->setChecked(settings.backup);
        verify->setChecked(settings.verify);
    };
    showSettings();
    QObject::connect(setting, &QMenu::aboutToShow, backup, showSettings);
    QObject::connect(backup, &QAction::triggered, backup,
                     [](bool on) { storeCheck(SafeWriteSwitch::Backup, on); });
    QObject::connect(verify, &QAction::triggered, verify,
                     [](bool on) { storeCheck(SafeWriteSwitch::Verify, on); });
    captionOnShow(setting, backup, kBackupItem);
    captionOnShow(setting, verify, kVerifyItem);

    QAction* restore =
        addItem(program, main.menuAction(QStringLiteral("mnuProgramBar0")), kRestoreItem, false);
    QObject::connect(restore, &QAction::triggered, restore, RestoreFromBackup);
    captionOnShow(program, restore, kRestoreItem);

    SetWriteToRadioStart(StartSafeWrite);
}

void StartSafeWrite() {
    const SafeWriteSettings settings = LoadSafeWriteSettings();
    GuiLinkUi& ui = safeWriteUi();
    if (!settings.any()) {
        WriteToRadio(ProgramLinkUi());
        return;
    }
    if (TransferRunning()) return;
    if (app().document.channelCount <= 0) {
        ui.showMessage(MessageText(Msg::NeedOneChannel), MsgIcon::None);
        return;
    }
    if (!ui.confirm(MessageText(Msg::WriteConfirm))) return;
    SafeWrite& sequence = programSequence();
    sequence.onPhase = [&ui](SafeWritePhase phase) { ui.setProgressCaption(phaseCaption(phase)); };
    SafeWriteOptions options;
    options.backup = settings.backup;
    options.verify = settings.verify;
    sequence.start(ui, OpenDocumentImage(), app().document, options);
}

void RestoreFromBackup() {
    // The dialog opens in the backup folder, even before the first backup, and
    // offers the folder of earlier versions while backups are left there.
    const QStringList folders = BackupFolders();
    QDir().mkpath(folders.constFirst());
    const QString before = app().documentName;
    FileOpen(folders.constFirst() + QLatin1Char('/'), SafeWriteText("RestoreTitle"),
             folders.mid(1));
    // The restored backup is untitled, as the read it was taken by makes a
    // document: a Save asks for a name instead of overwriting the backup.
    const auto inBackupFolder = [&folders](const QString& path) {
        for (const QString& folder : folders)
            if (QFileInfo(path).absolutePath() == QFileInfo(folder).absoluteFilePath()) return true;
        return false;
    };
    if (app().documentName != before && !app().isNewDocument &&
        inBackupFolder(app().documentName)) {
        app().documentName = QStringLiteral("new.dat");
        app().isNewDocument = true;
        RefreshMainTitle();
    }
}
