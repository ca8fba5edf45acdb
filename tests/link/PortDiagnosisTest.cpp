// Why a port cannot be opened, through the real serial adapter: a device that
// does not exist, one the user may not use, one another program holds; each in
// both languages.
#include "TestSupport.h"

#include "core/Language.h"
#include "link/PortDiagnosis.h"
#include "link/Ports.h"
#include "link/SerialLinkPort.h"

#include <QFile>
#include <QProcess>
#include <QSerialPort>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

QString Text(const char* key) {
    return LanguageText(QStringLiteral("Install"), QLatin1String(key));
}

QString OwnProcessName() {
    QFile comm(QStringLiteral("/proc/self/comm"));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed()
                                          : QString();
}

// A pseudo-terminal: a serial device the test owns.
struct Pty {
    Pty() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0)
            device = QString::fromLocal8Bit(ptsname(master));
    }
    ~Pty() {
        if (master >= 0) ::close(master);
    }
    int master = -1;
    QString device;
};

// While it lives, the process acts as user "nobody" without further groups (the
// test runs as root, whom no permission stops).
class AsNobody {
  public:
    AsNobody() {
        groups_.resize(static_cast<std::size_t>(getgroups(0, nullptr)));
        getgroups(static_cast<int>(groups_.size()), groups_.data());
        const passwd* pw = getpwnam("nobody");
        ok_ = pw && setgroups(0, nullptr) == 0 && setegid(pw->pw_gid) == 0 &&
              seteuid(pw->pw_uid) == 0;
    }
    ~AsNobody() {
        [[maybe_unused]] int r = seteuid(0);
        r = setegid(0);
        r = setgroups(groups_.size(), groups_.data());
    }
    bool ok() const { return ok_; }

  private:
    std::vector<gid_t> groups_;
    bool ok_ = false;
};

class PortFailure : public ProgramTest {};

TEST_F(PortFailure, EveryFailureSaysWhyInBothLanguages) {
    SetSystemPortLister([] { return QStringList{QStringLiteral("/dev/ttyUSB0")}; });
    const QString missing = path(QStringLiteral("ttyUSB7"));
    const QString forbidden = path(QStringLiteral("ttyS9"));
    QFile(forbidden).open(QIODevice::WriteOnly);
    const bool root = geteuid() == 0;
    const group* dialout = getgrnam("dialout");
    if (root) {
        // "nobody" must reach the device through the test's folder.
        ASSERT_EQ(chmod(QFile::encodeName(folder_.path()).constData(), 0755), 0);
        ASSERT_NE(dialout, nullptr);
        ASSERT_EQ(chown(QFile::encodeName(forbidden).constData(), 0, dialout->gr_gid), 0);
        ASSERT_EQ(chmod(QFile::encodeName(forbidden).constData(), 0660), 0);
    } else {
        ASSERT_EQ(chmod(QFile::encodeName(forbidden).constData(), 0), 0);
    }
    Pty held;
    ASSERT_FALSE(held.device.isEmpty());
    QSerialPort holder(held.device); // the other program: its lock names it
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    const QString holderName = QStringLiteral("%1 (PID %2)").arg(OwnProcessName()).arg(getpid());

    for (Language language : {English, Chinese}) {
        SCOPED_TRACE(language);
        SetCurrentLanguage(language);
        SerialLinkPort port;

        EXPECT_FALSE(port.open(missing));
        EXPECT_EQ(port.openFailure(),
                  Text("Missing").arg(missing, QStringLiteral("COM33 (/dev/ttyUSB0)")));

        EXPECT_FALSE(port.open(held.device));
        EXPECT_EQ(port.openFailure(), Text("BusyBy").arg(held.device, holderName));

        if (root) {
            AsNobody nobody;
            ASSERT_TRUE(nobody.ok());
            EXPECT_FALSE(port.open(forbidden));
            const QString reason = port.openFailure();
            EXPECT_EQ(reason, Text("NotInGroup").arg(forbidden, "dialout", "nobody"));
            EXPECT_TRUE(reason.contains("sudo usermod -aG dialout nobody")) << reason.toStdString();
        } else {
            EXPECT_FALSE(port.open(forbidden));
            EXPECT_EQ(port.openFailure(),
                      Text("NoAccess").arg(forbidden, QString::fromLocal8Bit(getpwuid(geteuid())->pw_name),
                                           QStringLiteral("----------")));
        }
        // Each reason is a text of its own in this language.
        for (const char* key : {"Missing", "BusyBy", "NotInGroup", "NoAccess"})
            EXPECT_TRUE(Text(key).contains(QStringLiteral("%1"))) << key;
    }
    holder.close();
    SetSystemPortLister({});
}

} // namespace

// Who holds a busy port: a lock file counts only while the process it names is
// alive, and a process found holding the device open is named unless it is this
// program itself (which holds it only for the failed open's own check).
TEST_F(PortFailure, BusyNamesALiveHolderOtherThanThisProgram) {
    const QString device = path(QStringLiteral("ttyHeld"));
    QFile(device).open(QIODevice::WriteOnly);
    QString lockFolder;
    for (const char* folder : {"/run/lock", "/var/lock"})
        if (::access(folder, W_OK) == 0) lockFolder = QString::fromLatin1(folder);
    if (lockFolder.isEmpty()) GTEST_SKIP() << "no writable lock folder";
    const QString lockPath =
        lockFolder + QStringLiteral("/LCK..") + QString(device).replace(QLatin1Char('/'), QLatin1Char('_'));

    QProcess alive; // "sleep" holding the device open as its standard input
    alive.setStandardInputFile(device);
    alive.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(alive.waitForStarted());
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 endedPid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    const QString sleeper = QStringLiteral("sleep (PID %1)").arg(alive.processId());

    struct Case {
        const char* what;
        qint64 lockPid; // 0: no lock file
        bool childRunning; // "sleep" still holds the device open
        QSerialPort::SerialPortError error;
        PortProblem problem;
        QStringList holders;
    };
    const Case cases[] = {
        {"lock of a live process", alive.processId(), true, QSerialPort::OpenError, PortProblem::Busy,
         {sleeper}},
        {"lock of an ended process", endedPid, true, QSerialPort::OpenError, PortProblem::Other, {}},
        {"open by another process", 0, true, QSerialPort::PermissionError, PortProblem::Busy, {sleeper}},
        {"open by this program only", 0, false, QSerialPort::PermissionError, PortProblem::Busy, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(lockPath);
        if (c.lockPid) {
            QFile lock(lockPath);
            ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
            lock.write(QByteArray::number(c.lockPid).rightJustified(10) + '\n');
        }
        if (!c.childRunning && alive.state() != QProcess::NotRunning) {
            alive.kill();
            alive.waitForFinished();
        }
        QFile own(device); // this program's own handle never names it
        ASSERT_TRUE(own.open(QIODevice::ReadWrite));
        const auto d = DiagnosePortFailure(device, c.error, QStringLiteral("refused"));
        EXPECT_EQ(d.problem, c.problem);
        EXPECT_EQ(d.holders, c.holders);
    }
    QFile::remove(lockPath);
}
