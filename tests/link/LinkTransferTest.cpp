#include "LinkRig.h"
#include "TestSupport.h"

#include "core/AppState.h"
#include "core/Band.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/Messages.h"
#include "link/ImageConversion.h"
#include "link/Password.h"

namespace {

QByteArray Frame(char command, int address, int length, const QByteArray& data = {}) {
    QByteArray f;
    f.append(command);
    f.append(static_cast<char>(address >> 8));
    f.append(static_cast<char>(address & 0xFF));
    f.append(static_cast<char>(length));
    return f + data;
}

QByteArray Slice(const RadioImage& image, int offset, int length) {
    return QByteArray(reinterpret_cast<const char*>(image.data()) + offset, length);
}

const QByteArray kAckFrame(1, '\x06');

class LinkTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        InitNewDocument();
    }

    // A radio holding channels 1, 30, 31 and 128 (band 2) instead of the template's.
    RadioImage RadioWithOwnChannels() {
        DocumentRecord doc = app().document;
        const int16 numbers[] = {1, 30, 31, 128};
        doc.channelCount = 4;
        for (int i = 0; i < 4; ++i) {
            ChannelEntry& e = doc.channels[static_cast<std::size_t>(i)];
            e.number = numbers[i];
            e.rxFreq.assign(QByteArray::number(44000000 + numbers[i] * 125));
            e.txFreq.assign(QByteArray::number(45000000 + numbers[i] * 125));
        }
        RadioImage image;
        image.fill(0xFF);
        DocumentToImage(doc, app().sideValues, QStringLiteral("VM427"), 2, image);
        return image;
    }

    QByteArray DocumentBytes() const { return SerializeDocument(app().document); }
};

