// The step machine of the link with a fake port and a fake clock. The input picks
// the operation (read, write, radio-information read), the radio's password and
// the user's answers, then drives the line event by event: the simulated radio's
// proper reply delivered whole, split at any point or with a byte changed; any
// bytes at all; the reply timer running out; the port failing. The user's windows
// (messages, retry prompt, password window, progress window) may run such an event
// while they are open, as a nested event loop would.
//
// Checked: the transfer always ends, by the input's events or by its own time-outs,
// and never waits on nothing; it ends exactly once, with at most one completion
// message and the document replaced (or the radio information shown) at most once;
// it succeeds only when every block of its plan was acknowledged in the last
// session and "E" was sent; a successful read holds exactly the blocks the radio
// sent (but the password block of the radio-information read, which is not kept).
#include "FuzzSupport.h"

#include "core/AppState.h"
#include "core/Document.h"
#include "link/LinkTransfer.h"
#include "link/Password.h"
#include "link/SimRadio.h"

#include <QMap>
#include <deque>
#include <memory>

namespace {
constexpr int kMaxEvents = 20000;
constexpr int kMaxNesting = 2;

struct Plan {
    int first;
    int end;
    int blockSize;
    char command; // 'R' read requests, 'W' written blocks
};

Plan PlanOf(LinkOperation operation) {
    switch (operation) {
    case LinkOperation::Read:
        return {0x0000, 0x1000, 64, 'R'};
    case LinkOperation::Write:
        return {0x0000, 0x0A60, 16, 'W'};
    default:
        return {0x0A80, 0x0B80, 16, 'R'};
    }
}

// The line: the PC's frames go to the simulated radio; what arrives is decided by
// the input. Records which block requests were answered properly.
class Line : public LinkPort, public ReplyTimer {
  public:
    SimRadio radio;
    std::deque<QByteArray> pending; // the radio's replies not yet delivered
    bool timerActive = false;
    bool open_ = false;
    QByteArray lastFrame;
    QList<QByteArray> readSinceFrame; // what the link read since the last frame
    bool sawEnd = false;
    QMap<int, QByteArray> acknowledged; // block address -> data (reads) of this session
    const bool trace = std::getenv("ZR580_FUZZ_TRACE") != nullptr;

    bool open(const QString&) override {
        open_ = true;
        return true;
    }
    void close() override {
        open_ = false;
        in_.clear();
        pending.clear();
    }
    bool isOpen() const override { return open_; }
    void clear() override { in_.clear(); }
    void write(const QByteArray& frame) override {
        if (!open_) return;
        settle();
        if (frame == QByteArrayLiteral("PROGRAM")) {
            acknowledged.clear();
            sawEnd = false;
        }
        if (frame == QByteArrayLiteral("E")) sawEnd = true;
        lastFrame = frame;
        readSinceFrame.clear();
        if (trace) std::fprintf(stderr, "PC    %s\n", frame.left(8).toHex(' ').constData());
        for (const SimReply& reply : radio.feed(frame))
            if (!reply.hangUp) pending.push_back(reply.bytes);
    }
    void setThreshold(int bytes) override { threshold_ = bytes < 1 ? 1 : bytes; }
    QByteArray readAll() override {
        QByteArray all = in_;
        in_.clear();
        if (!all.isEmpty()) readSinceFrame.append(all);
        return all;
    }
    void start(int) override { timerActive = true; }
    void stop() override { timerActive = false; }
    bool isActive() const override { return timerActive; }

    void deliver(const QByteArray& bytes) {
        if (!open_ || bytes.isEmpty()) return;
        if (trace) std::fprintf(stderr, "radio %s\n", bytes.left(8).toHex(' ').constData());
        in_.append(bytes);
        if (in_.size() >= threshold_ && onThreshold) onThreshold();
    }
    void expire() {
        if (!timerActive) return;
        if (trace) std::fprintf(stderr, "time-out\n");
        timerActive = false;
        if (onTimeout) onTimeout();
    }
    void fail() {
        if (!open_) return;
        if (trace) std::fprintf(stderr, "port error\n");
        close();
        if (onError) onError();
    }

