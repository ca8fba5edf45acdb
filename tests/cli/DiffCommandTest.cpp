// zr580-cli diff between two files and between a file and the simulated radio.
#include "CliProcess.h"

#include "core/AppState.h"
#include "core/DataFile.h"

#include <QFile>
#include <QFileInfo>

namespace {
QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DiffCommand : public ProgramTest {
  protected:
    // a.dat: a new document; b.dat: the same with a squelch level of 7 and a DTMF
    // list entry (which no write sends).
    void makeFiles() {
        ASSERT_EQ(RunCli({"new", "--band", "2", path("a.dat")}).exitCode, 0);
        ASSERT_TRUE(LoadDataFile(path("a.dat")));
        squelch_ = app().document.settings.features.optional.squelchLevel;
        app().document.settings.features.optional.squelchLevel = 7;
        app().document.settings.dtmfListCount = 1;
        app().document.settings.dtmfList[0].key = 1;
        app().document.settings.dtmfList[0].code.assign("55");
        ASSERT_TRUE(SaveDataFile(path("b.dat")));
    }
    int squelch_ = 0;
};

} // namespace

TEST_F(DiffCommand, FilesListTheirDifferencesWithDiffsExitCodes) {
    makeFiles();
    CliResult same = RunCli({"diff", path("a.dat"), path("a.dat")});
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(same.out, "No differences.\n");

    CliResult different = RunCli({"diff", path("a.dat"), path("b.dat")});
    EXPECT_EQ(different.exitCode, 1);
    EXPECT_EQ(different.out, QStringLiteral("Function Setup\tSquelch Level\t%1\t7\n"
                                            "Data no window shows\tDTMF list\t[0] \t[1] 1:55\n")
                                 .arg(squelch_));

    for (const QStringList& bad : {QStringList{"diff", path("a.dat"), path("missing.dat")},
                                   QStringList{"diff", path("a.dat")}})
        EXPECT_EQ(RunCli(bad).exitCode, 2) << bad.join(' ').toStdString();
    // A radio that cannot be reached is a failed transfer.
    EXPECT_EQ(RunCli({"diff", "--port", "/nonexistent/tty", path("a.dat")}).exitCode, 1);
}

// After a write the radio holds the file: no difference, and the comparison
// writes nothing to it; against another file only what a write sends is listed.
TEST_F(DiffCommand, RadioAfterAWriteHasNoDifferencesAndIsLeftAlone) {
    makeFiles();
    ASSERT_EQ(RunCli({"image", path("a.dat"), path("a.bin")}).exitCode, 0);
    const QString link = path("radio");
    const QString saved = path("saved.bin");
    Sim radio(link, {"--image", path("a.bin"), "--save", saved});

    const CliResult write = RunCli({"write", "--port", link, path("b.dat")});
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    const QByteArray written = ReadAll(saved);
    ASSERT_EQ(written.size(), 4096);
    const QDateTime writtenAt = QFileInfo(saved).lastModified();

    const CliResult same = RunCli({"diff", "--port", link, path("b.dat")});
    EXPECT_EQ(same.exitCode, 0) << same.err.toStdString();
    EXPECT_EQ(same.out, "No differences.\n");

    const CliResult other = RunCli({"diff", "--port", link, path("a.dat")});
    EXPECT_EQ(other.exitCode, 1) << other.err.toStdString();
    EXPECT_EQ(other.out, QStringLiteral("Function Setup\tSquelch Level\t%1\t7\n").arg(squelch_));

    EXPECT_EQ(ReadAll(saved), written);
    EXPECT_EQ(QFileInfo(saved).lastModified(), writtenAt);
}
