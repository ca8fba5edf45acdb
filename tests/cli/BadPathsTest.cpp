// Every command that writes a file, tried with the paths a careless or hostile
// user gives it: outputs onto its inputs (by every name), directories, names the
// side-file rule cannot use, side files that cannot be written or read, a full
// disk, damaged templates. Nothing is lost, nothing is renamed, and every
// failure says which file and why with a non-zero exit code.
#include "CliProcess.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QProcess>
#include <QStorageInfo>
#include <unistd.h>

namespace {
using Tree = QMap<QString, QByteArray>;

// Every entry below a folder with a digest of its bytes (or what it is).
Tree Snapshot(const QString& folder) {
    Tree tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        const QFileInfo info(entry);
        tree.insert(entry.mid(folder.size()),
                    info.isSymLink() ? "-> " + info.symLinkTarget().toUtf8()
                    : info.isDir()   ? QByteArray("<dir>")
                                     : QCryptographicHash::hash(ReadFileBytes(entry),
                                                                QCryptographicHash::Sha1)
                                           .toHex());
    }
    return tree;
}

class BadPathsTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        w_ = path("w");
        QDir().mkpath(w_ + "/sub");
        QDir().mkpath(w_ + "/d");
        ASSERT_EQ(RunCli({"new", "--band", "1", w("a.dat")}).exitCode, 0);
        WriteFileBytes(w("a.NVD"), QByteArray("\x01\x00\x01\x00\x00\x00", 6));
        ASSERT_EQ(RunCli({"export-csv", w("a.dat"), w("c.csv")}).exitCode, 0);
        ASSERT_EQ(RunCli({"image", w("a.dat"), w("x.bin")}).exitCode, 0);
        ASSERT_EQ(::symlink(w("a.dat").toLocal8Bit().constData(), w("link.dat").toLocal8Bit().constData()), 0);
    }
    QString w(const QString& name) const { return w_ + u'/' + name; }
    QString w_;
};

struct Refusal {
    QStringList arguments; // "@" stands for the work folder
    int exitCode;
    const char* says;
};

TEST_F(BadPathsTest, RefusedOutputsChangeNothingAndSayWhy) {
    const Refusal cases[] = {
        // Onto one of its inputs, by any of its names, or onto the input's side file.
        {{"export-csv", "@/a.dat", "@/a.dat"}, 2, "same file as the input"},
        {{"export-csv", "@/a.dat", "@/sub/../a.dat"}, 2, "same file as the input"},
        {{"export-csv", "@/a.dat", "@/./link.dat"}, 2, "same file as the input"},
        {{"export-csv", "@/a.dat", "@/a.NVD"}, 2, "same file as the input"},
        {{"image", "@/a.dat", "@/a.dat"}, 2, "same file as the input"},
        {{"image", "@/link.dat", "@/a.NVD"}, 2, "same file as the input"},
        {{"print", "@/a.dat", "--pdf", "@/a.dat"}, 2, "same file as the input"},
        {{"from-image", "@/x.bin", "@/x.bin"}, 2, "same file as the input"},
        {{"import-csv", "@/c.csv", "@/a.dat", "@/a.dat"}, 2, "same file as the input"},
        {{"import-csv", "@/c.csv", "@/a.dat", "@/sub/../c.csv"}, 2, "same file as the input"},
        // Paths that cannot hold the output: never another name instead.
        {{"new", "@/d"}, 2, "Is a directory"},
        {{"new", "@/foo"}, 2, "extension of three characters"},
        {{"new", "@/b.NVD"}, 2, "its own side file"},
        {{"import-csv", "@/c.csv", "@/a.dat", "@/d"}, 2, "Is a directory"},
        {{"from-image", "@/x.bin", "@/plain"}, 2, "extension of three characters"},
        {{"export-csv", "@/a.dat", "@/d"}, 2, "Is a directory"},
        {{"image", "@/a.dat", "@/d"}, 2, "Is a directory"},
        // Unusable inputs: named, with the reason.
        {{"show", "@/none.dat"}, 2, "none.dat: No such file or directory"},
        {{"show", "@/d"}, 2, "d: Is a directory"},
        {{"show", "@/c.csv"}, 2, "file version error. @/c.csv: it has"},
        {{"diff", "@/a.dat", "@/none.dat"}, 2, "file error. @/none.dat: No such file"},
        {{"diff", "@/d", "@/a.dat"}, 2, "file error. @/d: Is a directory"},
        {{"import-csv", "@/d", "@/a.dat", "@/out.dat"}, 2, "file error. @/d: Is a directory"},
        {{"from-image", "@/a.dat", "@/out.dat"}, 2, "file error. @/a.dat: it has 7979 bytes, not 4096"},
    };
    for (const Refusal& c : cases) {
        QStringList arguments;
        for (const QString& a : c.arguments)
            arguments.append(QString(a).replace("@", w_));
        const QString says = QString::fromUtf8(c.says).replace("@", w_);
        const Tree before = Snapshot(w_);
        const CliResult r = RunCli(arguments);
        const QString name = arguments.join(u' ');
        EXPECT_EQ(r.exitCode, c.exitCode) << name.toStdString() << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(says)) << name.toStdString() << "\n" << r.err.toStdString();
        EXPECT_EQ(Snapshot(w_), before) << name.toStdString();
    }
}

