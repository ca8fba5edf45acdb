#include "safewrite/ui/SafeWriteMenus.h"

#include "core/Ansi.h"
#include "core/AppState.h"
#include "core/MessageBox.h"
#include "core/Messages.h"
#include "core/ProgramFolder.h"
#include "core/DataFile.h"
#include "core/ui/ChildPlacement.h"
#include "core/ui/FileCommands.h"
#include "core/ui/FrmMain.h"
#include "core/ui/MainWindowApi.h"
#include "core/ui/WindowRegistry.h"
#include "link/ImageConversion.h"
#include "link/RadioCommands.h"
#include "link/ui/GuiLinkUi.h"
#include "link/ui/RadioCommands.h"
#include "safewrite/Backup.h"
#include "safewrite/SafeWrite.h"
#include "safewrite/SafeWriteSettings.h"
#include "safewrite/SafeWriteTexts.h"
#include "safewrite/ui/FrmRestore.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>
#include <QCoreApplication>
#include <QFile>
#include <algorithm>

namespace {

struct Item {
    const char* name;
    const char* textKey;
};
constexpr Item kBackupItem{"mnuBackupBeforeWrite", "MenuBackup"};
constexpr Item kVerifyItem{"mnuVerifyAfterWrite", "MenuVerify"};
constexpr Item kRestoreItem{"mnuRestoreBackup", "MenuRestore"};

SafeWrite& programSequence() {
    static SafeWrite sequence(ProgramLink());
    return sequence;
}

void writeBackup(const QString& dataPath, bool afterFailedWrite);

// The desktop's transfer windows; after a write whose check found differences,
// the offer to write the backup taken before it back to the radio.
class SafeWriteUi : public GuiLinkUi {
  public:
    void transferEnded(LinkOperation operation, bool success) override {
        GuiLinkUi::transferEnded(operation, success);
        const SafeWriteResult& result = programSequence().result();
        const bool wasRestore = restoring;
        restoring = false;
        if (success || wasRestore || result.difference.same() || result.backupPath.isEmpty())
            return;
        const QString backup = result.backupPath;
        // Asked once the sequence has ended.
        QTimer::singleShot(0, qApp, [backup] {
            if (ShowMessage(SafeWriteText("RestoreOffer"), MsgButtons::YesNo, MsgIcon::Question) ==
                MsgAnswer::Yes)
                writeBackup(backup, true);
        });
    }
    // A backup is being written back: its own failure offers nothing more, as the
    // backup it took holds what the failed write left.
    bool restoring = false;
};

SafeWriteUi& safeWriteUi() {
    static SafeWriteUi ui;
    return ui;
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

namespace {
// The safe write of `image` made from `document`, under the program's progress window.
void startSequence(const RadioImage& image, const DocumentRecord& document,
                   const SafeWriteSettings& settings, bool restoring) {
    SafeWriteUi& ui = safeWriteUi();
    SafeWrite& sequence = programSequence();
    sequence.onPhase = [&ui](SafeWritePhase phase) { ui.setProgressCaption(phaseCaption(phase)); };
    SafeWriteOptions options;
    options.backup = settings.backup;
    options.verify = settings.verify;
    ui.restoring = restoring;
    if (!sequence.start(ui, image, document, options)) ui.restoring = false;
}

// A restore always backs the radio up first and checks what it wrote.
constexpr SafeWriteSettings kRestoreSettings{true, true};

// Writes the memory kept in a backup, byte for byte, into the radio; the open
// document stays. After a failed write nothing more is offered when this fails.
void writeBackup(const QString& dataPath, bool afterFailedWrite) {
    if (TransferRunning()) return;
    DocumentRecord record = app().document;
    SideValues side = app().sideValues;
    if (!ReadDataFile(dataPath, &record, &side)) return;
    RadioImage image{};
    QFile raw(dataPath.chopped(3) + QStringLiteral("bin"));
    if (raw.open(QIODevice::ReadOnly) && raw.size() == kImageSize) {
        const QByteArray bytes = raw.readAll();
        std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(image.data()));
    } else {
        image.fill(0xFF);
        DocumentToImage(record, side, FromAnsi(record.model.modelName.trimmedValue()).trimmed(),
                        record.model.bandIndex, image);
    }
    startSequence(image, record, kRestoreSettings, afterFailedWrite);
}

} // namespace

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
    startSequence(OpenDocumentImage(), app().document, settings, false);
}

void RestoreFromBackup() {
    if (TransferRunning()) return;
    // Backups an earlier version kept with the settings are listed until moved.
    auto* window = new FrmRestore(BackupFolders(), DialogParent());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    FitIntoRoom(window);
    window->show();
}

void RestoreBackup(const QString& dataPath, bool writeNow) {
    if (TransferRunning() || !FileOpenPath(dataPath)) return;
    // The restored backup is untitled, as the read it was taken by makes a
    // document: a Save asks for a name instead of overwriting the backup.
    app().documentName = QStringLiteral("new.dat");
    app().isNewDocument = true;
    RefreshMainTitle();
    if (!writeNow) return;
    if (app().document.channelCount <= 0) {
        safeWriteUi().showMessage(MessageText(Msg::NeedOneChannel), MsgIcon::None);
        return;
    }
    writeBackup(dataPath, false);
}