// Frame by frame, a full read, write and radio-information read are exactly the
// exchanges the radio expects, and their sizes are the line budget.
TEST_F(LinkTest, ExactBytesOnTheWire) {
    ASSERT_FALSE(QFile::exists(path(QStringLiteral("Setting.ini"))));
    Rig read;
    read.s.radio.setMemory(RadioWithOwnChannels());
    const RadioImage radioMemory = read.s.radio.memory();
    ASSERT_TRUE(read.link->startRead(read.ui));
    ASSERT_TRUE(read.run());
    EXPECT_TRUE(read.ui.success);

    QList<QByteArray> expected = {"PROGRAM",
                                  kAckFrame,
                                  QByteArray(1, '\x02'),
                                  read.s.radio.identification(),
                                  kAckFrame,
                                  kAckFrame,
                                  Frame('R', 0xAB0, 64),
                                  Frame('W', 0xAB0, 64, Slice(radioMemory, 0xAB0, 64)),
                                  kAckFrame,
                                  kAckFrame};
    for (int a = 0; a < 0x1000; a += 64)
        expected << Frame('R', a, 64) << Frame('W', a, 64, Slice(radioMemory, a, 64)) << kAckFrame
                 << kAckFrame;
    expected << "E" << kAckFrame;
    ASSERT_EQ(read.s.wire.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(read.s.wire[i].fromPc, i % 2 == 0) << "frame " << i;
        EXPECT_EQ(read.s.wire[i].bytes, expected[i]) << "frame " << i;
    }
    EXPECT_EQ(read.wireTotal(), 4837);
    EXPECT_EQ(app().image, radioMemory); // the 0xA80 block included, stored normally
    EXPECT_EQ(app().document.channelCount, 4);
    EXPECT_EQ(app().document.channels[3].number, 128);
    EXPECT_EQ(app().documentName, QStringLiteral("new.dat"));
    EXPECT_TRUE(app().isNewDocument);
    EXPECT_EQ(read.ui.messages, QStringList{MessageText(Msg::ReadCompleted)});
    // The radio flags were unchanged, but "Setting.ini" was missing: written.
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Setting.ini"))));

    // Write: the template document into an erased radio with another identification tail.
    InitNewDocument();
    const QByteArray before = DocumentBytes();
    Rig write;
    ASSERT_TRUE(write.link->startWrite(write.ui));
    ASSERT_TRUE(write.run());
    EXPECT_TRUE(write.ui.success);
    RadioImage outgoing;
    outgoing.fill(0xFF);
    DocumentToImage(app().document, app().sideValues, app().currentModel,
                    BandIndexOf(app().bandText), outgoing);
    const QByteArray id = write.s.radio.identification();
    for (int i = 0; i < 14; ++i)
        if (i != 6) outgoing[0xA50 + i] = static_cast<quint8>(id[i]);
    expected = {"PROGRAM",
                kAckFrame,
                QByteArray(1, '\x02'),
                id,
                kAckFrame,
                kAckFrame,
                Frame('R', 0xAB0, 16),
                Frame('W', 0xAB0, 16, Slice(write.s.radio.memory(), 0xAB0, 16)),
                kAckFrame,
                kAckFrame};
    for (int a = 0; a < 0xA60; a += 16)
        expected << Frame('W', a, 16, Slice(outgoing, a, 16)) << kAckFrame;
    expected << "E" << kAckFrame;
    ASSERT_EQ(write.s.wire.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(write.s.wire[i].bytes, expected[i]) << "frame " << i;
    EXPECT_EQ(write.wireTotal(), 3539);
    EXPECT_EQ(Slice(write.s.radio.memory(), 0, 0xA60), Slice(outgoing, 0, 0xA60));
    EXPECT_EQ(DocumentBytes(), before); // a write never changes the document
    EXPECT_EQ(write.ui.messages, QStringList{MessageText(Msg::WriteCompleted)});

    // Radio information: no confirmation, no progress window; 0xAB0 validated, not stored.
    Rig info;
    app().radioFlags = {0, 1, 0};
    info.s.radio.memory()[0xA80] = 0x05;
    ASSERT_TRUE(info.link->startRadioInfo(info.ui));
    ASSERT_TRUE(info.run());
    EXPECT_TRUE(info.ui.success);
    EXPECT_EQ(info.wireTotal(), 443);
    EXPECT_EQ(info.s.wire[6].bytes, Frame('R', 0xA80, 16));
    EXPECT_EQ(info.s.wire.back().bytes, kAckFrame);
    EXPECT_EQ(Slice(app().image, 0xAB0, 16), QByteArray(16, '\xFF'));
    EXPECT_EQ(Slice(app().image, 0xA90, 16), Slice(info.s.radio.memory(), 0xA90, 16));
    EXPECT_EQ(app().radioInfo.serialNumber, QStringLiteral("SIM0000001"));
    EXPECT_EQ(app().radioFlags, (std::array<int16, 3>{1, 1, 1}));
    EXPECT_EQ(info.ui.events, QStringList{QStringLiteral("radio-info")});
    QFile settings(path(QStringLiteral("Setting.ini")));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll(), QByteArray("\x01\x00\x01\x00\x01\x00", 6));
}

// Progress: nearest integer with halves to even, only on a rise of at least one;
// a restart resets it.
TEST_F(LinkTest, ProgressRule) {
    Rig rig;
    rig.s.radio.addFault(*ParseSimFault(QStringLiteral("silence@0x800:1")));
    rig.ui.retryAnswers = {true};
    ASSERT_TRUE(rig.link->startRead(rig.ui));
    ASSERT_TRUE(rig.run());
    EXPECT_TRUE(rig.ui.success);
    const QList<int>& p = rig.ui.progress;
    // 0x200 * 100 / 4096 = 12.5 gives 12, 0xA00 gives 62.5 -> 62.
    EXPECT_TRUE(p.contains(12));
    EXPECT_FALSE(p.contains(13));
    EXPECT_TRUE(p.contains(62));
    EXPECT_FALSE(p.contains(63));
    EXPECT_EQ(p.back(), 98);  // the last block starts at 4032
    EXPECT_EQ(p.count(0), 2); // at the start and at the restart
    const int restart = static_cast<int>(p.lastIndexOf(0));
    for (int i = 1; i < p.size(); ++i)
        if (i != restart) {
            EXPECT_GT(p[i], p[i - 1]) << i;
        }
}

