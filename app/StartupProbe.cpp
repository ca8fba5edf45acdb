#include "app/StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {
// "VmRSS:     41234 kB" -> 41234, from /proc/self/status.
long statusKilobytes(const QByteArray& status, const char* key) {
    const int at = status.indexOf(key);
    if (at < 0) return -1;
    return status.mid(at + qstrlen(key)).trimmed().split(' ').value(0).toLong();
}

class Probe : public QObject {
  public:
    Probe(long long startNs, QObject* parent) : QObject(parent), startNs_(startNs) {}

    bool eventFilter(QObject* watched, QEvent* e) override {
        // The native window exists once the widget is shown; its expose events
        // come to this filter from then on.
        if (e->type() == QEvent::Show && watched->isWidgetType()) {
            if (QWindow* window = static_cast<QWidget*>(watched)->windowHandle())
                window->installEventFilter(this);
            watched->removeEventFilter(this);
            return false;
        }
        if (e->type() != QEvent::Expose || inside_ || watched->isWidgetType()) return false;
        auto* window = static_cast<QWindow*>(watched);
        if (!window->isExposed()) return false;
        // Let the window paint and flush its first frame, then measure.
        inside_ = true;
        QCoreApplication::sendEvent(watched, e);
        report();
        std::fflush(stderr);
        ::_exit(0);
    }

  private:
    void report() const {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const long long nowNs = now.tv_sec * 1000000000LL + now.tv_nsec;
        timespec cpu{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        QFile file(QStringLiteral("/proc/self/status"));
        const QByteArray status = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        std::fprintf(stderr, "startup-probe ms=%.3f cpu_ms=%.3f rss_kb=%ld hwm_kb=%ld\n",
                     double(nowNs - startNs_) / 1e6, cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6,
                     statusKilobytes(status, "VmRSS:"), statusKilobytes(status, "VmHWM:"));
    }

    long long startNs_;
    bool inside_ = false;
};
} // namespace

void InstallStartupProbe(QWidget* window) {
    const QByteArray start = qgetenv("ZR580_STARTUP_PROBE");
    if (start.isEmpty()) return;
    window->installEventFilter(new Probe(start.toLongLong(), window));
}
