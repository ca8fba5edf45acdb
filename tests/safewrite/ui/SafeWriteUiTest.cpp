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
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
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

TEST_F(SafeWriteUi, MenusPersistInBothLanguages) {
    QAction* backup = item("mnuBackupBeforeWrite");
    QAction* verify = item("mnuVerifyAfterWrite");
    ASSERT_TRUE(backup && verify && item("mnuRestoreBackup"));
    EXPECT_TRUE(backup->isChecked());
    EXPECT_TRUE(verify->isChecked());
    EXPECT_EQ(backup->text(), QStringLiteral("&Back Up Radio Before Writing"));
    backup->trigger();
    EXPECT_FALSE(backup->isChecked());

    // A restart keeps the marks; the captions follow the language.
    openMain();
    EXPECT_FALSE(item("mnuBackupBeforeWrite")->isChecked());
    EXPECT_TRUE(item("mnuVerifyAfterWrite")->isChecked());
    app().languageIndex = Chinese;
    emit main_->menu(QStringLiteral("mnuSet"))->aboutToShow();
    emit main_->menu(QStringLiteral("mnuProgram"))->aboutToShow();
    EXPECT_EQ(item("mnuBackupBeforeWrite")->text(), QStringLiteral("写入前备份对讲机(&B)"));
    EXPECT_EQ(item("mnuVerifyAfterWrite")->text(), QStringLiteral("写入后校验(&V)"));
    EXPECT_EQ(item("mnuRestoreBackup")->text(), QStringLiteral("从备份恢复(&B)..."));
    app().languageIndex = English;
}

// The restore window lists each backup with the radio it came from, newest
// first; Restore asks whether to write it now or only open it. Opened, the backup
// is the untitled document; written, the radio holds it afterwards, its memory
// from before was backed up first and the write was checked.
TEST_F(SafeWriteUi, RestoreListsBackupsAndOpensOrWritesTheChosenOne) {
    RadioImage memory = OpenDocumentImage();
    memory[0x890] = 0x01; // channel 1 only
    const QByteArray serial = "4711-A", dealer = "D042";
    std::copy(serial.begin(), serial.end(), memory.begin() + 2704);
    std::copy(dealer.begin(), dealer.end(), memory.begin() + 2768);
    const QDateTime taken(QDate(2026, 12, 8), QTime(15, 30, 12));
    const QString stored =
        StoreBackup(DefaultBackupFolder(), memory, app().document, QStringLiteral("VM427"), 2, taken);
    EXPECT_TRUE(stored.endsWith(QStringLiteral("2026-12-08_153012_VM427_band2_SN4711-A.dat")))
        << stored.toStdString();
    // An older backup without its description: told from its name and image.
    const QString older = StoreBackup(DefaultBackupFolder(), OpenDocumentImage(), app().document,
                                      QStringLiteral("VM427"), 2, taken.addDays(-1));
    ASSERT_TRUE(QFile::remove(older.chopped(3) + QStringLiteral("ini")));

    const auto open = [this]() -> QTableWidget* {
        item("mnuRestoreBackup")->trigger();
        QWidget* window = FindOpenWindow(QStringLiteral("FrmRestore"));
        return window ? window->findChild<QTableWidget*>(QStringLiteral("GridBackups")) : nullptr;
    };
    QTableWidget* grid = open();
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->rowCount(), 2);
    QStringList cells, headings;
    for (int c = 0; c < grid->columnCount(); ++c) {
        cells << grid->item(0, c)->text();
        headings << grid->horizontalHeaderItem(c)->text();
    }
    EXPECT_EQ(headings, QStringList({"Taken", "Model", "Band", "Serial Number", "Dealer Code",
                                     "File"}));
    EXPECT_EQ(cells, QStringList({"2026-12-08 15:30:12", "VM427", "400 - 480 MHz", "4711-A",
                                  "D042", QFileInfo(stored).fileName()}));
    EXPECT_EQ(grid->item(1, 0)->text(), "2026-12-07 15:30:12");
    EXPECT_EQ(grid->item(1, 1)->text(), "VM427");
    for (int c = 0; c < grid->columnCount() - 1; ++c) // every column wide enough to read
        EXPECT_GE(grid->columnWidth(c), grid->fontMetrics().horizontalAdvance(cells[c]))
            << headings[c].toStdString();

    // Only opened: the backup becomes the untitled document, nothing is written.
    messages_.answer(MsgAnswer::No);
    grid->window()->findChild<QPushButton*>(QStringLiteral("CommandRestore"))->click();
    QApplication::processEvents();
    ASSERT_EQ(messages_.shown().size(), 1);
    EXPECT_TRUE(messages_.texts()[0].contains(SafeWriteText("RestoreYes")));
    EXPECT_EQ(app().document.channelCount, 1);
    EXPECT_EQ(app().documentName, QStringLiteral("new.dat")); // a Save never overwrites it
    EXPECT_TRUE(app().isNewDocument);
    EXPECT_FALSE(FindOpenWindow(QStringLiteral("FrmRestore")));

    // Written now: a radio with other data ends with the backup's memory.
    SimulatedRadio radio;
    const QString saved = radio.file(QStringLiteral("saved.bin"));
    radio.start({QStringLiteral("--image"), programmedRadio(radio), QStringLiteral("--save"), saved});
    const QByteArray present = ReadFileBytes(radio.file(QStringLiteral("radio.bin")));
    app().document.channelCount = 0; // changed again, then left unsaved
    messages_.clear();
    grid = open();
    ASSERT_TRUE(grid);
    grid->setCurrentCell(0, 0);
    messages_.answer(MsgAnswer::Yes); // write it now
    messages_.answer(MsgAnswer::No);  // and do not save the changed document
    grid->window()->findChild<QPushButton*>(QStringLiteral("CommandRestore"))->click();
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(saved) && !TransferRunning(); }, 30000))
        << messages_.texts().join(u'|').toStdString();
    QApplication::processEvents();
    const QStringList texts = messages_.texts();
    ASSERT_EQ(texts.size(), 3) << texts.join(u'|').toStdString();
    EXPECT_EQ(texts[1], MessageText(Msg::SaveModified));
    EXPECT_TRUE(texts.last().startsWith(MessageText(Msg::WriteCompleted))) << texts.last().toStdString();
    EXPECT_TRUE(texts.last().contains(SafeWriteText("Checked")));
    const QByteArray written = ReadFileBytes(saved);
    const QByteArray kept(reinterpret_cast<const char*>(memory.data()), kImageSize);
    EXPECT_TRUE(written.left(0xA50) == kept.left(0xA50));
    // The radio's memory from before the restore is itself a backup now.
    QStringList images = QDir(DefaultBackupFolder()).entryList({QStringLiteral("*.bin")});
    ASSERT_EQ(images.size(), 3);
    bool presentKept = false;
    for (const QString& name : images)
        presentKept |= ReadFileBytes(QDir(DefaultBackupFolder()).filePath(name)).left(0xA50) ==
                       present.left(0xA50);
    EXPECT_TRUE(presentKept);
}