    // Whether the last block frame was answered properly by one of the replies
    // the link read since: an ACK for a written block, the block itself for a
    // read request.
    void settle() {
        if (lastFrame.size() < 4 || (lastFrame[0] != 'R' && lastFrame[0] != 'W')) return;
        const int address = (static_cast<quint8>(lastFrame[1]) << 8) | static_cast<quint8>(lastFrame[2]);
        const int length = static_cast<quint8>(lastFrame[3]);
        for (const QByteArray& reply : readSinceFrame) {
            if (lastFrame[0] == 'W' && static_cast<quint8>(reply[0]) == kAck) {
                acknowledged[address] = QByteArray();
                break;
            }
            if (lastFrame[0] == 'R' && reply.size() >= length + 4 && reply[0] == 'W' &&
                reply.mid(1, 3) == lastFrame.mid(1, 3)) {
                acknowledged[address] = reply.mid(4, length);
                break;
            }
        }
        lastFrame.clear();
    }

  private:
    QByteArray in_;
    int threshold_ = 1;
};

class Driver;

class FuzzUi : public LinkUi {
  public:
    FuzzUi(FuzzInput& input, Driver& driver) : input_(input), driver_(driver) {}
    bool confirm(const QString&) override;
    bool askRetry(const QString&) override;
    void showMessage(const QString& text, MsgIcon) override;
    std::optional<QString> askPassword(const QString&) override;
    void progressClosed() override;
    void documentReplaced() override { ++replaced; }
    void showRadioInfo() override;
    void transferEnded(LinkOperation, bool ok) override {
        ++endings;
        success = ok;
    }

    int endings = 0;
    int replaced = 0;
    int radioInfoShown = 0;
    int completions = 0;
    bool success = false;

  private:
    void nested();
    FuzzInput& input_;
    Driver& driver_;
};

class Driver {
    // Destroyed after the link, which stops its timer and closes its port.
    Line line_;

  public:
    explicit Driver(FuzzInput& input) : input_(input) {
        auto port = std::make_unique<LineHandle>(line_);
        auto timer = std::make_unique<TimerHandle>(line_);
        link = std::make_unique<RadioLink>(std::move(port), std::move(timer));
        link->setPortDevice(QStringLiteral("/dev/fuzz"));
    }
    Line& line() { return line_; }

    // One event of the input; false when the input is exhausted.
    bool step() {
        if (input_.empty()) return false;
        const std::uint8_t kind = input_.byte();
        switch (kind % 8) {
        case 0:
        case 1:
        case 2:
            deliverReply(-1, 0, 0);
            break;
        case 3:
            deliverReply(input_.byte(), 0, 0);
            break;
        case 4:
            line_.deliver(input_.take(input_.byte() % 80));
            break;
        case 5:
            deliverReply(-1, input_.byte(), static_cast<std::uint8_t>(1 + input_.byte() % 255));
            break;
        case 6:
            line_.expire();
            break;
        default:
            line_.fail();
            break;
        }
        return true;
    }

    // After the input: the reply timer alone must bring the transfer to its end.
    void finish() {
        for (int i = 0; i < kMaxEvents && link->running(); ++i) {
            if (!line_.timerActive) FuzzFailure("the transfer waits with no reply timer");
            line_.expire();
        }
        FUZZ_CHECK(!link->running());
    }

    std::unique_ptr<RadioLink> link;
    int depth = 0;

  private:
    // Forwarding objects: the link owns its port and timer, the driver the line.
    struct LineHandle : LinkPort {
        explicit LineHandle(Line& l) : line(l) {
            line.onThreshold = [this] { if (onThreshold) onThreshold(); };
            line.onError = [this] { if (onError) onError(); };
        }
        bool open(const QString& d) override { return line.open(d); }
        void close() override { line.close(); }
        bool isOpen() const override { return line.isOpen(); }
        void clear() override { line.clear(); }
        void write(const QByteArray& b) override { line.write(b); }
        void setThreshold(int n) override { line.setThreshold(n); }
        QByteArray readAll() override { return line.readAll(); }
        Line& line;
    };
    struct TimerHandle : ReplyTimer {
        explicit TimerHandle(Line& l) : line(l) {
            line.onTimeout = [this] { if (onTimeout) onTimeout(); };
        }
        void start(int ms) override { line.start(ms); }
        void stop() override { line.stop(); }
        bool isActive() const override { return line.isActive(); }
        Line& line;
    };

