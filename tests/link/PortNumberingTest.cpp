#include "TestSupport.h"

#include "core/AppState.h"
#include "core/ProfileFile.h"
#include "link/Ports.h"

#include <QFile>

namespace {

class PortNumbering : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        SetSystemPortLister([this] { return systemPorts; });
    }
    void TearDown() override {
        SetSystemPortLister(nullptr);
        ProgramTest::TearDown();
    }
    QString setting() const {
        return ProfileFile(path(QStringLiteral("language/mysetup.ini")))
            .read(QStringLiteral("language"), QStringLiteral("comPort"));
    }
    QStringList systemPorts;
};

// Numbers and devices: the three default ranges, their edges, assignments winning
// over the default mapping, and the forms a port can be given in.
TEST_F(PortNumbering, NumbersAndDevices) {
    EXPECT_EQ(PortDevice(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(PortDevice(32), QStringLiteral("/dev/ttyS31"));
    EXPECT_EQ(PortDevice(33), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(PortDevice(65), QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(PortDevice(96), QStringLiteral("/dev/ttyACM31"));
    EXPECT_EQ(PortDevice(97), QString());
    EXPECT_EQ(PortDevice(0), QString());
    EXPECT_EQ(PortNumberOfDevice(QStringLiteral("/dev/ttyUSB1")), 34);
    EXPECT_EQ(PortNumberOfDevice(QStringLiteral("/dev/ttyUSB32")), 0);
    EXPECT_EQ(PortNumberOfDevice(QStringLiteral("/dev/ttyAMA0")), 0);

    ASSERT_TRUE(AssignPort(3, QStringLiteral("/dev/serial/by-id/cable")));
    EXPECT_EQ(PortDevice(3), QStringLiteral("/dev/serial/by-id/cable"));
    EXPECT_EQ(PortNumberOfDevice(QStringLiteral("/dev/serial/by-id/cable")), 3);
    EXPECT_EQ(PortNumberOfDevice(QStringLiteral("/dev/ttyS2")), 0); // COM3 is taken
    EXPECT_EQ(ResolvePortArgument(QStringLiteral("3")), QStringLiteral("/dev/serial/by-id/cable"));
    EXPECT_EQ(ResolvePortArgument(QStringLiteral("com3")),
              QStringLiteral("/dev/serial/by-id/cable"));
    EXPECT_EQ(ResolvePortArgument(QStringLiteral("COM34")), QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(ResolvePortArgument(QStringLiteral("/dev/pts/7")), QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(ResolvePortArgument(QStringLiteral("COMx")), QString());
    EXPECT_EQ(ResolvePortArgument(QStringLiteral("0")), QString());
    ASSERT_TRUE(UnassignPort(3));
    EXPECT_EQ(PortDevice(3), QStringLiteral("/dev/ttyS2"));

    EXPECT_EQ(PortNumberOfEntry(QStringLiteral("COM10")), 10);
    EXPECT_EQ(PortNumberOfEntry(QStringLiteral("COM1234")), 123);
    EXPECT_EQ(PortNumberOfEntry(QStringLiteral("COM")), 0);
}

// The present ports: listed devices that have a number, plus assigned paths that
// exist, ascending; the start-up check replaces a missing port and writes it back.
TEST_F(PortNumbering, PresentPortsAndStartupCheck) {
    const QString pseudo = path(QStringLiteral("radio"));
    QFile(pseudo).open(QIODevice::WriteOnly);
    systemPorts = {QStringLiteral("/dev/ttyUSB1"), QStringLiteral("/dev/ttyS4"),
                   QStringLiteral("/dev/ttyAMA0")};
    ASSERT_TRUE(AssignPort(200, pseudo));
    ASSERT_TRUE(AssignPort(201, path(QStringLiteral("gone"))));
    QStringList list{QStringLiteral("stale")};
    EXPECT_EQ(FillPortList(list), 5);
    EXPECT_EQ(list, (QStringList{QStringLiteral("COM5"), QStringLiteral("COM34"),
                                 QStringLiteral("COM200")}));
    EXPECT_TRUE(PortExists(200));
    EXPECT_FALSE(PortExists(201));
    EXPECT_FALSE(PortExists(0));

    ASSERT_TRUE(WriteComPortSetting(7));
    EXPECT_EQ(CheckComPortAtStartup(), 5);
    EXPECT_EQ(app().comPort, 5);
    EXPECT_EQ(setting(), QStringLiteral("5"));

    ASSERT_TRUE(WriteComPortSetting(200));
    EXPECT_EQ(CheckComPortAtStartup(), 200);

    systemPorts.clear();
    QFile::remove(pseudo);
    EXPECT_EQ(CheckComPortAtStartup(), 0);
    EXPECT_EQ(setting(), QStringLiteral("0"));
    EXPECT_EQ(FillPortList(list), 0);
    EXPECT_TRUE(list.isEmpty());
}

} // namespace
