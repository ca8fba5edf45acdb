#include "link/Ports.h"

#include "core/AppState.h"
#include "core/Language.h"
#include "core/ProfileFile.h"
#include "core/ProgramFolder.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>

namespace {

struct DefaultRange {
    int first;
    const char* prefix;
};
// 32 numbers each, starting at the given number.
constexpr DefaultRange kRanges[] = {{1, "/dev/ttyS"}, {33, "/dev/ttyUSB"}, {65, "/dev/ttyACM"}};
constexpr int kRangeSize = 32;

ProfileFile setupFile() {
    return ProfileFile(SetupFilePath());
}

std::function<QList<PortDetails>()>& portLister() {
    static std::function<QList<PortDetails>()> lister;
    return lister;
}

QList<PortDetails> listSystemPorts() {
    QList<PortDetails> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append({info.systemLocation(), info.description(), info.manufacturer(),
                      info.serialNumber()});
    return ports;
}

QList<PortDetails> systemPorts() {
    if (portLister()) return portLister()();
    return listSystemPorts();
}

QStringList systemDevices() {
    QStringList devices;
    for (const PortDetails& port : systemPorts())
        devices.append(port.device);
    return devices;
}

QString defaultDevice(int number) {
    for (const auto& r : kRanges)
        if (number >= r.first && number < r.first + kRangeSize)
            return QString::fromLatin1(r.prefix) + QString::number(number - r.first);
    return {};
}

int defaultNumber(const QString& device) {
    for (const auto& r : kRanges) {
        const QString prefix = QString::fromLatin1(r.prefix);
        if (!device.startsWith(prefix)) continue;
        bool ok = false;
        const int index = device.mid(prefix.size()).toInt(&ok);
        if (ok && index >= 0 && index < kRangeSize) return r.first + index;
    }
    return 0;
}

// "COM7" -> 7 for a [ports] key; 0 otherwise.
int numberOfKey(const QString& key) {
    static const QRegularExpression pattern(QStringLiteral("^COM(\\d{1,3})$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto m = pattern.match(key.trimmed());
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QString keyOf(int number) {
    return QStringLiteral("COM") + QString::number(number);
}

} // namespace

QString AssignedPortDevice(int number) {
    if (number <= 0) return {};
    return setupFile().read(QStringLiteral("ports"), keyOf(number));
}

bool AssignPort(int number, const QString& device) {
    if (number <= 0 || number > kMaxPortNumber || device.trimmed().isEmpty()) return false;
    return setupFile().write(QStringLiteral("ports"), keyOf(number), device.trimmed());
}

bool UnassignPort(int number) {
    return setupFile().remove(QStringLiteral("ports"), keyOf(number));
}

QString PortDevice(int number) {
    const QString assigned = AssignedPortDevice(number);
    return assigned.isEmpty() ? defaultDevice(number) : assigned;
}

int PortNumberOfDevice(const QString& device) {
    const ProfileFile file = setupFile();
    for (const QString& key : file.keys(QStringLiteral("ports"))) {
        const int n = numberOfKey(key);
        if (n > 0 && file.read(QStringLiteral("ports"), key) == device) return n;
    }
    const int n = defaultNumber(device);
    // A default number taken by an assignment elsewhere belongs to that assignment.
    if (n > 0 && !AssignedPortDevice(n).isEmpty()) return 0;
    return n;
}

QString ResolvePortArgument(const QString& text, QString* problem) {
    const QString t = text.trimmed();
    // The serial port takes a name without a leading "/" as one below /dev.
    if (t.contains(QLatin1Char('/'))) return QFileInfo(t).absoluteFilePath();
    int number = numberOfKey(t);
    bool ok = number > 0;
    if (!ok) number = t.toInt(&ok);
    ok = ok && number > 0 && number <= kMaxPortNumber;
    const QString device = ok ? PortDevice(number) : QString();
    if (device.isEmpty() && problem) {
        const auto install = [](const char* key) {
            return LanguageText(QStringLiteral("Install"), QLatin1String(key));
        };
        if (!ok) {
            *problem = install("NotAPort").arg(t, QString::number(kMaxPortNumber));
        } else {
            QStringList ranges;
            for (const auto& r : kRanges)
                ranges.append(QStringLiteral("COM%1-COM%2 = %3%4-%5")
                                  .arg(r.first)
                                  .arg(r.first + kRangeSize - 1)
                                  .arg(QLatin1String(r.prefix))
                                  .arg(0)
                                  .arg(kRangeSize - 1));
            *problem = install("NoDevice").arg(keyOf(number), ranges.join(QStringLiteral(", ")),
                                               SetupFilePath());
        }
    }
    return device;
}

QList<int> PresentPorts() {
    QList<int> numbers;
    for (const QString& device : systemDevices()) {
        const int n = PortNumberOfDevice(device);
        if (n > 0 && !numbers.contains(n)) numbers.append(n);
    }
    const ProfileFile file = setupFile();
    for (const QString& key : file.keys(QStringLiteral("ports"))) {
        const int n = numberOfKey(key);
        if (n <= 0 || numbers.contains(n)) continue;
        if (QFileInfo::exists(file.read(QStringLiteral("ports"), key))) numbers.append(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

int FillPortList(QStringList& list) {
    list.clear();
    const QList<int> numbers = PresentPorts();
    for (int n : numbers)
        list.append(keyOf(n));
    return numbers.isEmpty() ? 0 : numbers.first();
}

bool PortExists(int number) {
    return number > 0 && PresentPorts().contains(number);
}

int FirstPort() {
    const QList<int> numbers = PresentPorts();
    return numbers.isEmpty() ? 0 : numbers.first();
}

int PortNumberOfEntry(const QString& entry) {
    bool ok = false;
    const int n = entry.mid(3, 3).trimmed().toInt(&ok);
    return ok ? n : 0;
}

int ReadComPortSetting() {
    bool ok = false;
    const int n =
        setupFile().read(QStringLiteral("language"), QStringLiteral("comPort")).toInt(&ok);
    return ok ? n : 0;
}

bool WriteComPortSetting(int number) {
    return setupFile().write(QStringLiteral("language"), QStringLiteral("comPort"),
                             QString::number(number));
}

int CheckComPortAtStartup() {
    const int stored = ReadComPortSetting();
    int number = stored;
    if (!PortExists(number)) number = FirstPort();
    // Only a port that gave way (or a missing one) is written: a stored port
    // stays as it is, so this start never writes back what another copy chose.
    if (number != stored || stored == 0) WriteComPortSetting(number);
    app().comPort = static_cast<int16>(number);
    return number;
}

PortDetails DetailsOfPort(int number) {
    const QString device = PortDevice(number);
    for (const PortDetails& port : systemPorts())
        if (port.device == device) return port;
    return {device, {}, {}, {}};
}

void SetSystemPortLister(std::function<QStringList()> lister) {
    if (!lister) {
        portLister() = nullptr;
        return;
    }
    portLister() = [lister = std::move(lister)] {
        QList<PortDetails> ports;
        for (const QString& device : lister())
            ports.append({device, {}, {}, {}});
        return ports;
    };
}

void SetSystemPortDetailsLister(std::function<QList<PortDetails>()> lister) {
    portLister() = std::move(lister);
}
