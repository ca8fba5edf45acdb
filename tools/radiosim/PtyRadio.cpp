#include "tools/radiosim/PtyRadio.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <termios.h>
#include <unistd.h>

namespace {

// One byte on a 9600-baud line with 8 data bits, no parity and 2 stop bits.
constexpr qint64 kByteNs = 11 * 1000000000LL / 9600;

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &c, 1);
}

qint64 nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

} // namespace

PtyRadio::PtyRadio(SimRadio& radio, bool paced, QString savePath, const CableBehaviour& cable)
    : radio_(radio), paced_(paced), savePath_(std::move(savePath)), cable_(cable),
      random_(cable.seed) {
    radio_.onWriteCompleted = [this] { saveMemory(); };
}

PtyRadio::~PtyRadio() {
    stop();
}

QString PtyRadio::LinkPathProblem(const QString& linkPath) {
    const QFileInfo info(linkPath);
    if (!info.exists() && !info.isSymLink()) return {};
    if (info.isSymLink() && info.symLinkTarget().startsWith(QLatin1String("/dev/pts/"))) return {};
    return QStringLiteral("%1 exists and is not a link to a pseudo-terminal: not replaced")
        .arg(linkPath);
}

bool PtyRadio::start(const QString& linkPath, QString* error) {
    if (const QString problem = LinkPathProblem(linkPath); !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    // Paced replies leave at their deadline, not up to 50 us later.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        *error = QStringLiteral("cannot open a pseudo-terminal");
        return false;
    }
    device_ = QString::fromLocal8Bit(ptsname(master_));
    slave_ = ::open(device_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (slave_ >= 0) {
        termios t{};
        if (tcgetattr(slave_, &t) == 0) {
            cfmakeraw(&t);
            tcsetattr(slave_, TCSANOW, &t);
        }
    }
    link_ = linkPath;
    QFile::remove(link_); // a link left by an earlier run (checked above)
    if (::symlink(device_.toLocal8Bit().constData(), link_.toLocal8Bit().constData()) != 0) {
        *error = QStringLiteral("cannot create the link %1").arg(link_);
        link_.clear();
        return false;
    }

    readNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    QObject::connect(readNotifier_.get(), &QSocketNotifier::activated, this,
                     [this] { onReadable(); });

    timerFd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    timerNotifier_ = std::make_unique<QSocketNotifier>(timerFd_, QSocketNotifier::Read);
    QObject::connect(timerNotifier_.get(), &QSocketNotifier::activated, this,
                     [this] { onTimer(); });

    if (::pipe(signalPipe) == 0) {
        struct sigaction sa {};
        sa.sa_handler = onSignal;
        sigemptyset(&sa.sa_mask);
        sigaction(SIGTERM, &sa, nullptr);
        sigaction(SIGINT, &sa, nullptr);
        signalNotifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
        QObject::connect(signalNotifier_.get(), &QSocketNotifier::activated, this,
                         [] { QCoreApplication::quit(); });
    }
    return true;
}

void PtyRadio::stop() {
    readNotifier_.reset();
    timerNotifier_.reset();
    signalNotifier_.reset();
    removeLink();
    if (timerFd_ >= 0) ::close(timerFd_);
    timerFd_ = -1;
    if (slave_ >= 0) ::close(slave_);
    slave_ = -1;
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

void PtyRadio::onReadable() {
    char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) {
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
        // Nobody holds the terminal (should not happen while the slave is held): wait.
        return;
    }
    const qint64 now = nowNs();
    QByteArray bytes(buffer, static_cast<int>(n));
    // A drop-out: from its first byte on, nothing gets through until it is over;
    // then the radio forgets the frame it got only in part.
    if (cable_.dropoutByte >= 0 && deadFrom_ < 0 && received_ + n > cable_.dropoutByte) {
        bytes.truncate(static_cast<int>(cable_.dropoutByte - received_));
        deadFrom_ = now;
        deadUntil_ = now + qint64(cable_.dropoutMs) * 1000000;
    } else if (deadFrom_ >= 0 && now < deadUntil_) {
        bytes.clear();
    } else if (deadFrom_ >= 0 && !revived_) {
        revived_ = true;
        radio_.dropPartialFrame();
    }
    received_ += n;
    const qint64 latency = qint64(cable_.latencyMs) * 1000000;
    const qint64 arrived = std::max(now, inFree_) + bytes.size() * kByteNs;
    if (cable_.echo && !bytes.isEmpty()) {
        Pending echo;
        echo.bytes = bytes;
        echo.due = (paced_ ? arrived : now) + latency;
        queue_.push_back(echo);
    }
    for (const SimReply& reply : radio_.feed(bytes)) {
        Pending p;
        p.bytes = spoil(reply.bytes);
        p.hangUp = reply.hangUp;
        if (paced_) {
            const qint64 received = std::max(now, inFree_) + reply.frameLength * kByteNs;
            inFree_ = received;
            const qint64 sent = std::max(received, outFree_) + reply.bytes.size() * kByteNs;
            outFree_ = sent;
            p.due = reply.hangUp ? received : sent;
        } else {
            p.due = now;
        }
        if (!reply.hangUp) p.due += latency;
        queue_.push_back(p);
    }
    if (!timed()) {
        while (!queue_.empty() && master_ >= 0) {
            const Pending p = queue_.front();
            queue_.pop_front();
            deliver(p);
        }
        return;
    }
    armTimer();
}

// Noise on the line: now and then a stray byte inside a reply, or a bit flipped.
QByteArray PtyRadio::spoil(QByteArray bytes) {
    if (cable_.noise <= 0 || bytes.isEmpty()) return bytes;
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    if (chance(random_) >= cable_.noise) return bytes;
    std::uniform_int_distribution<int> byte(0, 255);
    if (chance(random_) < 0.5) {
        std::uniform_int_distribution<int> at(0, static_cast<int>(bytes.size()));
        bytes.insert(at(random_), static_cast<char>(byte(random_)));
    } else {
        std::uniform_int_distribution<int> at(0, static_cast<int>(bytes.size()) - 1);
        std::uniform_int_distribution<int> bit(0, 7);
        bytes[at(random_)] ^= static_cast<char>(1 << bit(random_));
    }
    return bytes;
}

void PtyRadio::armTimer() {
    if (queue_.empty() || timerFd_ < 0) return;
    itimerspec deadline{};
    const qint64 due = std::max<qint64>(queue_.front().due, 1);
    deadline.it_value.tv_sec = due / 1000000000LL;
    deadline.it_value.tv_nsec = due % 1000000000LL;
    timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &deadline, nullptr);
}

