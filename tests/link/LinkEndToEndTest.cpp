// The built zr580-cli against the built zr580-radiosim over real pseudo-terminals.
#include "CliProcess.h"
#include "TestSupport.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/Messages.h"
#include "link/Ports.h"
#include "link/SimRadio.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

namespace {

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class LinkEndToEnd : public ProgramTest {
  protected:
    // A document with channels 1, 30, 31 and 128, and the image a write of it sends.
    void MakeDocument() {
        ASSERT_EQ(RunCli({QStringLiteral("new"), QStringLiteral("--band"), QStringLiteral("2"),
                          path(QStringLiteral("doc.dat"))})
                      .exitCode,
                  0);
        ASSERT_TRUE(LoadDataFile(path(QStringLiteral("doc.dat"))));
        DocumentRecord& doc = app().document;
        const int16 numbers[] = {1, 30, 31, 128};
        for (int i = 0; i < 4; ++i) {
            doc.channels[static_cast<std::size_t>(i)].number = numbers[i];
            doc.channels[static_cast<std::size_t>(i)].rxFreq.assign(
                QByteArray::number(44100000 + i * 2500));
        }
        ASSERT_TRUE(SaveDataFile(path(QStringLiteral("doc.dat"))));
        ASSERT_EQ(RunCli({QStringLiteral("image"), path(QStringLiteral("doc.dat")),
                          path(QStringLiteral("doc.bin"))})
                      .exitCode,
                  0);
    }
    QString link() const { return path(QStringLiteral("radio")); }
};

// Read, write and radio information through the command-line tool: the read gives
// the radio's channels, the write stores exactly the image of the file with the
// radio's identification bytes, the information is printed.
TEST_F(LinkEndToEnd, ReadWriteAndInfo) {
    MakeDocument();
    {
        Sim sim(link(), {QStringLiteral("--image"), path(QStringLiteral("doc.bin"))});
        ASSERT_TRUE(sim.device().startsWith(QStringLiteral("/dev/pts/")))
            << sim.device().toStdString();
        const CliResult r = RunCli({QStringLiteral("read"), QStringLiteral("--port"), link(),
                                    path(QStringLiteral("out.dat"))});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, MessageText(Msg::ReadCompleted) + QLatin1Char('\n'));
        const DocumentRecord written = app().document;
        ASSERT_TRUE(LoadDataFile(path(QStringLiteral("out.dat"))));
        ASSERT_EQ(app().document.channelCount, 4);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(app().document.channels[i].number, written.channels[i].number);
            EXPECT_EQ(app().document.channels[i].rxFreq, written.channels[i].rxFreq);
            EXPECT_EQ(app().document.channels[i].txFreq, written.channels[i].txFreq);
        }
        EXPECT_TRUE(QFile::exists(path(QStringLiteral("out.NVD"))));
        // What the radio does not hold comes from a new document, not from blanks.
        EXPECT_EQ(app().document.settings.features.optional.botCode.value(), "12345");
        EXPECT_EQ(app().document.settings.features.fleetLink.messageModeTimer, 10);
    }
    {
        // An erased radio on band 0: the band question needs --yes; the port is
        // given by its number through a [ports] assignment.
        ASSERT_TRUE(AssignPort(200, link()));
        Sim sim(link(), {QStringLiteral("--band"), QStringLiteral("0"), QStringLiteral("--save"),
                         path(QStringLiteral("saved.bin"))});
        CliResult r = RunCli({QStringLiteral("write"), QStringLiteral("--port"),
                              QStringLiteral("COM200"), path(QStringLiteral("doc.dat"))});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(MessageText(Msg::BandDifferent))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("saved.bin"))));

        r = RunCli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("200"),
                    QStringLiteral("--yes"), path(QStringLiteral("doc.dat"))});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        // The safe write says what it did besides after "Write Data Completed.".
        EXPECT_TRUE(r.out.contains(MessageText(Msg::WriteCompleted) + QLatin1Char('\n')))
            << r.out.toStdString();
        QByteArray expected = ReadFile(path(QStringLiteral("doc.bin"))).left(kWritableEnd);
        SimRadio radio;
        radio.setBand(0);
        const QByteArray id = radio.identification();
        for (int i = 0; i < 14; ++i)
            if (i != 6) expected[0xA50 + i] = id[i];
        EXPECT_EQ(static_cast<quint8>(expected[0xA56]), 2); // the document's band
        const QByteArray saved = ReadFile(path(QStringLiteral("saved.bin")));
        ASSERT_EQ(saved.size(), kImageSize);
        EXPECT_EQ(saved.left(kWritableEnd), expected);
    }
    {
        Sim sim(link(), {});
        const CliResult r = RunCli({QStringLiteral("info"), QStringLiteral("--port"), link()});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QStringLiteral("Serial Number: SIM0000001\n")));
        EXPECT_TRUE(r.out.contains(QStringLiteral("Frequency: 400 - 480 MHz\n")));
        EXPECT_TRUE(r.out.contains(QStringLiteral("Manufacture Code: \n"))); // the password block
    }
}

