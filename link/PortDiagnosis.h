#pragma once
// Why a serial port could not be opened, and what the user can do about it: the
// second line under "Cannot Open Communication Port.", in the current language.
//
// The reasons, in the order they are looked for: no port chosen; the device
// does not exist (cable unplugged; the ports present are listed); the user may
// not read and write it (the device's group, named from the device, and the
// command that adds the user, effective after logging in again); another
// program holds it (named from its lock file or from the processes that have
// it open); otherwise what the system said.

#include <QSerialPort>
#include <QString>
#include <QStringList>

enum class PortProblem { NoPortChosen, Missing, NotInGroup, GroupNotActive, NoAccess, Busy, Other };

struct PortDiagnosis {
    PortProblem problem = PortProblem::Other;
    QString device;
    QString user;       // NotInGroup, GroupNotActive, NoAccess
    QString group;      // NotInGroup, GroupNotActive: the device's group
    QString mode;       // NoAccess: "crw-rw----"
    QStringList holders; // Busy: "minicom (process 1234)", when known
    QStringList present; // Missing: "COM33 (/dev/ttyUSB0)"
    QString systemText;  // Other
};

// Looks at the device after an open failed with the given error and text.
PortDiagnosis DiagnosePortFailure(const QString& device, QSerialPort::SerialPortError error,
                                  const QString& systemText);
// The diagnosis as one sentence or two in the current language.
QString PortProblemText(const PortDiagnosis& diagnosis);
