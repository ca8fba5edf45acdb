#pragma once
// Serial ports by number, as the user sees them ("COM" + number), and the
// "comPort" setting of the settings file mysetup.ini (SetupFilePath()).
//
// A number maps to a device: COM1-COM32 are /dev/ttyS0-31, COM33-COM64
// /dev/ttyUSB0-31, COM65-COM96 /dev/ttyACM0-31. Section [ports] of
// mysetup.ini may assign any number to any device path ("COM7=/dev/pts/3");
// an assignment wins over the default mapping. The present ports are the
// serial devices the system lists, mapped to numbers, plus assigned paths that
// exist, in ascending number order.

#include <QString>
#include <QStringList>
#include <functional>

constexpr int kMaxPortNumber = 999; // the list entry holds at most three digits

// The device of a port number (assignment first, then the default mapping);
// empty for a number outside both.
QString PortDevice(int number);
// The number of a device path (assigned or by default mapping); 0 when it has none.
int PortNumberOfDevice(const QString& device);
// A port given as a number ("3"), as "COM3" or as a device path ("/dev/ttyUSB0",
// or "sim/r1" from the current folder). Returns the device path (absolute for a
// path); empty when the text names no port, and then `problem` (when given) says
// why in the current language: no port at all, or a number with no device,
// with the numbers that have one and how to assign one.
QString ResolvePortArgument(const QString& text, QString* problem = nullptr);

// The [ports] assignments.
QString AssignedPortDevice(int number);
bool AssignPort(int number, const QString& device);
bool UnassignPort(int number);

// Present port numbers, ascending.
QList<int> PresentPorts();
// Clears the list and adds "COM" + number for every present port; returns the
// number of the first, 0 when there is none.
int FillPortList(QStringList& list);
bool PortExists(int number);
int FirstPort();
// The number in a list entry: the text from its fourth character, at most three
// characters, trimmed; 0 when that is not a number.
int PortNumberOfEntry(const QString& entry);

// "comPort" of mysetup.ini (section "language"); 0 when missing or not a number.
int ReadComPortSetting();
bool WriteComPortSetting(int number);
// Start-up: the stored number, replaced by FirstPort() when that port is not
// present; written when it changed, and kept in app().comPort. Returns the number.
int CheckComPortAtStartup();

// What the system tells of a port's device, to tell two adapters apart.
struct PortDetails {
    QString device;
    QString description;
    QString manufacturer;
    QString serialNumber;
};
// The details of a port number: its device, and what the system lists of it
// (nothing more for a device the system does not list, e.g. a pseudo-terminal).
PortDetails DetailsOfPort(int number);

// Tests replace the system's serial device list (device paths, or devices with
// their details); an empty function restores the system's own.
void SetSystemPortLister(std::function<QStringList()> lister);
void SetSystemPortDetailsLister(std::function<QList<PortDetails>()> lister);
