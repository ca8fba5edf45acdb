// The safe write from the main window, end to end against the simulated radio on
// a pseudo-terminal: the menu check marks and their persistence, the three
// phases under one progress window, the plain write with both off, and the
// restore of a backup.
#include "../../link/ui/SimulatedRadio.h"
#include "TestSupport.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/Messages.h"
#include "core/Startup.h"
#include "core/ui/FileCommands.h"
#include "core/ui/FrmMain.h"
#include "core/ui/WindowRegistry.h"
#include "link/ImageConversion.h"
#include "link/RadioCommands.h"
#include "safewrite/Backup.h"
#include "safewrite/SafeWriteSettings.h"
#include "safewrite/SafeWriteTexts.h"
#include "safewrite/ui/SafeWriteMenus.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <memory>

namespace {

class SafeWriteUi : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        StartProgram();
        openMain();
    }
    void TearDown() override {
        SetFileDialogHandler({});
        CloseCurAllWindows();
        main_.reset();
        QApplication::processEvents();
        ProgramTest::TearDown();
    }
    void openMain() {
        main_.reset();
        main_ = std::make_unique<FrmMain>();
        InstallSafeWrite(*main_);
        FinishStartup();
        main_->show();
        QApplication::processEvents();
    }
    QAction* item(const char* name) const {
        return main_->findChild<QAction*>(QLatin1String(name));
    }
    // A radio programmed with other data than the document has.
    QString programmedRadio(SimulatedRadio& radio) {
        RadioImage m = OpenDocumentImage();
        for (int a = 0; a < 0xA50; ++a)
            m[a] = static_cast<quint8>(a & 0x7F);
        const QString file = radio.file(QStringLiteral("radio.bin"));
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(m.data()), kImageSize);
        return file;
    }
    // Runs the write command to its end; the texts of every message shown.
    QStringList write() {
        messages_.clear();
        messages_.answer(MsgAnswer::Ok); // the confirmation
        RunCommand(QStringLiteral("WriteToRadio"));
        EXPECT_TRUE(
            WaitFor([&] { return messages_.shown().size() >= 2 && !TransferRunning(); }, 30000));
        QApplication::processEvents();
        return messages_.texts();
    }
    QStringList backups() const {
        return QDir(DefaultBackupFolder()).entryList({QStringLiteral("*.dat")}, QDir::Files);
    }
    std::unique_ptr<FrmMain> main_;
};

TEST_F(SafeWriteUi, MenusPersistInBothLanguagesAndRestoreOpensABackup) {
    QAction* backup = item("mnuBackupBeforeWrite");
    QAction* verify = item("mnuVerifyAfterWrite");
    ASSERT_TRUE(backup && verify && item("mnuRestoreBackup"));
    EXPECT_TRUE(backup->isChecked());
    EXPECT_TRUE(verify->isChecked());
    EXPECT_EQ(backup->text(), QStringLiteral("Back Up Radio Before Writing"));
    backup->trigger();
    EXPECT_FALSE(backup->isChecked());

    // A restart keeps the marks; the captions follow the language.
    openMain();
    EXPECT_FALSE(item("mnuBackupBeforeWrite")->isChecked());
    EXPECT_TRUE(item("mnuVerifyAfterWrite")->isChecked());
    app().languageIndex = Chinese;
    emit main_->menu(QStringLiteral("mnuSet"))->aboutToShow();
    emit main_->menu(QStringLiteral("mnuProgram"))->aboutToShow();
    EXPECT_EQ(item("mnuBackupBeforeWrite")->text(), QStringLiteral("写入前备份对讲机"));
    EXPECT_EQ(item("mnuVerifyAfterWrite")->text(), QStringLiteral("写入后校验"));
    EXPECT_EQ(item("mnuRestoreBackup")->text(), QStringLiteral("从备份恢复..."));
    app().languageIndex = English;

    // Restore: the dialog starts in the backup folder; the backup becomes the document.
    RadioImage memory = OpenDocumentImage();
    memory[0x890] = 0x01; // channel 1 only
    const QString stored = StoreBackup(DefaultBackupFolder(), memory, app().document,
                                       QStringLiteral("VM427"), 2, QDateTime::currentDateTime());
    ASSERT_FALSE(stored.isEmpty());
    FileDialogRequest asked;
    SetFileDialogHandler([&](const FileDialogRequest& r) {
        asked = r;
        return stored;
    });
    item("mnuRestoreBackup")->trigger();
    EXPECT_TRUE(asked.startName.startsWith(DefaultBackupFolder())) << asked.startName.toStdString();
    EXPECT_EQ(asked.title, QStringLiteral("Restore from Backup"));
    EXPECT_EQ(app().document.channelCount, 1);
    EXPECT_EQ(app().documentName, QStringLiteral("new.dat")); // a Save never overwrites it
    EXPECT_TRUE(app().isNewDocument);
}

TEST_F(SafeWriteUi, WriteBacksUpWritesAndChecksUnderOneProgressWindow) {
    const QString caught = MessageText(Msg::WriteCompleted);
    {
        // A radio that keeps dropping a block: the write and its check run twice
        // more, then no success, the addresses and the backup named.
        SimulatedRadio radio;
        radio.start({QStringLiteral("--image"), programmedRadio(radio), QStringLiteral("--fault"),
                     QStringLiteral("no-store@middle")});
        ProgressWatch watch;
        const QStringList texts = write();
        ASSERT_EQ(texts.size(), 2) << texts.join(u'|').toStdString();
        EXPECT_EQ(texts[0], MessageText(Msg::WriteConfirm));
        EXPECT_TRUE(texts[1].contains(QStringLiteral("0x530"))) << texts[1].toStdString();
        ASSERT_EQ(backups().size(), 1);
        EXPECT_TRUE(texts[1].contains(backups()[0]));
        EXPECT_EQ(watch.captions, QStringList({QStringLiteral("Backing up the radio"),
                                               QStringLiteral("Write data to radio"),
                                               QStringLiteral("Verifying"),
                                               QStringLiteral("Write data to radio"),
                                               QStringLiteral("Verifying"),
                                               QStringLiteral("Write data to radio"),
                                               QStringLiteral("Verifying")}));
    }
    {
        // A sound radio: "Write Data Completed." after the check.
        SimulatedRadio radio;
        radio.start({QStringLiteral("--image"), programmedRadio(radio)});
        EXPECT_EQ(write(), QStringList({MessageText(Msg::WriteConfirm), caught}));
        EXPECT_EQ(backups().size(), 2);
    }
    {
        // Both off: today's write and its messages, no backup.
        ASSERT_TRUE(StoreSafeWriteSettings({false, false}));
        SimulatedRadio radio;
        radio.start({QStringLiteral("--image"), programmedRadio(radio)});
        ProgressWatch watch;
        EXPECT_EQ(write(), QStringList({MessageText(Msg::WriteConfirm), caught}));
        EXPECT_EQ(backups().size(), 2);
        EXPECT_EQ(watch.captions, QStringList{QStringLiteral("Write data to radio")});
    }
}

} // namespace