// Failures end quickly with the program's own message and exit code 1, and a failed
// read writes no file.
TEST_F(LinkEndToEnd, FailuresOverThePseudoTerminal) {
    const QString out = path(QStringLiteral("out.dat"));
    const QStringList read = {QStringLiteral("read"), QStringLiteral("--port"), link(),
                              QStringLiteral("--yes"), out};
    {
        Sim sim(link(), {QStringLiteral("--fault"), QStringLiteral("hang-up@middle")});
        const CliResult r = RunCli(read);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_LT(r.ms, 1000);
        EXPECT_TRUE(r.err.contains(QStringLiteral("(Check Connection.)"))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
        EXPECT_EQ(sim.stop(), 0);
    }
    {
        Sim sim(link(), {QStringLiteral("--model"), QStringLiteral("AB123")});
        const CliResult r = RunCli(read);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(MessageText(Msg::ModelWrong)));
        EXPECT_FALSE(QFile::exists(out));
    }
    {
        Sim sim(link(), {QStringLiteral("--password"), QStringLiteral("ab12")});
        CliResult r = RunCli(read);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("PassWord Failure!")));
        EXPECT_FALSE(QFile::exists(out));
        // Trailing blanks do not count, as in the password window.
        r = RunCli(read + QStringList{QStringLiteral("--password"), QStringLiteral("ab12  ")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(QFile::exists(out));
        QFile::remove(out);
        r = RunCli(read + QStringList{QStringLiteral("--password"), QStringLiteral("ab123")});
        EXPECT_EQ(r.exitCode, 2); // no radio password is that long
        EXPECT_FALSE(QFile::exists(out));
    }
    {
        // --retries 0 fails at the first missing reply; by default the step is repeated.
        Sim sim(link(), {QStringLiteral("--fault"), QStringLiteral("silence@first:2")});
        CliResult r = RunCli(read + QStringList{QStringLiteral("--retries"), QStringLiteral("0")});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_FALSE(QFile::exists(out));
        r = RunCli(read);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    {
        const CliResult r = RunCli(read); // nobody at the link any more
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(MessageText(Msg::CannotOpenPort)));
        EXPECT_TRUE(r.err.contains(link() + QStringLiteral(" does not exist"))) << r.err.toStdString();
        EXPECT_EQ(
            RunCli({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("x"), out})
                .exitCode,
            2);
    }
}

// A failed transfer says on the terminal which frame got no reply or a bad one
// and how often it was retried, with the program's message but not its question.
TEST_F(LinkEndToEnd, ConnectionFailuresNameTheStepThatFailed) {
    MakeDocument();
    const QString out = path(QStringLiteral("out.dat"));
    const struct {
        QString command;
        QString fault;
        QString retries;
        QString said;
    } cases[] = {
        {"read", "silence@handshake:9", "0",
         "zr580-cli: no reply to the handshake after 0 retries (Check Connection.)"},
        {"read", "garbage@password:9", "1",
         "zr580-cli: bad reply to the password block request after 1 retry (Check Connection.)"},
        {"read", "wrong-address@0x140:9", "0",
         "zr580-cli: bad reply to the read request at 0x0140 after 0 retries (Check "
         "Connection.)"},
        {"write", "silence@0x100:9", "0",
         "zr580-cli: no reply to the block written at 0x0100 after 0 retries (Check "
         "Connection.)"},
        {"info", "silence@0xA90:9", "0",
         "zr580-cli: no reply to the read request at 0x0A90 after 0 retries (Check "
         "Connection.)"},
    };
    for (const auto& c : cases) {
        Sim sim(link(), {QStringLiteral("--fault"), c.fault});
        QStringList arguments{c.command, QStringLiteral("--port"), link(),
                              QStringLiteral("--retries"), c.retries};
        if (c.command == QLatin1String("read")) arguments << QStringLiteral("--yes");
        if (c.command == QLatin1String("read")) arguments << out;
        // Without the backup read the fault meets the write's own frames.
        if (c.command == QLatin1String("write"))
            arguments << QStringLiteral("--no-backup") << path(QStringLiteral("doc.dat"));
        const CliResult r = RunCli(arguments);
        EXPECT_EQ(r.exitCode, 1) << c.fault.toStdString();
        const QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        EXPECT_TRUE(lines.contains(c.said)) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("Retry or Cancel?"))) << c.fault.toStdString();
        QFile::remove(out);
    }
}
} // namespace