TEST_F(BadPathsTest, ACountOutOfRangeIsNamed) {
    QByteArray bytes = ReadFileBytes(w("a.dat"));
    bytes[0] = char(300 & 0xFF);
    bytes[1] = char(300 >> 8);
    WriteFileBytes(w("bad.dat"), bytes);
    const CliResult r = RunCli({"show", w("bad.dat")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("file error. " + w("bad.dat") + ": not a data file: channel count 300"))
        << r.err.toStdString();
}

// A save whose side file cannot be written leaves both files as they were, or
// absent when they were absent.
TEST_F(BadPathsTest, AFailedSaveLeavesBothFilesAsTheyWere) {
    struct Save {
        QStringList arguments;
        const char* blocked; // made a directory where a side file goes
    };
    const Save saves[] = {
        {{"new", "--band", "0", "@/a.dat"}, "a.NVD"},
        {{"new", "--band", "0", "@/nd.dat"}, "nd.NVD"},
        {{"import-csv", "@/c.csv", "@/a.dat", "@/sub/i.dat"}, "sub/i.NVD"},
        {{"from-image", "@/x.bin", "@/sub/f.dat"}, "sub/f.NVD"},
    };
    for (const Save& s : saves) {
        QStringList arguments;
        for (const QString& a : s.arguments)
            arguments.append(QString(a).replace("@", w_));
        const QString blocked = w(QString::fromUtf8(s.blocked));
        const QByteArray side = ReadFileBytes(blocked);
        QFile::remove(blocked);
        ASSERT_TRUE(QDir().mkpath(blocked));
        const Tree before = Snapshot(w_);
        const CliResult r = RunCli(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains("file error. " + blocked + ": Is a directory"))
            << r.err.toStdString();
        EXPECT_EQ(Snapshot(w_), before) << arguments.join(u' ').toStdString();
        QDir(blocked).removeRecursively();
        if (!side.isEmpty()) WriteFileBytes(blocked, side);
    }
}

// A small file system that fills up: mounted only where the test may mount.
class FullDisk {
  public:
    explicit FullDisk(const QString& where) : where_(where) {
        QDir().mkpath(where);
        if (::geteuid() != 0) return;
        mounted_ = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", where}) == 0;
    }
    ~FullDisk() {
        if (mounted_) QProcess::execute("umount", {where_});
    }
    bool mounted() const { return mounted_; }
    // Leaves `bytes` free (to a page) by writing a filler file.
    void leave(qint64 bytes) {
        QFile::remove(where_ + "/filler");
        const qint64 free = QStorageInfo(where_).bytesAvailable();
        WriteFileBytes(where_ + "/filler", QByteArray(std::max<qint64>(0, free - bytes), 'f'));
    }

  private:
    QString where_;
    bool mounted_ = false;
};

TEST_F(BadPathsTest, AFullDiskLeavesBothFilesAsTheyWere) {
    FullDisk disk(path("full"));
    if (!disk.mounted()) GTEST_SKIP() << "a full disk needs a tmpfs, which only root may mount";
    const QString dat = path("full/doc.dat");
    ASSERT_EQ(RunCli({"new", "--band", "1", dat}).exitCode, 0);
    // Room for the new data file but not its side file, then room for nothing.
    for (qint64 room : {8192, 0}) {
        disk.leave(room);
        const Tree before = Snapshot(path("full"));
        const CliResult r = RunCli({"new", "--band", "0", dat});
        EXPECT_EQ(r.exitCode, 2) << room;
        EXPECT_TRUE(r.err.contains("No space left on device")) << r.err.toStdString();
        EXPECT_EQ(Snapshot(path("full")), before) << room;
    }
    const CliResult r = RunCli({"new", "--band", "0", path("full/new.dat")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(QFile::exists(path("full/new.dat")) || QFile::exists(path("full/new.NVD")));
}

TEST_F(BadPathsTest, ASideFileThatCannotBeReadIsSaidAndTakenAsZeros) {
    struct Damage {
        const char* how;
        const char* reason;
    };
    const Damage damages[] = {{"directory", "Is a directory"}, {"short", "it has 5 bytes, not 6"}};
    for (const Damage& d : damages) {
        QFile::remove(w("a.NVD"));
        if (QByteArray(d.how) == "directory")
            QDir().mkpath(w("a.NVD"));
        else
            WriteFileBytes(w("a.NVD"), QByteArray(5, '\1'));
        const QString warning = "side file " + w("a.NVD") + " cannot be used (" + d.reason + ")";

        const CliResult shown = RunCli({"show", w("a.dat")});
        EXPECT_EQ(shown.exitCode, 0) << d.how;
        EXPECT_TRUE(shown.err.contains(warning)) << shown.err.toStdString();
        EXPECT_TRUE(shown.out.contains(QRegularExpression("Alert unlocked: +Off")));

        // A new data file made from it says so too, and gets zeros.
        const CliResult imported = RunCli({"import-csv", w("c.csv"), w("a.dat"), w(QString("i-%1.dat").arg(d.how))});
        EXPECT_EQ(imported.exitCode, 0) << imported.err.toStdString();
        EXPECT_TRUE(imported.err.contains(warning)) << imported.err.toStdString();
        EXPECT_EQ(ReadFileBytes(w(QString("i-%1.NVD").arg(d.how))), QByteArray(6, '\0'));
        QDir(w("a.NVD")).removeRecursively();
        QFile::remove(w("a.NVD"));
    }
    // A missing side file stays silent.
    const CliResult quiet = RunCli({"show", w("a.dat")});
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_TRUE(quiet.err.isEmpty()) << quiet.err.toStdString();

    // The template's side file counts the same for a new document.
    WriteFileBytes(path("Init/VM427_2.NVD"), QByteArray(2, '\1'));
    const CliResult made = RunCli({"new", w("t.dat")});
    EXPECT_EQ(made.exitCode, 0);
    EXPECT_TRUE(made.err.contains("side file " + path("Init/VM427_2.NVD"))) << made.err.toStdString();
}

TEST_F(BadPathsTest, ATemplateThatCannotBeLoadedWritesNothing) {
    struct Broken {
        const char* how;
        const char* says;
    };
    const Broken cases[] = {
        {"missing", "file error. @Init/VM427_2.dat: No such file or directory"},
        {"short", "file version error. @Init/VM427_2.dat: it has 100 bytes, not 7979"},
        {"counts", "file error. @Init/VM427_2.dat: not a data file: channel count -1"},
    };
    const QByteArray good = ReadFileBytes(path("Init/VM427_2.dat"));
    for (const Broken& b : cases) {
        const QString how = QString::fromUtf8(b.how);
        QByteArray bytes = good;
        if (how == "short") bytes.truncate(100);
        if (how == "counts") bytes[0] = bytes[1] = char(0xFF);
        QFile::remove(path("Init/VM427_2.dat"));
        if (how != "missing") WriteFileBytes(path("Init/VM427_2.dat"), bytes);
        const CliResult r = RunCli({"new", w("n.dat")});
        EXPECT_EQ(r.exitCode, 1) << b.how;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(b.says).replace("@Init", path("Init")))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(w("n.dat")) || QFile::exists(w("n.NVD"))) << b.how;
    }
}
} // namespace
