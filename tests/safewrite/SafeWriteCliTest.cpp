// zr580-cli write and verify against zr580-radiosim on a pseudo-terminal.
#include "CliProcess.h"
#include "TestSupport.h"
#include "safewrite/SafeWriteTexts.h"

#include "core/Messages.h"
#include "link/SimRadio.h"

#include <QDir>
#include <QFile>

namespace {

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SafeWriteCli : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_EQ(RunCli({QStringLiteral("new"), doc()}).exitCode, 0);
        // A programmed radio: every byte of the write range but its identification
        // differs from what the new document writes.
        SimRadio radio;
        RadioImage m = radio.memory();
        for (int a = 0; a < 0xA50; ++a)
            m[a] = static_cast<quint8>(a & 0x7F);
        memory_ = QByteArray(reinterpret_cast<const char*>(m.data()), kImageSize);
        QFile f(path(QStringLiteral("radio.bin")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(memory_);
    }
    QString doc() const { return path(QStringLiteral("doc.dat")); }
    QString port() const { return path(QStringLiteral("radio")); }
    QStringList simWith(const QStringList& more) const {
        return QStringList{QStringLiteral("--image"), path(QStringLiteral("radio.bin")),
                           QStringLiteral("--save"), path(QStringLiteral("saved.bin"))} +
               more;
    }
    CliResult Cli(const QString& command, const QStringList& options) const {
        return RunCli(QStringList{command, QStringLiteral("--port"), port()} + options +
                      QStringList{doc()});
    }
    QByteArray memory_;
};

TEST_F(SafeWriteCli, WriteVerifyAndTheirOptions) {
    const QString completed = MessageText(Msg::WriteCompleted) + QLatin1Char('\n');
    {
        // Blocks acknowledged but not stored: exit 1, the addresses, the backup.
        Sim sim(port(), simWith({QStringLiteral("--fault"), QStringLiteral("no-store@middle")}));
        CliResult r = Cli(QStringLiteral("write"), {QStringLiteral("--yes")});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_FALSE(r.out.contains(completed));
        EXPECT_TRUE(r.err.contains(QStringLiteral("0x530, 0x531"))) << r.err.toStdString();
        // Beside the addresses, what they are in the windows' words: here bytes of
        // a channel slot that holds no channel.
        EXPECT_TRUE(r.err.contains(SafeWriteText("NothingNamed"))) << r.err.toStdString();
        ASSERT_TRUE(r.out.startsWith(QStringLiteral("Backup: "))) << r.out.toStdString();
        const QString backup = r.out.mid(8).trimmed();
        EXPECT_TRUE(backup.startsWith(path(QStringLiteral("backups/"))));
        EXPECT_TRUE(r.err.contains(backup));
        EXPECT_TRUE(ReadFile(backup.chopped(3) + QStringLiteral("bin")) == memory_);

        // The radio compared with the file: different, at the block not stored.
        r = Cli(QStringLiteral("verify"), {});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("16 bytes differ at 0x530, 0x531")))
            << r.out.toStdString();
    }
    {
        // A backup folder that cannot be made: the radio is never written.
        QFile blocker(path(QStringLiteral("file")));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QFile::remove(path(QStringLiteral("saved.bin")));
        Sim sim(port(), simWith({}));
        CliResult r = Cli(QStringLiteral("write"),
                          {QStringLiteral("--backup-dir"), path(QStringLiteral("file/b"))});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("saved.bin"))));

        // A clean write into a folder of one's own, then the same radio and file.
        r = Cli(QStringLiteral("write"),
                {QStringLiteral("--backup-dir"), path(QStringLiteral("mine"))});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(completed));
        EXPECT_TRUE(r.out.endsWith(SafeWriteText("Checked") + u'\n')) << r.out.toStdString();
        EXPECT_EQ(QDir(path(QStringLiteral("mine"))).entryList(QDir::Files).size(), 4);
        r = Cli(QStringLiteral("verify"), {});
        EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
        EXPECT_EQ(r.out, QStringLiteral("same\n"));
    }
    {
        // Both off: today's write, word for word, and no backup.
        QDir(path(QStringLiteral("backups"))).removeRecursively();
        Sim sim(port(), simWith({}));
        const CliResult r = Cli(QStringLiteral("write"),
                                {QStringLiteral("--no-backup"), QStringLiteral("--no-verify")});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, completed);
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        EXPECT_FALSE(QDir(path(QStringLiteral("backups"))).exists());
    }
}

} // namespace
