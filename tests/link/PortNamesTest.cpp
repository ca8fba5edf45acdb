// The names a port and a simulator link go by: the simulator replaces only a
// link to a pseudo-terminal, and two programs on one device by two names meet
// the same lock.
#include "CliProcess.h"

#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace {
class PortNamesTest : public ProgramTest {};

TEST_F(PortNamesTest, TheSimulatorReplacesOnlyALinkToAPseudoTerminal) {
    struct Place {
        const char* what;
        bool refused;
    };
    const Place places[] = {{"file", true}, {"folder", true}, {"link to file", true},
                            {"stale link", false}, {"nothing", false}};
    WriteFileBytes(path("precious.txt"), "keep me");
    for (const Place& p : places) {
        const QString what = QString::fromUtf8(p.what);
        const QString at = path("sim-" + QString(what).replace(u' ', u'-'));
        if (what == "file") WriteFileBytes(at, "keep me");
        if (what == "folder") QDir().mkpath(at);
        if (what == "link to file") ASSERT_EQ(::symlink(path("precious.txt").toLocal8Bit(), at.toLocal8Bit()), 0);
        if (what == "stale link") ASSERT_EQ(::symlink("/dev/pts/999999", at.toLocal8Bit()), 0);
        QProcess sim;
        sim.start(Program("zr580-radiosim"), {"--link", at});
        if (p.refused) {
            ASSERT_TRUE(sim.waitForFinished(5000)) << p.what;
            EXPECT_EQ(sim.exitCode(), 2) << p.what;
            EXPECT_TRUE(QString::fromUtf8(sim.readAllStandardError()).contains("not replaced"));
        } else {
            ASSERT_TRUE(sim.waitForReadyRead(5000)) << p.what;
            EXPECT_EQ(QFileInfo(at).symLinkTarget(), QString::fromUtf8(sim.readLine()).trimmed());
            sim.terminate();
            ASSERT_TRUE(sim.waitForFinished(5000));
            EXPECT_FALSE(QFileInfo(at).isSymLink()) << "its own link goes at exit";
        }
        EXPECT_EQ(ReadFileBytes(path("precious.txt")), "keep me") << p.what;
        if (what == "file") EXPECT_EQ(ReadFileBytes(at), "keep me");
        if (what == "folder") EXPECT_TRUE(QFileInfo(at).isDir());
        if (what == "link to file") EXPECT_TRUE(QFileInfo(at).isSymLink());
    }
}

TEST_F(PortNamesTest, TwoNamesOfOneDeviceMeetTheSameLock) {
    Sim sim(path("radio"), {"--pace"});
    ASSERT_TRUE(sim.device().startsWith("/dev/pts/"));
    QProcess byDevice, byLink;
    byDevice.start(Program("zr580-cli"), {"read", "--port", sim.device(), path("one.dat")});
    byLink.start(Program("zr580-cli"), {"read", "--port", path("radio"), path("two.dat")});
    ASSERT_TRUE(byDevice.waitForStarted() && byLink.waitForStarted());
    const qint64 devicePid = byDevice.processId();
    const qint64 linkPid = byLink.processId();
    ASSERT_TRUE(byDevice.waitForFinished(20000) && byLink.waitForFinished(20000));
    const bool deviceWon = byDevice.exitCode() == 0;
    QProcess& winner = deviceWon ? byDevice : byLink;
    QProcess& loser = deviceWon ? byLink : byDevice;
    EXPECT_EQ(winner.exitCode(), 0) << winner.readAllStandardError().toStdString();
    EXPECT_NE(loser.exitCode(), 0);
    const QString said = QString::fromUtf8(loser.readAllStandardError());
    // The holders may be named from the lock file or, found through /proc, with the
    // simulator that keeps the terminal's other side open among them.
    EXPECT_TRUE(said.contains("is in use by another program, ")) << said.toStdString();
    EXPECT_TRUE(said.contains("zr580-cli (PID " + QString::number(deviceWon ? devicePid : linkPid) +
                              u')'))
        << said.toStdString();
}
} // namespace
