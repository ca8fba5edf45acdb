#include <gtest/gtest.h>

#include "link/SimRadio.h"

namespace {

QByteArray Bytes(const QList<SimReply>& replies) {
    QByteArray all;
    for (const SimReply& r : replies)
        all += r.bytes;
    return all;
}

// Fault texts: kinds, places, addresses and counts; anything else refused.
TEST(SimRadio, FaultTexts) {
    auto f = ParseSimFault(QStringLiteral("garbage@middle:2"));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->kind, SimFaultKind::Garbage);
    EXPECT_EQ(f->place, SimPlace::Middle);
    EXPECT_EQ(f->remaining, 2);
    f = ParseSimFault(QStringLiteral("wrong-address@0xA80"));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->place, SimPlace::Address);
    EXPECT_EQ(f->address, 0xA80);
    EXPECT_EQ(f->remaining, -1);
    for (const char* bad :
         {"silence", "silence@", "loud@first", "silence@nowhere", "short@0x1000", "extra@first:0"})
        EXPECT_FALSE(ParseSimFault(QString::fromLatin1(bad))) << bad;
}

// The radio itself: nothing before "PROGRAM", junk skipped, requests split across
// reads, writes never above 0xA5F, its password area never changed.
TEST(SimRadio, AnswersLikeTheRadio) {
    SimRadio radio;
    radio.setPassword("ab");
    const auto before = radio.memory();
    EXPECT_TRUE(radio.feed(QByteArray("\x02\x06R\x00\x00\x10", 6)).isEmpty());
    EXPECT_EQ(Bytes(radio.feed("xxPRO")), QByteArray());
    EXPECT_EQ(Bytes(radio.feed("GRAM")), QByteArray("\x06"));
    const QByteArray id = Bytes(radio.feed(QByteArray(1, '\x02')));
    ASSERT_EQ(id.size(), 14);
    EXPECT_EQ(id.left(7), QByteArray("PVM427\x02"));

    QByteArray write("W\x0A\x50\x20", 4);
    write += QByteArray(32, 'z'); // 0xA50..0xA6F: only up to 0xA5F is stored
    EXPECT_EQ(Bytes(radio.feed(write.left(10))), QByteArray());
    EXPECT_EQ(Bytes(radio.feed(write.mid(10))), QByteArray("\x06"));
    EXPECT_EQ(radio.memory()[0xA5F], 'z');
    EXPECT_EQ(radio.memory()[0xA60], before[0xA60]);
    QByteArray overPassword("W\x0A\xB0\x10", 4);
    overPassword += QByteArray(16, 'q');
    EXPECT_EQ(Bytes(radio.feed(overPassword)), QByteArray("\x06"));
    EXPECT_EQ(radio.memory()[0xABC], 'a');
    EXPECT_EQ(radio.memory()[0xABE], 0xFF);

    const QByteArray block = Bytes(radio.feed(QByteArray("R\x0A\xB0\x10", 4)));
    ASSERT_EQ(block.size(), 20);
    EXPECT_EQ(block.mid(16, 2), QByteArray("ab"));

    int completed = 0;
    radio.onWriteCompleted = [&] { ++completed; };
    EXPECT_EQ(Bytes(radio.feed("E")), QByteArray("\x06"));
    EXPECT_EQ(completed, 1);
    EXPECT_TRUE(radio.feed(QByteArray(1, '\x02')).isEmpty()); // the session ended
}

} // namespace
