// Real cables in-process, on the fake clock: stray bytes and garbled replies,
// an echoing cable, steps repeated after a drop-out, checked reads; and the
// driver's low-latency request through the port adapter's seam.
#include "LinkRig.h"
#include "TestSupport.h"

#include "core/AppState.h"
#include "core/DocumentOps.h"
#include "core/Messages.h"
#include "link/CableInfo.h"
#include "link/LowLatency.h"
#include "link/SerialLinkPort.h"

#include <QDir>
#include <QFile>
#include <fcntl.h>
#include <unistd.h>

namespace {

class CableTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        InitNewDocument();
    }
    // A radio whose memory differs from the erased default in every byte read.
    static void Fill(SimRadio& radio) {
        RadioImage memory = radio.memory();
        for (int a = 0; a < 0xA50; ++a)
            memory[a] = static_cast<quint8>(a * 7 + 3);
        radio.setMemory(memory);
    }
};

using Tamper = std::function<void(QByteArray&)>;

// Spoils the first radio reply that starts with `start`, once.
Tamper Once(QByteArray start, std::function<void(QByteArray&)> change) {
    auto done = std::make_shared<bool>(false);
    return [=](QByteArray& reply) {
        if (*done || !reply.startsWith(start)) return;
        *done = true;
        change(reply);
    };
}

// A reply that is not clean is never data: a stray byte inside a block, a stray
// byte after it (seen with the next reply), a garbled or short identification.
// The step is repeated and the read is exact; with no step retries the user is
// asked, and nothing spoilt is ever reported as read.
TEST_F(CableTest, StrayBytesAreNeverData) {
    const QByteArray block = QByteArrayLiteral("W\x08\x00\x40");
    const struct {
        const char* name;
        std::function<Tamper()> tamper;
        int timeouts; // reply times waited for the line to be quiet
    } cases[] = {
        {"stray byte inside a block",
         [&] { return Once(block, [](QByteArray& r) { r.insert(20, '\x55'); }); }, 1},
        {"stray byte after a block, seen with its ACK",
         [] { return Tamper([state = std::make_shared<int>(0)](QByteArray& r) {
             if (*state == 0 && r.startsWith("W\x08\x00\x40")) {
                 r.insert(20, '\x55');
                 r.chop(1); // the block's last byte comes with the next reply
                 *state = 1;
             } else if (*state == 1) {
                 r.prepend('\x41');
                 *state = 2;
             }
         }); },
         1},
        {"garbled identification",
         [] { return Once("PVM427", [](QByteArray& r) { r[0] = 'Q'; }); }, 1},
        {"identification a byte short",
         [] { return Once("PVM427", [](QByteArray& r) { r.chop(1); }); }, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const int retries : {1, 0}) {
            Rig rig;
            Fill(rig.s.radio);
            rig.s.tamper = c.tamper();
            rig.link->setStepRetries(retries);
            ASSERT_TRUE(rig.link->startRead(rig.ui));
            ASSERT_TRUE(rig.run());
            if (retries == 0) {
                EXPECT_FALSE(rig.ui.success);
                EXPECT_EQ(rig.ui.retryPrompts, 1);
                EXPECT_FALSE(rig.ui.messages.contains(MessageText(Msg::ModelWrong)));
                continue;
            }
            EXPECT_TRUE(rig.ui.success);
            EXPECT_EQ(rig.ui.retryPrompts, 0);
            EXPECT_EQ(rig.link->transfer().stepRetries, 1);
            EXPECT_EQ(rig.s.now, c.timeouts * kReplyTimeoutMs);
            EXPECT_EQ(app().image, rig.s.radio.memory());
        }
    }
}