void PtyRadio::onTimer() {
    quint64 expirations = 0;
    [[maybe_unused]] const auto n = ::read(timerFd_, &expirations, sizeof expirations);
    const qint64 now = nowNs();
    while (!queue_.empty() && queue_.front().due <= now && master_ >= 0) {
        const Pending p = queue_.front();
        queue_.pop_front();
        deliver(p);
    }
    armTimer();
}

void PtyRadio::deliver(const Pending& p) {
    // What the radio sent while the line was dead never arrives.
    if (deadFrom_ >= 0 && p.due >= deadFrom_ && p.due < deadUntil_) return;
    if (p.hangUp) {
        hangUp();
        return;
    }
    qsizetype done = 0;
    while (done < p.bytes.size()) {
        const ssize_t n = ::write(master_, p.bytes.constData() + done,
                                  static_cast<size_t>(p.bytes.size() - done));
        if (n <= 0) break; // the terminal's buffer is far larger than any reply
        done += n;
    }
}

// The far end goes away: the terminal is closed on this side; the program sees a
// hung-up line. The simulator stays until SIGTERM.
void PtyRadio::hangUp() {
    queue_.clear();
    readNotifier_.reset();
    if (slave_ >= 0) ::close(slave_);
    slave_ = -1;
    if (master_ >= 0) ::close(master_);
    master_ = -1;
    removeLink();
}

// Removes the link only while it is still the one made here.
void PtyRadio::removeLink() {
    if (link_.isEmpty()) return;
    const QFileInfo info(link_);
    if (info.isSymLink() && info.symLinkTarget() == device_) QFile::remove(link_);
    link_.clear();
}

void PtyRadio::saveMemory() {
    if (savePath_.isEmpty()) return;
    QSaveFile file(savePath_);
    if (!file.open(QIODevice::WriteOnly)) return;
    const auto& memory = radio_.memory();
    const QByteArray bytes(reinterpret_cast<const char*>(memory.data()),
                           static_cast<qsizetype>(memory.size()));
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return;
    }
    file.commit();
}
