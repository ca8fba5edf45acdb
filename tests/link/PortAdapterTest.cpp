// The QSerialPort adapter on a real pseudo-terminal: the receive threshold over
// bytes that arrive one by one, and a far end that hangs up.
#include "TestSupport.h"

#include "link/SerialLinkPort.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

void Spin(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until the condition holds (or two seconds passed).
bool WaitFor(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 2000)
        Spin(5);
    return condition();
}

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

TEST(PortAdapter, ThresholdAndHangUp) {
    int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const QString device = QString::fromLocal8Bit(ptsname(master));

    SerialLinkPort port;
    int notified = 0;
    int errors = 0;
    QByteArray received;
    port.onThreshold = [&] {
        ++notified;
        received = port.readAll();
    };
    port.onError = [&] { ++errors; };
    EXPECT_FALSE(port.open(QStringLiteral("/nonexistent/tty")));
    ASSERT_TRUE(port.open(device));
    ASSERT_TRUE(port.isOpen());

    port.setThreshold(5);
    for (char c : QByteArray("abcd")) {
        ASSERT_EQ(::write(master, &c, 1), 1);
        Spin(10);
    }
    EXPECT_EQ(notified, 0); // four bytes, one at a time, stay below the threshold
    ASSERT_EQ(::write(master, "ef", 2), 2);
    EXPECT_TRUE(WaitFor([&] { return notified == 1; }));
    EXPECT_EQ(received, QByteArray("abcdef"));

    port.write(QByteArray("PROGRAM"));
    QByteArray sent;
    EXPECT_TRUE(WaitFor([&] {
        char buffer[16];
        const auto n = ::read(master, buffer, sizeof buffer);
        if (n > 0) sent.append(buffer, static_cast<int>(n));
        return sent.size() >= 7;
    }));
    EXPECT_EQ(sent, QByteArray("PROGRAM"));

    // A stale byte is cleared before the next exchange.
    ASSERT_EQ(::write(master, "x", 1), 1);
    Spin(50);
    port.clear();
    port.setThreshold(1);
    ASSERT_EQ(::write(master, "\x06", 1), 1);
    EXPECT_TRUE(WaitFor([&] { return received == QByteArray("\x06"); }));
    EXPECT_EQ(notified, 2);

    // The far end hangs up: one report, the port closed, no spinning.
    ::close(master);
    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    EXPECT_TRUE(WaitFor([&] { return errors > 0; }));
    Spin(300); // a spinning port would report again and burn the processor here
    EXPECT_EQ(errors, 1);
    EXPECT_FALSE(port.isOpen());
    EXPECT_LT(CpuSeconds() - cpuBefore, 0.1 * wall.elapsed() / 1000.0 + 0.02);
}

} // namespace