    // The radio's next reply: whole (split < 0), or its first `split` bytes now
    // and the rest kept for the next delivery; with byte `at` xor-ed when `flip`.
    void deliverReply(int split, int at, std::uint8_t flip) {
        if (line_.pending.empty()) return;
        QByteArray reply = line_.pending.front();
        line_.pending.pop_front();
        if (flip && !reply.isEmpty()) reply[at % reply.size()] = static_cast<char>(reply[at % reply.size()] ^ flip);
        if (split >= 0 && split < reply.size()) {
            line_.pending.push_front(reply.mid(split));
            reply.truncate(split);
        }
        line_.deliver(reply);
    }

    FuzzInput& input_;
};

void FuzzUi::nested() {
    if (driver_.depth >= kMaxNesting || input_.byte() % 4 != 0) return;
    ++driver_.depth;
    driver_.step();
    --driver_.depth;
}

bool FuzzUi::confirm(const QString&) {
    return input_.byte() % 8 != 0;
}

bool FuzzUi::askRetry(const QString&) {
    nested();
    return !input_.empty() && input_.byte() % 2 == 0;
}

void FuzzUi::showMessage(const QString& text, MsgIcon) {
    if (text == MessageText(Msg::ReadCompleted) || text == MessageText(Msg::WriteCompleted))
        ++completions;
    nested();
}

std::optional<QString> FuzzUi::askPassword(const QString&) {
    nested();
    switch (input_.byte() % 3) {
    case 0:
        return std::nullopt;
    case 1:
        return QStringLiteral("1234");
    default:
        return QStringLiteral("9999");
    }
}

void FuzzUi::progressClosed() {
    nested();
}

void FuzzUi::showRadioInfo() {
    ++radioInfoShown;
    nested();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    ResetForInput();
    AnswerMessagesFrom(&input);
    if (app().document.channelCount == 0) FuzzFailure("the new document has no channels");

    const auto operation = static_cast<LinkOperation>(1 + input.byte() % 3);
    const std::uint8_t setup = input.byte();
    Driver driver(input);
    if (setup & 1) driver.line().radio.setPassword(QByteArrayLiteral("1234"));
    if (setup & 2) app().heldPassword = QStringLiteral("1234");
    if (setup & 4) driver.line().radio.setBand(setup >> 6);

    FuzzUi ui(input, driver);
    bool started = false;
    switch (operation) {
    case LinkOperation::Read:
        started = driver.link->startRead(ui);
        break;
    case LinkOperation::Write:
        started = driver.link->startWrite(ui);
        break;
    default:
        started = driver.link->startRadioInfo(ui);
        break;
    }
    if (!started) {
        FUZZ_CHECK(!driver.link->running() && ui.endings == 0);
        return 0;
    }
    for (int i = 0; i < kMaxEvents && driver.link->running() && driver.step(); ++i) {
    }
    driver.finish();

    if (std::getenv("ZR580_FUZZ_TRACE"))
        std::fprintf(stderr, "operation %d ended %d times, success %d, %d messages\n",
                     int(operation), ui.endings, int(ui.success), MessagesShown());
    FUZZ_CHECK(ui.endings == 1);
    FUZZ_CHECK(ui.completions <= 1 && ui.replaced <= 1 && ui.radioInfoShown <= 1);
    if (!ui.success) {
        FUZZ_CHECK(ui.completions == 0 && ui.replaced == 0 && ui.radioInfoShown == 0);
        return 0;
    }
    Line& line = driver.line();
    line.settle();
    FUZZ_CHECK(line.sawEnd);
    const Plan plan = PlanOf(operation);
    for (int address = plan.first; address < plan.end; address += plan.blockSize) {
        FUZZ_CHECK(line.acknowledged.contains(address));
        // The radio-information read takes the block at 0xAB0 as the password
        // block and does not store it.
        const bool stored = !(operation == LinkOperation::RadioInfo && address == kPasswordBlockAddress);
        if (plan.command == 'R' && stored) {
            const QByteArray& block = line.acknowledged[address];
            FUZZ_CHECK(block == QByteArray(reinterpret_cast<const char*>(app().image.data()) + address,
                                           plan.blockSize));
        }
    }
    FUZZ_CHECK(operation != LinkOperation::Read || (ui.replaced == 1 && ui.completions == 1));
    FUZZ_CHECK(operation != LinkOperation::Write || ui.completions == 1);
    FUZZ_CHECK(operation != LinkOperation::RadioInfo || ui.radioInfoShown == 1);
    return 0;
}
