// Two copies of the program running at once share their settings files. Each
// case lets "another program" change one setting in the file while this one is
// running, then this program changes a different setting of the same file
// through its windows (or ends): the other program's value must survive.
#include "TestSupport.h"

#include "channels/BatchEdit.h"
#include "channels/ui/FrmCHBatch.h"
#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/ProfileFile.h"
#include "core/ProgramFolder.h"
#include "core/Startup.h"
#include "core/ui/FrmMain.h"
#include "core/ui/WindowRegistry.h"
#include "safewrite/ui/SafeWriteMenus.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <functional>
#include <memory>

namespace {
QString SetupValue(const char* key) {
    return ProfileFile(SetupFilePath()).read(QStringLiteral("SafeWrite"), QLatin1String(key));
}

class TwoProgramsSettings : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        StartProgram();
        main_ = std::make_unique<FrmMain>();
        InstallSafeWrite(*main_);
        FinishStartup();
        main_->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        CloseCurAllWindows();
        main_.reset();
        QApplication::processEvents();
        ProgramTest::TearDown();
    }
    void trigger(const char* name) {
        QMenu* menu = main_->menu(QStringLiteral("mnuSet"));
        emit menu->aboutToShow(); // as the user opens the menu
        main_->findChild<QAction*>(QLatin1String(name))->trigger();
    }
    std::unique_ptr<FrmMain> main_;
};

TEST_F(TwoProgramsSettings, AChangeWritesOnlyItsOwnKey) {
    const QString settingIni = UserPath(QStringLiteral("Setting.ini"));
    const QString batchIni = UserPath(QStringLiteral("BatchFun.ini"));
    struct Case {
        const char* name;
        std::function<void()> other; // what the other program writes meanwhile
        std::function<void()> mine;  // what this program does afterwards
        std::function<void()> check;
    };
    const std::vector<Case> cases{
        {"safe-write switches",
         [] { ProfileFile(SetupFilePath()).write("SafeWrite", "BackupBeforeWrite", "0"); },
         [this] { trigger("mnuVerifyAfterWrite"); },
         [] {
             EXPECT_EQ(SetupValue("BackupBeforeWrite"), "0");
             EXPECT_EQ(SetupValue("VerifyAfterWrite"), "0");
         }},
        {"radio flags",
         [&] { WriteFileBytes(settingIni, QByteArray::fromHex("050000000000")); },
         [] {
             app().radioFlags[2] = 1; // as a read of the radio leaves them
             ShutdownProgram();
         },
         [&] { EXPECT_EQ(ReadFileBytes(settingIni).toHex(), "050000000100"); }},
        {"batch functions",
         [&] {
             QByteArray flags = ReadFileBytes(batchIni);
             flags[5] = 1;
             WriteFileBytes(batchIni, flags);
         },
         [] {
             FrmCHBatch window;
             window.show();
             window.findChild<QCheckBox*>(QStringLiteral("Check2_0"))->click(); // RX off
         },
         [&] {
             const QByteArray flags = ReadFileBytes(batchIni);
             ASSERT_EQ(flags.size(), kBatchFlagCount);
             EXPECT_EQ(flags.at(5), 1);
             EXPECT_EQ(flags.at(0), 0);
             EXPECT_EQ(flags.at(1), 1);
         }},
    };
    ASSERT_EQ(ReadFileBytes(batchIni).size(), kBatchFlagCount);
    ShutdownProgram(); // the file exists, as after any earlier run
    app().radioFlagsInFile = app().radioFlags;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.other();
        c.mine();
        c.check();
    }
    // Ending the program writes nothing this program did not change.
    WriteFileBytes(settingIni, QByteArray::fromHex("070000000100"));
    ProfileFile(SetupFilePath()).write("SafeWrite", "VerifyAfterWrite", "1");
    main_->close();
    EXPECT_EQ(ReadFileBytes(settingIni).toHex(), "070000000100");
    EXPECT_EQ(SetupValue("VerifyAfterWrite"), "1");
}
} // namespace
