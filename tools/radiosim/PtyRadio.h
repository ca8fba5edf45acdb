#pragma once
// The simulated radio on a pseudo-terminal: the master side is read as data
// arrives and the radio's replies are written back, at once or, when paced, at
// the moment a 9600-baud 8N2 line would have finished carrying them (both
// directions take 11 bits per byte). Timing uses a timer descriptor with
// absolute deadlines, so nothing sleeps and nothing polls. SIGTERM ends it.
//
// It can also behave like a real cable: echo every byte the program sends (a
// single-wire cable), hold every reply back for a USB adapter's latency, go dead
// for a while (a drop-out: what is sent meanwhile is lost, and the radio forgets
// a frame it got only in part), and spoil replies with noise (a stray byte
// inserted or a bit flipped), from a seeded generator so a run can be repeated.

#include "link/SimRadio.h"

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <deque>
#include <memory>
#include <random>

struct CableBehaviour {
    bool echo = false;
    int latencyMs = 0;
    int dropoutMs = 0;
    qint64 dropoutByte = -1; // the drop-out starts with this byte sent to the radio
    double noise = 0;        // chance that a reply is spoilt
    quint32 seed = 1;
};

class PtyRadio : public QObject {
  public:
    PtyRadio(SimRadio& radio, bool paced, QString savePath, const CableBehaviour& cable = {});
    ~PtyRadio() override;
    // Why the link cannot be made at this path: something is there that is not a
    // symbolic link to a pseudo-terminal (as one this simulator made). Empty when
    // it can. Nothing else the path names is ever removed.
    static QString LinkPathProblem(const QString& linkPath);
    bool start(const QString& linkPath, QString* error);
    void stop();
    const QString& devicePath() const { return device_; }
    qint64 receivedBytes() const { return received_; }

  private:
    struct Pending {
        qint64 due = 0; // nanoseconds on the monotonic clock
        QByteArray bytes;
        bool hangUp = false;
    };
    void onReadable();
    void onTimer();
    void armTimer();
    void deliver(const Pending& p);
    void hangUp();
    void saveMemory();
    QByteArray spoil(QByteArray bytes);
    bool timed() const { return paced_ || cable_.latencyMs > 0; }
    void removeLink();

    SimRadio& radio_;
    bool paced_;
    QString savePath_;
    QString link_;
    QString device_;
    int master_ = -1;
    int slave_ = -1; // held open so the master never reads a hang-up between clients
    int timerFd_ = -1;
    std::unique_ptr<QSocketNotifier> readNotifier_;
    std::unique_ptr<QSocketNotifier> timerNotifier_;
    std::unique_ptr<QSocketNotifier> signalNotifier_;
    std::deque<Pending> queue_;
    qint64 inFree_ = 0;  // when the line towards the radio is free again
    qint64 outFree_ = 0; // when the line towards the program is free again
    CableBehaviour cable_;
    std::mt19937 random_;
    qint64 received_ = 0;    // bytes the radio was sent
    qint64 deadFrom_ = -1;   // the drop-out, on the monotonic clock
    qint64 deadUntil_ = -1;
    bool revived_ = false;
};
