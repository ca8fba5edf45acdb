#pragma once
// Drives the transfer against the in-process simulated radio with a fake clock:
// the port hands every frame to the radio and delivers its replies one by one,
// the reply timer fires only when nothing else is pending. Every frame on the
// wire is recorded.

#include "link/LinkTransfer.h"
#include "link/SimRadio.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

struct WireFrame {
    bool fromPc = true;
    QByteArray bytes;
};

struct RigState {
    SimRadio radio;
    QList<WireFrame> wire;
    qint64 now = 0; // milliseconds of the fake clock
    int opens = 0;
    bool refuseOpen = false;
    // Changes a radio reply on its way to the PC.
    std::function<void(QByteArray&)> tamper;
    // The cable returns every byte the PC sends, before the radio's reply.
    bool echo = false;
};

class FakePort : public LinkPort {
  public:
    explicit FakePort(RigState& s) : s_(s) {}
    bool open(const QString&) override {
        if (s_.refuseOpen || s_.radio.hungUp()) return false;
        ++s_.opens;
        open_ = true;
        return true;
    }
    void close() override {
        open_ = false;
        in_.clear();
        transit_.clear();
    }
    bool isOpen() const override { return open_; }
    void clear() override { in_.clear(); }
    void write(const QByteArray& bytes) override {
        if (!open_) return;
        s_.wire.append({true, bytes});
        if (s_.echo) transit_.push_back({bytes, -1, false});
        for (const SimReply& r : s_.radio.feed(bytes))
            transit_.push_back(r);
    }
    void setThreshold(int bytes) override { threshold_ = bytes; }
    QByteArray readAll() override {
        QByteArray all = in_;
        in_.clear();
        return all;
    }
    // The line fails (a pulled cable): the port closes and reports it.
    void fail() {
        open_ = false;
        in_.clear();
        transit_.clear();
        if (onError) onError();
    }
    // Delivers the next reply in transit; false when there is none.
    bool deliver() {
        if (transit_.empty()) return false;
        const SimReply r = transit_.front();
        transit_.pop_front();
        if (r.hangUp) {
            fail();
            return true;
        }
        QByteArray bytes = r.bytes;
        if (s_.tamper && r.frameLength >= 0) s_.tamper(bytes);
        if (bytes.isEmpty()) return true;
        s_.wire.append({false, bytes});
        in_.append(bytes);
        if (in_.size() >= threshold_ && onThreshold) onThreshold();
        return true;
    }

  private:
    RigState& s_;
    bool open_ = false;
    int threshold_ = 1;
    QByteArray in_;
    std::deque<SimReply> transit_;
};

class FakeTimer : public ReplyTimer {
  public:
    explicit FakeTimer(RigState& s) : s_(s) {}
    void start(int ms) override {
        active_ = true;
        deadline_ = s_.now + ms;
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    // Moves the clock to the deadline and fires; false when not armed.
    bool expire() {
        if (!active_) return false;
        s_.now = deadline_;
        active_ = false;
        if (onTimeout) onTimeout();
        return true;
    }

  private:
    RigState& s_;
    bool active_ = false;
    qint64 deadline_ = 0;
};

// Records what the user would see and answers from a script.
class ScriptUi : public LinkUi {
  public:
    bool confirm(const QString& text) override {
        events.append(QStringLiteral("confirm:") + text);
        return confirmAnswer;
    }
    bool askRetry(const QString& text) override {
        events.append(QStringLiteral("retry:") + text);
        ++retryPrompts;
        return !retryAnswers.empty() && takeFirst(retryAnswers);
    }
    void showMessage(const QString& text, MsgIcon) override {
        events.append(QStringLiteral("message:") + text);
        messages.append(text);
    }
    std::optional<QString> askPassword(const QString& held) override {
        events.append(QStringLiteral("password:") + held);
        ++passwordPrompts;
        if (passwordAnswers.empty()) return std::nullopt;
        return takeFirst(passwordAnswers);
    }
    void progressOpened(LinkOperation) override { events.append(QStringLiteral("opened")); }
    void progressReset() override { progress.append(0); }
    void progressValue(int percent) override { progress.append(percent); }
    void progressClosed() override { events.append(QStringLiteral("closed")); }
    void showRadioInfo() override { events.append(QStringLiteral("radio-info")); }
    void transferEnded(LinkOperation, bool ok) override {
        ++endings;
        success = ok;
    }

    bool confirmAnswer = true;
    std::deque<bool> retryAnswers;
    std::deque<std::optional<QString>> passwordAnswers;
    QStringList events;
    QStringList messages;
    QList<int> progress;
    int retryPrompts = 0;
    int passwordPrompts = 0;
    int endings = 0;
    bool success = false;

  private:
    template <class T> static T takeFirst(std::deque<T>& q) {
        T v = q.front();
        q.pop_front();
        return v;
    }
};

class Rig {
  public:
    Rig() {
        auto port = std::make_unique<FakePort>(s);
        auto timer = std::make_unique<FakeTimer>(s);
        port_ = port.get();
        timer_ = timer.get();
        link = std::make_unique<RadioLink>(std::move(port), std::move(timer));
        link->setPortDevice(QStringLiteral("/dev/sim"));
    }
    // Runs until the transfer ends; false when it stopped with nothing pending
    // (a hang) or ran away.
    bool run(int maxEvents = 100000) {
        for (int i = 0; i < maxEvents && link->running(); ++i) {
            if (port_->deliver()) continue;
            if (timer_->expire()) continue;
            return false;
        }
        return !link->running();
    }
    void failPort() { port_->fail(); }
    void expireTimer() { timer_->expire(); }
    QByteArray pcBytes() const { return bytes(true); }
    QByteArray radioBytes() const { return bytes(false); }
    int wireTotal() const { return static_cast<int>(pcBytes().size() + radioBytes().size()); }

    RigState s;
    ScriptUi ui;
    std::unique_ptr<RadioLink> link;

  private:
    QByteArray bytes(bool fromPc) const {
        QByteArray all;
        for (const WireFrame& f : s.wire)
            if (f.fromPc == fromPc) all += f.bytes;
        return all;
    }
    FakePort* port_ = nullptr;
    FakeTimer* timer_ = nullptr;
};
