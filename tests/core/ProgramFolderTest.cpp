// Where the program's files live: ZR580_HOME, a portable folder, an installed
// prefix (with and without XDG_CONFIG_HOME and XDG_DATA_HOME), and an executable
// folder without language files or one the user may not write; the backups of
// earlier versions moving into the data folder.
#include "TestSupport.h"

#include "core/ProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <unistd.h>

namespace {

TEST(ProgramFolders, TheThreeCasesAndTheirEdges) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString r = root.path();
    for (const char* folder : {"home", "portable/language", "usr/bin", "usr/share/zr580/language",
                               "config", "bare/bin", "readonly/language"})
        ASSERT_TRUE(QDir().mkpath(r + "/" + folder));
    QFile::setPermissions(r + "/readonly", QFile::ReadOwner | QFile::ExeOwner);
    const bool root_user = geteuid() == 0; // root may write anywhere

    struct Case {
        const char* name;
        FolderInputs in;
        FolderLayout layout;
        QString program;
        QString user;
        QString data;
    };
    const Case cases[] = {
        {"home wins over everything", {r + "/home", r + "/portable", r + "/config", r, r + "/data"},
         FolderLayout::Home, r + "/home", r + "/home", r + "/home"},
        {"portable", {{}, r + "/portable", r + "/config", r, r + "/data"}, FolderLayout::Portable,
         r + "/portable", r + "/portable", r + "/portable"},
        {"installed, XDG_CONFIG_HOME and XDG_DATA_HOME",
         {{}, r + "/usr/bin", r + "/config", r, r + "/data"}, FolderLayout::Installed,
         r + "/usr/share/zr580", r + "/config/zr580", r + "/data/zr580"},
        {"installed, default folders", {{}, r + "/usr/bin", {}, r + "/home", {}},
         FolderLayout::Installed, r + "/usr/share/zr580", r + "/home/.config/zr580",
         r + "/home/.local/share/zr580"},
        {"relative XDG folders are ignored", {{}, r + "/usr/bin", "config", r + "/home", "data"},
         FolderLayout::Installed, r + "/usr/share/zr580", r + "/home/.config/zr580",
         r + "/home/.local/share/zr580"},
        {"no language files, no share folder", {{}, r + "/bare/bin", {}, r + "/home", {}},
         FolderLayout::Installed, r + "/bare/bin", r + "/home/.config/zr580",
         r + "/home/.local/share/zr580"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramFolders f = DecideProgramFolders(c.in);
        EXPECT_EQ(f.layout, c.layout);
        EXPECT_EQ(f.program, c.program);
        EXPECT_EQ(f.user, c.user);
        EXPECT_EQ(f.data, c.data);
    }
    if (!root_user) {
        const ProgramFolders f = DecideProgramFolders({{}, r + "/readonly", {}, r + "/home", {}});
        EXPECT_EQ(f.layout, FolderLayout::Installed) << "a folder the user cannot write";
        EXPECT_EQ(f.user, r + "/home/.config/zr580");
    }
    QFile::setPermissions(r + "/readonly", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Into a data folder that does not exist yet the whole folder moves; into one
// that exists every file moves but one whose name is taken, which stays behind
// with its folder.
TEST(ProgramFolders, EarlierBackupsMoveIntoTheDataFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString r = root.path();
    struct Case {
        const char* name;
        QStringList before; // files already in the new folder ("taken" content)
        QStringList left;   // files that stay in the earlier folder
    };
    const QStringList earlierFiles = {"a.dat", "a.NVD", "a.bin", "fleet-log.csv", "sub/b.dat"};
    const Case cases[] = {
        {"new folder missing", {}, {}},
        {"new folder exists", {"other.dat"}, {}},
        {"a name taken", {"fleet-log.csv"}, {"fleet-log.csv"}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString from = QStringLiteral("%1/%2/config/backups").arg(r).arg(n);
        const QString to = QStringLiteral("%1/%2/data/backups").arg(r).arg(n++);
        for (const QString& f : earlierFiles) {
            QDir().mkpath(QFileInfo(from + "/" + f).absolutePath());
            WriteFileBytes(from + "/" + f, f.toUtf8());
        }
        for (const QString& f : c.before) {
            QDir().mkpath(to);
            WriteFileBytes(to + "/" + f, "taken");
        }
        EXPECT_EQ(MoveFolderContents(from, to), c.left.isEmpty());
        for (const QString& f : earlierFiles) {
            const bool stays = c.left.contains(f);
            EXPECT_EQ(QFileInfo::exists(from + "/" + f), stays) << f.toStdString();
            EXPECT_EQ(ReadFileBytes(to + "/" + f), stays ? QByteArray("taken") : f.toUtf8())
                << f.toStdString();
        }
        EXPECT_EQ(QFileInfo::exists(from), !c.left.isEmpty());
        for (const QString& f : c.before)
            EXPECT_TRUE(QFileInfo::exists(to + "/" + f));
    }
}

} // namespace

// A test's program folder holds what the program ships, never what a run of the
// program from the build folder left there (backups, settings, a changed
// language settings file).
TEST(ProgramFolders, ATestFolderHoldsOnlyTheShippedFiles) {
    const QDir built(BuiltProgramFolder());
    const QStringList leftByARun = {"backups/VM427-left.dat", "Setting.ini", "fleet-left.log"};
    QStringList made;
    for (const QString& file : leftByARun) {
        if (QFileInfo::exists(built.filePath(file))) continue;
        QDir().mkpath(QFileInfo(built.filePath(file)).absolutePath());
        WriteFileBytes(built.filePath(file), "left by a run");
        made.append(file);
    }
    QTemporaryDir folder;
    LayOutShippedFiles(folder.path());
    for (const QString& file : made)
        QFile::remove(built.filePath(file));
    built.rmdir("backups");

    QDirIterator it(folder.path(), QDir::Files, QDirIterator::Subdirectories);
    QStringList found;
    while (it.hasNext())
        found.append(it.next().mid(folder.path().size() + 1));
    for (const QString& file : found)
        EXPECT_TRUE(file.startsWith("Init/") || file.startsWith("language/") ||
                    file.startsWith("ZR580_e/") || file.startsWith("ZR580_c/") ||
                    file == "dec.tbl" || file == "demo-radio.bin")
            << file.toStdString();
    for (const char* shipped : {"Init/VM427_2.dat", "Init/VM427_2.NVD", "language/english.ini",
                                "language/chinese.ini", "dec.tbl"})
        EXPECT_TRUE(found.contains(shipped)) << shipped;
    EXPECT_EQ(ReadFileBytes(folder.filePath("language/mysetup.ini")),
              ReadFileBytes(ZR580_SOURCE_DIR "/data/language/mysetup.ini"));
}