// An identification of another model is read again before it fails the check: a
// bit spoilt once passes; a radio that really is another model still fails.
TEST_F(CableTest, OtherModelIsReadTwiceBeforeItFails) {
    for (const bool persistent : {false, true}) {
        Rig rig;
        rig.link->setStepRetries(3);
        if (persistent)
            rig.s.radio.setModel("XX999");
        else
            rig.s.tamper = Once("PVM427", [](QByteArray& r) { r[3] = '5'; });
        ASSERT_TRUE(rig.link->startRead(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_EQ(rig.ui.success, !persistent);
        EXPECT_EQ(rig.link->transfer().stepRetries, 1);
        EXPECT_EQ(messages_.texts().contains(MessageText(Msg::ModelWrong)), persistent);
        messages_.clear();
    }
}

// Through an echoing cable every operation sends exactly today's frames, takes
// no longer on the fake clock, and knows the cable echoes; a radio that does not
// answer leaves only the echo, which is never taken for its ACK.
TEST_F(CableTest, EchoingCableSeesTodaysFrames) {
    enum Op { Read, Write, Info };
    for (const Op op : {Read, Write, Info}) {
        SCOPED_TRACE(op);
        QByteArray sent[2];
        for (const bool echo : {false, true}) {
            InitNewDocument();
            Rig rig;
            rig.s.echo = echo;
            rig.link->setStepRetries(3);
            const bool started = op == Read    ? rig.link->startRead(rig.ui)
                                 : op == Write ? rig.link->startWrite(rig.ui)
                                               : rig.link->startRadioInfo(rig.ui);
            ASSERT_TRUE(started);
            ASSERT_TRUE(rig.run());
            EXPECT_TRUE(rig.ui.success);
            EXPECT_EQ(rig.s.now, 0);
            EXPECT_EQ(rig.link->cableEchoes(), echo);
            EXPECT_FALSE(rig.link->onlyEcho());
            sent[echo] = rig.pcBytes();
        }
        EXPECT_EQ(sent[0], sent[1]);
    }
    Rig silent;
    silent.s.echo = true;
    silent.s.radio.addFault(*ParseSimFault(QStringLiteral("silence@handshake")));
    ASSERT_TRUE(silent.link->startRead(silent.ui));
    ASSERT_TRUE(silent.run());
    EXPECT_FALSE(silent.ui.success);
    EXPECT_TRUE(silent.link->onlyEcho());
    EXPECT_EQ(silent.pcBytes(), QByteArray("PROGRAM").repeated(kHandshakeTries));
    EXPECT_EQ(CableEchoes(QStringLiteral("/dev/sim")), 1);
}

// Missing replies anywhere heal by repeating the step, each step with its own
// budget; a write's repeated block is stored once more, never elsewhere.
TEST_F(CableTest, DropOutsHealByRepeatingTheStep) {
    const char* faults[] = {"silence@handshake:4", "silence@ident:2", "silence@password:3",
                            "silence@ack:2",       "silence@first:3", "silence@last:2"};
    for (const char* fault : faults) {
        for (const bool write : {false, true}) {
            SCOPED_TRACE(std::string(fault) + (write ? " write" : " read"));
            Rig rig;
            Fill(rig.s.radio);
            rig.link->setStepRetries(3);
            rig.s.radio.addFault(*ParseSimFault(QString::fromLatin1(fault)));
            ASSERT_TRUE(write ? rig.link->startWrite(rig.ui) : rig.link->startRead(rig.ui));
            ASSERT_TRUE(rig.run());
            EXPECT_TRUE(rig.ui.success);
            EXPECT_EQ(rig.ui.retryPrompts, 0);
            if (write)
                EXPECT_TRUE(std::equal(app().image.begin(), app().image.begin() + kWritableEnd,
                                       rig.s.radio.memory().begin()));
            else
                EXPECT_EQ(app().image, rig.s.radio.memory());
        }
    }
}

// A checked read reads every block until two reads agree: a block spoilt once
// (a flipped bit, which no frame check can see) is read a third time and comes
// out right; a plain read takes it as it came.
TEST_F(CableTest, CheckedReadOutvotesASpoiltBlock) {
    for (const bool checked : {false, true}) {
        Rig rig;
        Fill(rig.s.radio);
        rig.link->setCheckedReads(checked);
        rig.s.tamper = Once(QByteArrayLiteral("W\x04\x00\x40"), [](QByteArray& r) { r[30] ^= 4; });
        ASSERT_TRUE(rig.link->startRead(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_TRUE(rig.ui.success);
        EXPECT_EQ(app().image == rig.s.radio.memory(), checked);
        EXPECT_EQ(rig.pcBytes().count(QByteArrayLiteral("R\x04\x00\x40")), checked ? 3 : 1);
    }
}

// The port asks the driver for low latency when it opens and puts the flags
// back when it closes; a driver that refuses changes nothing and the port works.
TEST_F(CableTest, LowLatencyRequestedAndRestored) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const QString device = QString::fromLocal8Bit(ptsname(master));
    for (const bool refuse : {false, true}) {
        QList<int> set;
        SetSerialFlagsAccess({[](int) { return std::optional<int>(0x40); },
                              [&](int, int flags) {
                                  if (refuse) return false;
                                  set.append(flags);
                                  return true;
                              }});
        SerialLinkPort port;
        ASSERT_TRUE(port.open(device));
        EXPECT_EQ(set, refuse ? QList<int>{} : QList<int>{0x40 | 0x2000});
        port.close();
        EXPECT_EQ(set, refuse ? QList<int>{} : (QList<int>{0x40 | 0x2000, 0x40}));
    }
    SetSerialFlagsAccess({});
    ::close(master);

    // The latency timer of a USB adapter, and the hint while it stays above 1 ms.
    const QString root = path(QStringLiteral("sys"));
    QDir().mkpath(root + QStringLiteral("/bus/usb-serial/devices/ttyUSB7"));
    QFile timer(root + QStringLiteral("/bus/usb-serial/devices/ttyUSB7/latency_timer"));
    ASSERT_TRUE(timer.open(QIODevice::WriteOnly));
    timer.write("16\n");
    timer.close();
    SetSysfsRoot(root);
    EXPECT_EQ(LatencyText(QStringLiteral("/dev/ttyUSB7")), QStringLiteral("16 ms"));
    EXPECT_TRUE(LatencyHint(QStringLiteral("/dev/ttyUSB7")).contains(QStringLiteral("latency_timer")));
    EXPECT_TRUE(LatencyHint(device).isEmpty());
    SetSysfsRoot({});
}

} // namespace
