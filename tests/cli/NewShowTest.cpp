#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace {
struct CliRun {
    int code = -1;
    QString out;
    QString err;
};

class CliTest : public ProgramTest {
  protected:
    CliRun cli(const QStringList& arguments) {
        QProcess p;
        p.start(BuiltProgramFolder() + "/zr580-cli", arguments);
        p.waitForFinished(30000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    static QByteArray bytes(const QString& p) {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};
} // namespace

TEST_F(CliTest, NewWritesTheBandsDocumentAndShowPrintsIt) {
    const CliRun made = cli({"new", "--band", "0", path("x.dat")});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
    const QByteArray b = bytes(path("x.dat"));
    ASSERT_EQ(b.size(), 7979);
    EXPECT_EQ(b.mid(7170, 5), "VM427");
    EXPECT_EQ(b.mid(7175, 2), QByteArray("\x00\x00", 2));
    EXPECT_EQ(bytes(path("x.NVD")).size(), 6);

    const CliRun shown = cli({"show", path("x.dat")});
    ASSERT_EQ(shown.code, 0) << shown.err.toStdString();
    EXPECT_TRUE(shown.out.contains("Model: VM427"));
    EXPECT_TRUE(shown.out.contains("Band: 136 - 174 MHz"));
    // A starter channel: number, group/row, RX, TX, tones, power, spacing, scan, flags.
    EXPECT_TRUE(shown.out.contains(QRegularExpression(
        R"(\n +1 1/1 +146\.52000 +146\.52000 +None +None +High +25K\(Wide\) +Add +Off +Off +Off\n)")))
        << shown.out.toStdString();
    EXPECT_TRUE(shown.out.contains("PF2 short press:"));
    EXPECT_TRUE(shown.out.contains("Look back time A:"));
    EXPECT_TRUE(shown.out.contains("Line 2:"));
    EXPECT_TRUE(shown.err.isEmpty());

    // A name without a three-character extension, whose side file would eat into
    // it, is refused; nothing is written under another name.
    EXPECT_EQ(cli({"new", path("plain")}).code, 2);
    EXPECT_EQ(cli({"new", path("a.b")}).code, 2);
    EXPECT_FALSE(QFile::exists(path("plain")) || QFile::exists(path("plain.dat")) ||
                 QFile::exists(path("a.b.NVD")) || QFile::exists(path("plNVD")));
    ASSERT_EQ(cli({"new", path("a.b.dat")}).code, 0);
    EXPECT_TRUE(QFile::exists(path("a.b.NVD")));
}

TEST_F(CliTest, BadFilesAndBadUsageHaveTheirExitCodes) {
    ASSERT_EQ(cli({"new", path("x.dat")}).code, 0);
    QFile::resize(path("x.dat"), 7978);
    CliRun r = cli({"show", path("x.dat")});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err.trimmed().count('\n'), 0);
    EXPECT_TRUE(r.err.contains("file version error.")) << r.err.toStdString();

    r = cli({"show", path("missing.dat")});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("file error."));

    EXPECT_EQ(cli({"new", "--band", "3", path("y.dat")}).code, 2);
    EXPECT_FALSE(QFile::exists(path("y.dat")));
    EXPECT_EQ(cli({"show"}).code, 2);
    EXPECT_EQ(cli({"show", "--bogus", path("x.dat")}).code, 2);
    EXPECT_EQ(cli({"frobnicate"}).code, 2);
    EXPECT_EQ(cli({}).code, 2);

    r = cli({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains("new [--band 0|1|2] OUT.dat"));
    r = cli({"show", "--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains("Usage: zr580-cli show"));
}
