#include "link/PortDiagnosis.h"

#include "core/Language.h"
#include "link/Ports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const QString kSection = QStringLiteral("Install");

// The folders serial lock files are kept in ("LCK..ttyUSB0").
const char* const kLockFolders[] = {"/run/lock", "/var/lock", "/var/spool/locks", "/var/spool/uucp",
                                    "/tmp", "/var/tmp"};

QString userName() {
    if (const passwd* pw = ::getpwuid(::geteuid())) return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(::geteuid());
}

QString groupName(gid_t gid) {
    if (const group* gr = ::getgrgid(gid)) return QString::fromLocal8Bit(gr->gr_name);
    return QString::number(gid);
}

// The groups of this login (the process) and of the user as the group database
// says now (changed by usermod, effective after the next login).
bool processHasGroup(gid_t gid) {
    if (::getegid() == gid) return true;
    const int n = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(n > 0 ? n : 0));
    if (n > 0 && ::getgroups(n, groups.data()) == n)
        for (gid_t g : groups)
            if (g == gid) return true;
    return false;
}

bool userListedInGroup(gid_t gid) {
    const passwd* pw = ::getpwuid(::geteuid());
    if (!pw) return false;
    int count = 64;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    if (::getgrouplist(pw->pw_name, pw->pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<std::size_t>(count));
        if (::getgrouplist(pw->pw_name, pw->pw_gid, groups.data(), &count) < 0) return false;
    }
    for (int i = 0; i < count; ++i)
        if (groups[static_cast<std::size_t>(i)] == gid) return true;
    return false;
}

QString modeText(mode_t mode) {
    QString text = S_ISCHR(mode) ? QStringLiteral("c") : QStringLiteral("-");
    const char* letters = "rwxrwxrwx";
    for (int i = 0; i < 9; ++i)
        text += (mode & (0400 >> i)) ? QLatin1Char(letters[i]) : QLatin1Char('-');
    return text;
}

QString processName(qint64 pid) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    QString name;
    if (comm.open(QIODevice::ReadOnly)) name = QString::fromLocal8Bit(comm.readAll()).trimmed();
    return name;
}

QString holderText(qint64 pid, QString name) {
    if (name.isEmpty()) name = processName(pid);
    return name.isEmpty() ? QStringLiteral("PID %1").arg(pid)
                          : QStringLiteral("%1 (PID %2)").arg(name).arg(pid);
}

// The process named in a lock file of the device, when it is alive. Lock files
// hold the process number on their first line (padded or not); some also name
// the program on the second.
QStringList lockHolders(const QString& device) {
    QStringList names;
    for (const QString& path : {device, QFileInfo(device).canonicalFilePath()}) {
        QString base = path.startsWith(QLatin1String("/dev/")) ? path.mid(5) : path;
        base.replace(QLatin1Char('/'), QLatin1Char('_'));
        names.append(QStringLiteral("LCK..") + base);
    }
    names.removeDuplicates();
    QStringList holders;
    for (const char* folder : kLockFolders) {
        for (const QString& name : names) {
            QFile lock(QDir(QString::fromLatin1(folder)).filePath(name));
            if (!lock.open(QIODevice::ReadOnly)) continue;
            const QList<QByteArray> lines = lock.readAll().split('\n');
            bool ok = false;
            const qint64 pid = lines.value(0).trimmed().toLongLong(&ok);
            if (!ok || pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH))
                continue;
            const QString text = holderText(pid, processName(pid).isEmpty()
                                                     ? QString::fromLocal8Bit(lines.value(1).trimmed())
                                                     : QString());
            if (!holders.contains(text)) holders.append(text);
        }
    }
    return holders;
}

// Other processes that have the device open, as far as /proc lets this user see.
QStringList openHolders(const QString& device) {
    const QString target = QFileInfo(device).canonicalFilePath();
    QStringList holders;
    if (target.isEmpty()) return holders;
    const qint64 self = ::getpid();
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : pids) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok || pid == self) continue;
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QString& fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
            if (QFileInfo(fds.filePath(fd)).symLinkTarget() != target) continue;
            holders.append(holderText(pid, {}));
            break;
        }
    }
    return holders;
}

QStringList presentPorts() {
    QStringList present;
    for (int n : PresentPorts())
        present.append(QStringLiteral("COM%1 (%2)").arg(n).arg(PortDevice(n)));
    return present;
}

} // namespace

PortDiagnosis DiagnosePortFailure(const QString& device, QSerialPort::SerialPortError error,
                                  const QString& systemText) {
    PortDiagnosis d;
    d.device = device;
    d.systemText = systemText;
    if (device.trimmed().isEmpty()) {
        d.problem = PortProblem::NoPortChosen;
        return d;
    }
    const QByteArray path = QFile::encodeName(device);
    struct stat info {};
    if (::stat(path.constData(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
        d.problem = PortProblem::Missing;
        d.present = presentPorts();
        return d;
    }
    // The open used the effective user and groups, so does this check.
    if (::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES) {
        d.user = userName();
        d.group = groupName(info.st_gid);
        d.mode = modeText(info.st_mode);
        const bool groupWouldHelp = (info.st_mode & 0060) == 0060 && info.st_uid != ::geteuid();
        if (groupWouldHelp && !processHasGroup(info.st_gid))
            d.problem = userListedInGroup(info.st_gid) ? PortProblem::GroupNotActive
                                                       : PortProblem::NotInGroup;
        else
            d.problem = PortProblem::NoAccess;
        return d;
    }
    d.holders = lockHolders(device);
    // Qt reports a lock held by another program and a device opened exclusively
    // elsewhere as a permission error; the permissions themselves are fine here.
    if (!d.holders.isEmpty() || error == QSerialPort::PermissionError) {
        if (d.holders.isEmpty()) d.holders = openHolders(device);
        d.problem = PortProblem::Busy;
        return d;
    }
    d.problem = PortProblem::Other;
    return d;
}

QString PortProblemText(const PortDiagnosis& d) {
    auto text = [](const char* key) { return LanguageText(kSection, QLatin1String(key)); };
    switch (d.problem) {
    case PortProblem::NoPortChosen:
        return text("NoPortChosen");
    case PortProblem::Missing:
        return d.present.isEmpty()
                   ? text("MissingNoPorts").arg(d.device)
                   : text("Missing").arg(d.device, d.present.join(QStringLiteral(", ")));
    case PortProblem::NotInGroup:
        return text("NotInGroup").arg(d.device, d.group, d.user);
    case PortProblem::GroupNotActive:
        return text("GroupNotActive").arg(d.device, d.group, d.user);
    case PortProblem::NoAccess:
        return text("NoAccess").arg(d.device, d.user, d.mode);
    case PortProblem::Busy:
        return d.holders.isEmpty() ? text("Busy").arg(d.device)
                                   : text("BusyBy").arg(d.device, d.holders.join(QStringLiteral(", ")));
    case PortProblem::Other:
        break;
    }
    return text("Other").arg(d.device, d.systemText);
}
