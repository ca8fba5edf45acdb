// The fleet window against paced simulated radios on pseudo-terminals: a radio
// with another password fails on its row while the other runs, its row restarts
// alone, and closing the window mid-transfer asks, ends every transfer and
// leaves no port open.
#include "TestSupport.h"

#include "../../link/ui/SimulatedRadio.h"
#include "core/DataFile.h"
#include "core/Language.h"
#include "core/Messages.h"
#include "exchange/CsvText.h"
#include "core/Startup.h"
#include "core/ui/FrmMain.h"
#include "fleet/FleetLog.h"
#include "fleet/ui/FrmFleet.h"
#include "link/Ports.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
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
    messages_.answer(MsgAnswer::No); // the unsaved document is written as it is
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
    EXPECT_EQ(messages_.texts(), (QStringList{MessageText(Msg::SaveModified),
                                              FleetText("StopQuestion"), FleetText("StopQuestion")}));
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
    EXPECT_EQ(item->text(), QStringLiteral("Program Several Radios..."));
    SetCurrentLanguage(Chinese);
    main.Change_Language();
    EXPECT_EQ(item->text(), QStringLiteral("批量编程..."));
}

// Before Start a changed document gets the save question; Restart takes the
// password as the window has it then; the summary line follows each run; a row
// left out of a run loses its old result; Details shows a row's full texts;
// Tab leaves the table for the next control.
TEST_F(FrmFleetTest, SaveQuestionRestartWithTheNewPasswordSummaryAndDetails) {
    AppendTestChannel(app().document, 1);
    ASSERT_TRUE(SaveDataFile(path("f.dat")));
    app().document.channels[0].txPower ^= 1; // unsaved
    const QString saved = QFileInfo(path("f.dat")).absoluteFilePath();
    std::array<SimulatedRadio, 2> radios;
    radios[0].start({});
    radios[1].start({QStringLiteral("--password"), QStringLiteral("ab12")});
    ASSERT_TRUE(UnassignPort(kTestPortNumber));
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(AssignPort(201 + i, radios[i].file(QStringLiteral("radio"))));

    QPointer<FrmFleet> window = new FrmFleet;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    auto* table = window->findChild<QTableWidget*>(QStringLiteral("FleetGrid"));
    auto* start = window->findChild<QPushButton*>(QStringLiteral("CommandStart"));
    auto* summary = window->findChild<QLabel*>(QStringLiteral("LabelSummary"));
    auto text = [&](int row, int column) { return table->item(row, column)->text(); };
    auto runToEnd = [&] {
        return QTest::qWaitFor([&] { return !window->runner().running(); }, 20000);
    };
    auto logFile = [&] {
        const QString log = QString::fromUtf8(ReadFileBytes(FleetLogPath()));
        return ParseCsv(log, u',').last().fields.value(6);
    };
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("LabelFile"))
                    ->text()
                    .endsWith(QStringLiteral("(unsaved changes)")));

    messages_.answer(MsgAnswer::Cancel);
    start->click();
    EXPECT_EQ(messages_.texts(), QStringList{MessageText(Msg::SaveModified)});
    EXPECT_FALSE(window->runner().running());
    EXPECT_TRUE(text(0, FrmFleet::Phase).isEmpty());

    messages_.answer(MsgAnswer::No);
    start->click();
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(text(0, FrmFleet::Result), FleetPhaseText(FleetPhase::Done));
    EXPECT_EQ(text(1, FrmFleet::Result), QStringLiteral("PassWord Failure!"));
    EXPECT_EQ(summary->text(), QStringLiteral("1 of 2 radios programmed."));
    EXPECT_EQ(logFile(), saved + QStringLiteral(" (unsaved changes)"));

    window->findChild<QLineEdit*>(QStringLiteral("TextPassWord"))->setText(QStringLiteral("ab12"));
    window->findChild<QPushButton*>(QStringLiteral("CommandRestart_1"))->click();
    EXPECT_TRUE(summary->text().isEmpty());
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(text(1, FrmFleet::Result), FleetPhaseText(FleetPhase::Done));
    EXPECT_EQ(summary->text(), QStringLiteral("2 of 2 radios programmed."));

    // Row 1 alone, after saving: row 0 keeps nothing of the last run.
    table->item(0, FrmFleet::Port)->setCheckState(Qt::Unchecked);
    messages_.answer(MsgAnswer::Yes);
    start->click();
    ASSERT_TRUE(runToEnd());
    for (int column : {FrmFleet::Phase, FrmFleet::Radio, FrmFleet::Backup, FrmFleet::Result})
        EXPECT_TRUE(text(0, column).isEmpty()) << column;
    EXPECT_EQ(summary->text(), QStringLiteral("1 of 1 radios programmed."));
    EXPECT_EQ(logFile(), saved);

    messages_.clear();
    table->setCurrentCell(1, FrmFleet::Adapter);
    window->findChild<QPushButton*>(QStringLiteral("CommandDetails"))->click();
    ASSERT_EQ(messages_.shown().size(), 1);
    const QString details = messages_.texts().first();
    EXPECT_TRUE(details.contains(QStringLiteral("Port: COM202"))) << details.toStdString();
    EXPECT_TRUE(details.contains(QStringLiteral("Result: OK")));
    EXPECT_TRUE(details.contains(table->item(1, FrmFleet::Backup)->toolTip()));

    table->setFocus();
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), table);
    window->close();
}

} // namespace
