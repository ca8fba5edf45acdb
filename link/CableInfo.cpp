#include "link/CableInfo.h"

#include "core/Language.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {
QHash<QString, bool>& echoes() {
    static QHash<QString, bool> notes;
    return notes;
}
QString& sysfsRoot() {
    static QString root;
    return root;
}
QString canonical(const QString& device) {
    const QString target = QFileInfo(device).canonicalFilePath();
    return target.isEmpty() ? device : target;
}
QString text(const char* key) {
    return LanguageText(QStringLiteral("Link"), QLatin1String(key));
}
} // namespace

void NoteCableEcho(const QString& device, bool echo) {
    echoes().insert(canonical(device), echo);
}

int CableEchoes(const QString& device) {
    const auto it = echoes().constFind(canonical(device));
    return it == echoes().constEnd() ? -1 : int(*it);
}

void SetSysfsRoot(const QString& root) {
    sysfsRoot() = root;
}

int UsbLatencyTimer(const QString& device) {
    const QString tty = QFileInfo(canonical(device)).fileName();
    if (tty.isEmpty()) return -1;
    const QString root = sysfsRoot().isEmpty() ? QStringLiteral("/sys") : sysfsRoot();
    QFile file(root + QStringLiteral("/bus/usb-serial/devices/") + tty +
               QStringLiteral("/latency_timer"));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    bool ok = false;
    const int ms = QString::fromLatin1(file.readAll()).trimmed().toInt(&ok);
    return ok ? ms : -1;
}

QString CableEchoText(const QString& device) {
    const int echo = CableEchoes(device);
    return echo < 0 ? QString() : text(echo ? "EchoingCable" : "NoEcho");
}

QString LatencyText(const QString& device) {
    const int ms = UsbLatencyTimer(device);
    return ms < 0 ? QString() : QStringLiteral("%1 ms").arg(ms);
}

QString LatencyHint(const QString& device) {
    const int ms = UsbLatencyTimer(device);
    return ms > 1 ? text("LatencyHint").arg(ms) : QString();
}