// The password block: comparison rules, the password window, a restart without a
// question after a corrected password, "PassWord Failure!" otherwise.
TEST_F(LinkTest, PasswordCases) {
    auto reply = [](const QByteArray& password) {
        QByteArray r = Frame('W', 0xAB0, 16, QByteArray(12, 'x') + password);
        return r;
    };
    EXPECT_TRUE(IsPasswordBlock(reply("abcd")));
    EXPECT_FALSE(IsPasswordBlock(Frame('W', 0xAC0, 16, QByteArray(16, 'x'))));
    EXPECT_FALSE(IsPasswordBlock(reply("abcd").left(19)));
    EXPECT_TRUE(PasswordMatches(reply("\xFF\xFF\xFF\xFF"), QString()));
    EXPECT_TRUE(PasswordMatches(reply(QByteArray("\0bcd", 4)), QStringLiteral("zz")));
    EXPECT_TRUE(PasswordMatches(reply("ab\xFF"
                                      "c"),
                                QStringLiteral("ab")));
    EXPECT_FALSE(PasswordMatches(reply("ab\xFF"
                                       "c"),
                                 QStringLiteral("abc")));
    EXPECT_TRUE(PasswordMatches(reply("ab  "), QStringLiteral("ab")));
    EXPECT_FALSE(PasswordMatches(reply("abcd"), QStringLiteral("ABCD")));
    EXPECT_EQ(TrimPasswordEntry(QStringLiteral("ab1  ")), QStringLiteral("ab1"));

    { // Held password right from the start: no window.
        app().heldPassword = QStringLiteral("ab12");
        Rig rig;
        rig.s.radio.setPassword("ab12");
        ASSERT_TRUE(rig.link->startWrite(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_TRUE(rig.ui.success);
        EXPECT_EQ(rig.ui.passwordPrompts, 0);
    }
    { // Corrected in the window (trailing blanks dropped): restart without asking.
        app().heldPassword.clear();
        Rig rig;
        rig.s.radio.setPassword("ab12");
        rig.ui.passwordAnswers = {QStringLiteral("ab12  ")};
        ASSERT_TRUE(rig.link->startRead(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_TRUE(rig.ui.success);
        EXPECT_EQ(rig.ui.passwordPrompts, 1);
        EXPECT_EQ(rig.ui.retryPrompts, 0);
        EXPECT_EQ(rig.pcBytes().count("PROGRAM"), 2);
        EXPECT_EQ(app().heldPassword, QStringLiteral("ab12"));
    }
    { // Wrong letter case, then Cancel keeping it: failure, document unchanged.
        for (const std::optional<QString>& answer :
             {std::optional<QString>(QStringLiteral("AB12")), std::optional<QString>()}) {
            app().heldPassword = QStringLiteral("AB12");
            InitNewDocument();
            const QByteArray before = DocumentBytes();
            Rig rig;
            rig.s.radio.setPassword("ab12");
            rig.s.radio.setMemory(RadioWithOwnChannels());
            rig.s.radio.setPassword("ab12");
            rig.ui.passwordAnswers = {answer};
            ASSERT_TRUE(rig.link->startRead(rig.ui));
            ASSERT_TRUE(rig.run());
            EXPECT_FALSE(rig.ui.success);
            EXPECT_EQ(rig.ui.events.filter(QStringLiteral("password:")),
                      QStringList{QStringLiteral("password:AB12")});
            EXPECT_EQ(rig.ui.messages, QStringList{QStringLiteral("PassWord Failure!")});
            EXPECT_EQ(app().heldPassword, QStringLiteral("AB12"));
            EXPECT_EQ(DocumentBytes(), before);
        }
    }
    { // The radio-information read checks its 0xAB0 block as the password block.
        app().heldPassword.clear();
        Rig rig;
        rig.s.radio.setPassword("9");
        ASSERT_TRUE(rig.link->startRadioInfo(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_FALSE(rig.ui.success);
        EXPECT_EQ(rig.ui.passwordPrompts, 1);
        EXPECT_FALSE(rig.ui.events.contains(QStringLiteral("radio-info")));
    }
}

// The model and band check: a wrong model ends the read with the document as it
// was; another band asks, and OK reads the radio's band into the document.
TEST_F(LinkTest, ModelAndBandMismatch) {
    const QByteArray before = DocumentBytes();
    {
        Rig rig;
        rig.s.radio.setMemory(RadioWithOwnChannels());
        rig.s.radio.setModel("VM999");
        ASSERT_TRUE(rig.link->startRead(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_FALSE(rig.ui.success);
        EXPECT_EQ(messages_.texts(), QStringList{MessageText(Msg::ModelWrong)});
        EXPECT_EQ(DocumentBytes(), before);
        EXPECT_FALSE(rig.pcBytes().contains(Frame('R', 0, 64)));
    }
    messages_.clear();
    {
        Rig rig;
        RadioImage image = RadioWithOwnChannels();
        image[0xA56] = 0;
        rig.s.radio.setMemory(image);             // a radio of band 0
        ASSERT_TRUE(rig.link->startRead(rig.ui)); // the band question answered Cancel
        ASSERT_TRUE(rig.run());
        EXPECT_FALSE(rig.ui.success);
        EXPECT_EQ(messages_.texts(), QStringList{MessageText(Msg::BandDifferent)});
        EXPECT_EQ(DocumentBytes(), before);

        Rig again;
        again.s.radio.setMemory(image);
        messages_.answer(MsgAnswer::Ok);
        ASSERT_TRUE(again.link->startRead(again.ui));
        ASSERT_TRUE(again.run());
        EXPECT_TRUE(again.ui.success);
        EXPECT_EQ(app().bandText, BandTextOf(0));
        EXPECT_EQ(app().document.channels[1].number, 30);
    }
}

// Replies: one with extra bytes is not trusted (its step is repeated once the
// line is quiet), a block with another address ignored (then the retry prompt),
// a password-like block at 0xAB0 outside step 32 ignored.
TEST_F(LinkTest, ReplyClassification) {
    {
        Rig rig;
        rig.link->setStepRetries(1);
        for (const char* f :
             {"extra@handshake:1", "extra@ident:1", "extra@password:1", "extra@middle:1"})
            rig.s.radio.addFault(*ParseSimFault(QString::fromLatin1(f)));
        ASSERT_TRUE(rig.link->startRead(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_TRUE(rig.ui.success);
        EXPECT_EQ(rig.ui.retryPrompts, 0);
        EXPECT_EQ(rig.s.now, 4 * 300); // each spoilt reply waited for the quiet line
        EXPECT_EQ(app().image, rig.s.radio.memory());
    }
    {
        Rig rig;
        rig.s.radio.addFault(*ParseSimFault(QStringLiteral("wrong-address@0x400:1")));
        rig.ui.retryAnswers = {true};
        ASSERT_TRUE(rig.link->startRead(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_TRUE(rig.ui.success);
        EXPECT_EQ(rig.ui.retryPrompts, 1);
        EXPECT_EQ(rig.s.now, 300);
        EXPECT_EQ(app().image, rig.s.radio.memory());
    }
    {
        // A read whose 0xA80 block comes back labelled 0xAB0 (step 4, not 32): taken
        // as the password block it would pass, ignored it leads to the prompt.
        Rig rig;
        rig.s.tamper = [](QByteArray& reply) {
            if (reply.startsWith(Frame('W', 0xA80, 64))) reply[2] = '\xB0';
        };
        ASSERT_TRUE(rig.link->startRead(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_FALSE(rig.ui.success);
        EXPECT_EQ(rig.ui.retryPrompts, 1);
        EXPECT_EQ(rig.ui.passwordPrompts, 0);
    }
}

// Time-outs: three handshakes then the prompt; an identification that never came
// fails the model check (no identification from an earlier transfer is reused);
// a hang-up ends the transfer at once; no answer to "E" is no error.
TEST_F(LinkTest, TimeoutsAndHangUps) {
    {
        Rig rig;
        rig.s.radio.addFault(*ParseSimFault(QStringLiteral("silence@handshake")));
        ASSERT_TRUE(rig.link->startRead(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_EQ(rig.pcBytes(), QByteArray("PROGRAMPROGRAMPROGRAM"));
        EXPECT_EQ(rig.s.now, 900);
        EXPECT_EQ(rig.ui.retryPrompts, 1);
        EXPECT_FALSE(rig.ui.success);
        EXPECT_TRUE(rig.ui.messages.isEmpty()); // no completion message
    }
    {
        Rig rig;
        rig.s.radio.addFault(*ParseSimFault(QStringLiteral("silence@handshake:3")));
        rig.ui.retryAnswers = {true};
        ASSERT_TRUE(rig.link->startWrite(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_TRUE(rig.ui.success);
    }
    {
        Rig first; // a successful read stores an identification
        ASSERT_TRUE(first.link->startRead(first.ui));
        ASSERT_TRUE(first.run());
        first.s.radio.addFault(*ParseSimFault(QStringLiteral("silence@ident")));
        messages_.clear();
        InitNewDocument();
        ASSERT_TRUE(first.link->startWrite(first.ui));
        ASSERT_TRUE(first.run());
        EXPECT_FALSE(first.ui.success);
        EXPECT_EQ(messages_.texts(), QStringList{MessageText(Msg::ModelWrong)});
    }
    {
        const QByteArray before = DocumentBytes();
        Rig rig;
        rig.s.radio.setMemory(RadioWithOwnChannels());
        rig.s.radio.addFault(*ParseSimFault(QStringLiteral("hang-up@middle")));
        rig.ui.retryAnswers = {true}; // the port cannot be opened again
        ASSERT_TRUE(rig.link->startRead(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_FALSE(rig.ui.success);
        EXPECT_EQ(rig.s.now, 0);
        EXPECT_EQ(rig.ui.messages, QStringList{MessageText(Msg::CannotOpenPort)});
        EXPECT_EQ(DocumentBytes(), before);
        EXPECT_FALSE(rig.link->running());
    }
    {
        Rig rig;
        rig.s.radio.addFault(*ParseSimFault(QStringLiteral("silence@end")));
        ASSERT_TRUE(rig.link->startRead(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_TRUE(rig.ui.success);
    }
    {
        Rig rig; // the radio-information read: three handshakes, then the message
        rig.s.radio.addFault(*ParseSimFault(QStringLiteral("silence@handshake")));
        ASSERT_TRUE(rig.link->startRadioInfo(rig.ui));
        ASSERT_TRUE(rig.run());
        EXPECT_FALSE(rig.ui.success);
        EXPECT_EQ(rig.ui.retryPrompts, 0);
        EXPECT_EQ(rig.ui.messages, QStringList{MessageText(Msg::CheckConnection)});
    }
}

// The end of a transfer entered again from inside itself: a port error, a time-out
// or a second end arriving while the progress window closes, while the completion
// message is shown, while the read document is taken over or while the
// radio-information window is open. The transfer ends once, with one message, and
// the read is processed once.
TEST_F(LinkTest, EndingEnteredAgainFromInsideEndsOnce) {
    class IntrudingUi : public ScriptUi {
      public:
        std::function<void()> intrude;
        int replaced = 0;
        void progressClosed() override {
            ScriptUi::progressClosed();
            intrude();
        }
        void showMessage(const QString& text, MsgIcon icon) override {
            ScriptUi::showMessage(text, icon);
            intrude();
        }
        void documentReplaced() override {
            ++replaced;
            intrude();
        }
        void showRadioInfo() override {
            ScriptUi::showRadioInfo();
            intrude();
        }
    };
    const RadioImage radioMemory = RadioWithOwnChannels();
    const char* intrusions[] = {"end-failed", "end-done", "time-out", "port-error"};
    for (const LinkOperation operation :
         {LinkOperation::Read, LinkOperation::Write, LinkOperation::RadioInfo}) {
        for (const char* intrusion : intrusions) {
            SCOPED_TRACE(testing::Message() << int(operation) << " " << intrusion);
            InitNewDocument();
            Rig rig;
            rig.s.radio.setMemory(radioMemory);
            IntrudingUi ui;
            const std::string kind = intrusion;
            ui.intrude = [&] {
                if (kind == "end-failed") rig.link->EndTransfer(false);
                if (kind == "end-done") rig.link->EndTransfer(true);
                if (kind == "time-out") rig.link->OnReplyTimeout();
                if (kind == "port-error") rig.failPort();
            };
            bool started = false;
            if (operation == LinkOperation::Read) started = rig.link->startRead(ui);
            if (operation == LinkOperation::Write) started = rig.link->startWrite(ui);
            if (operation == LinkOperation::RadioInfo) started = rig.link->startRadioInfo(ui);
            ASSERT_TRUE(started);
            ASSERT_TRUE(rig.run());
            EXPECT_EQ(ui.endings, 1);
            EXPECT_TRUE(ui.success);
            EXPECT_EQ(ui.events.count(QStringLiteral("closed")),
                      operation == LinkOperation::RadioInfo ? 0 : 1);
            if (operation == LinkOperation::Read) {
                EXPECT_EQ(ui.messages, QStringList{MessageText(Msg::ReadCompleted)});
                EXPECT_EQ(ui.replaced, 1);
                EXPECT_EQ(app().document.channelCount, 4);
            }
            if (operation == LinkOperation::Write) {
                EXPECT_EQ(ui.messages, QStringList{MessageText(Msg::WriteCompleted)});
            }
            if (operation == LinkOperation::RadioInfo) {
                EXPECT_TRUE(ui.messages.isEmpty());
                EXPECT_EQ(ui.events.count(QStringLiteral("radio-info")), 1);
            }
            EXPECT_FALSE(rig.link->running());
        }
    }
}

// The commands before the transfer: a port that cannot be opened, a Cancel at the
// confirmation, a write of a document without channels.
TEST_F(LinkTest, CommandsStopBeforeTheTransfer) {
    {
        Rig rig;
        rig.s.refuseOpen = true;
        EXPECT_FALSE(rig.link->startRead(rig.ui));
        EXPECT_EQ(rig.ui.messages, QStringList{MessageText(Msg::CannotOpenPort)});
        EXPECT_FALSE(rig.link->running());
        EXPECT_TRUE(rig.s.wire.isEmpty());
    }
    {
        Rig rig;
        rig.ui.confirmAnswer = false;
        EXPECT_FALSE(rig.link->startWrite(rig.ui));
        EXPECT_EQ(rig.ui.events.size(), 1);
        EXPECT_FALSE(rig.link->running());
        EXPECT_TRUE(rig.s.wire.isEmpty());
    }
    {
        Rig rig;
        app().document.channelCount = 0;
        EXPECT_FALSE(rig.link->startWrite(rig.ui));
        EXPECT_EQ(rig.ui.messages, QStringList{MessageText(Msg::NeedOneChannel)});
        EXPECT_EQ(rig.s.opens, 0);
    }
}

} // namespace