TEST_F(SafeWriteUi, WriteBacksUpWritesAndChecksUnderOneProgressWindow) {
    const QString caught = MessageText(Msg::WriteCompleted);
    {
        // A radio that keeps dropping the block of channel 1: the write and its
        // check run twice more, then no success, the addresses, the channel's
        // fields and the backup named.
        SimulatedRadio radio;
        radio.start({QStringLiteral("--image"), programmedRadio(radio), QStringLiteral("--fault"),
                     QStringLiteral("no-store@0x010")});
        ProgressWatch watch;
        const QStringList texts = write();
        ASSERT_EQ(texts.size(), 3) << texts.join(u'|').toStdString();
        EXPECT_EQ(texts[0], MessageText(Msg::WriteConfirm));
        EXPECT_TRUE(texts[1].contains(QStringLiteral("0x010"))) << texts[1].toStdString();
        // Named in the windows' words as well, then the backup is offered back.
        EXPECT_TRUE(texts[1].contains(SafeWriteText("DifferencesNamed")));
        EXPECT_TRUE(texts[1].contains(QStringLiteral("Group 1 CH 1 (channel 1) RX Frequency: written ")))
            << texts[1].toStdString();
        EXPECT_EQ(texts[2], SafeWriteText("RestoreOffer"));
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
        const QStringList texts = write();
        EXPECT_EQ(backups().size(), 2);
        const QString backup = QDir::toNativeSeparators(
            QDir(DefaultBackupFolder()).filePath(backups().last()));
        ASSERT_EQ(texts.size(), 2) << texts.join(u'|').toStdString();
        EXPECT_EQ(texts[1], caught + u'\n' + SafeWriteText("BackedUpTo").arg(backup) + u'\n' +
                                SafeWriteText("Checked"));
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
