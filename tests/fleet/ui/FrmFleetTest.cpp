// The fleet window against paced simulated radios on pseudo-terminals: a radio
// with another password fails on its row while the other runs, its row restarts
// alone, and closing the window mid-transfer asks, ends every transfer and
// leaves no port open.
#include "TestSupport.h"

#include "../../link/ui/SimulatedRadio.h"
#include "core/Language.h"
#include "core/Startup.h"
#include "core/ui/FrmMain.h"
#include "fleet/FleetLog.h"
#include "fleet/ui/FrmFleet.h"
#include "link/Ports.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest/QTest>
#include <array>

namespace {

// The descriptors of this process open on the device.
int OpenDescriptors(const QString& device) {
    int n = 0;
    for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System))
        if (fd.symLinkTarget() == device) ++n;
    return n;
}

class FrmFleetTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        SetSystemPortLister([] { return QStringList(); }); // only the simulated radios
    }
    void TearDown() override {
        SetSystemPortLister({});
        ProgramTest::TearDown();
    }
};

TEST_F(FrmFleetTest, PasswordFailureRestartAndCloseMidTransfer) {
    AppendTestChannel(app().document, 1);
    std::array<SimulatedRadio, 2> radios;
    radios[0].start({QStringLiteral("--pace")});
    radios[1].start({QStringLiteral("--pace"), QStringLiteral("--password"), QStringLiteral("ab12")});
    ASSERT_TRUE(UnassignPort(kTestPortNumber)); // the port each start selected
    QStringList devices;
    for (int i = 0; i < 2; ++i) {
        const QString link = radios[i].file(QStringLiteral("radio"));
        ASSERT_TRUE(AssignPort(201 + i, link));
        devices.append(QFileInfo(link).canonicalFilePath());
    }

    QPointer<FrmFleet> window = new FrmFleet;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    auto* table = window->findChild<QTableWidget*>(QStringLiteral("FleetGrid"));
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(1, FrmFleet::Port)->text(), QStringLiteral("COM202"));
    window->findChild<QPushButton*>(QStringLiteral("CommandStart"))->click();

    const QString failure = QStringLiteral("PassWord Failure!");
    auto result = [&](int row) { return table->item(row, FrmFleet::Result)->text(); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return result(1) == failure; }, 5000));
    auto* restart = window->findChild<QPushButton*>(QStringLiteral("CommandRestart_1"));
    ASSERT_TRUE(restart->isEnabled());
    restart->click();
    EXPECT_TRUE(result(1).isEmpty()); // running again
    ASSERT_TRUE(QTest::qWaitFor([&] { return result(1) == failure; }, 5000));
    EXPECT_EQ(table->item(0, FrmFleet::Phase)->text(), FleetPhaseText(FleetPhase::Backup));
    EXPECT_EQ(OpenDescriptors(devices[0]), 1);

    // Cancel keeps the window and its transfer; OK ends it.
    messages_.answer(MsgAnswer::Cancel);
    window->close();
    QTest::qWait(50);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->runner().running());
    messages_.answer(MsgAnswer::Ok);
    window->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 2000));
    EXPECT_EQ(messages_.texts(), (QStringList{FleetText("StopQuestion"), FleetText("StopQuestion")}));
    for (const QString& device : devices)
        EXPECT_EQ(OpenDescriptors(device), 0) << device.toStdString();

    QFile log(FleetLogPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_EQ(text.count(QStringLiteral(",FAILED,PassWord Failure!\n")), 2) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral(",FAILED,") + FleetText("Stopped") + u'\n'), 1);
}

// The Program menu offers the window after "Write to Radio", in both languages.
TEST_F(FrmFleetTest, ProgramMenuItem) {
    StartProgram();
    FrmMain main;
    FinishStartup();
    QAction* item = main.menuAction(QStringLiteral("mnuFleetWrite"));
    ASSERT_TRUE(item);
    const QList<QAction*> actions = main.menu(QStringLiteral("mnuProgram"))->actions();
    EXPECT_EQ(actions.indexOf(item), actions.indexOf(main.menuAction("mnuWriteToRadio")) + 1);
    EXPECT_EQ(item->text(), QStringLiteral("Program &Several Radios..."));
    SetCurrentLanguage(Chinese);
    main.Change_Language();
    EXPECT_EQ(item->text(), QStringLiteral("批量编程(&S)..."));
}

} // namespace
