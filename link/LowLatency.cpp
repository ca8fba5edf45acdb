#include "link/LowLatency.h"

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace {

#ifndef ASYNC_LOW_LATENCY
constexpr int kLowLatency = 1 << 13;
#else
constexpr int kLowLatency = ASYNC_LOW_LATENCY;
#endif

std::optional<int> systemGet(int fd) {
#ifdef __linux__
    serial_struct serial{};
    if (fd >= 0 && ::ioctl(fd, TIOCGSERIAL, &serial) == 0) return serial.flags;
#endif
    (void)fd;
    return std::nullopt;
}

bool systemSet(int fd, int flags) {
#ifdef __linux__
    serial_struct serial{};
    if (fd < 0 || ::ioctl(fd, TIOCGSERIAL, &serial) != 0) return false;
    serial.flags = flags;
    return ::ioctl(fd, TIOCSSERIAL, &serial) == 0;
#else
    (void)fd;
    (void)flags;
    return false;
#endif
}

SerialFlagsAccess& access() {
    static SerialFlagsAccess a;
    return a;
}

std::optional<int> getFlags(int fd) {
    return access().get ? access().get(fd) : systemGet(fd);
}

bool setFlags(int fd, int flags) {
    return access().set ? access().set(fd, flags) : systemSet(fd, flags);
}

} // namespace

void SetSerialFlagsAccess(SerialFlagsAccess a) {
    access() = std::move(a);
}

std::optional<int> RequestLowLatency(int fd) {
    const std::optional<int> flags = getFlags(fd);
    if (!flags || (*flags & kLowLatency) != 0) return std::nullopt;
    if (!setFlags(fd, *flags | kLowLatency)) return std::nullopt;
    return flags;
}

void RestoreSerialFlags(int fd, int flags) {
    setFlags(fd, flags);
}
