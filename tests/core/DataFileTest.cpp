#include "core/DataFile.h"
#include "TestSupport.h"
#include "core/AppState.h"
#include "core/DocumentOps.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <unistd.h>
#include <QRandomGenerator>

namespace {
class DataFileTest : public ProgramTest {
  protected:
    static QByteArray fileBytes(const QString& p) {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeBytes(const QString& p, const QByteArray& bytes) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static int16 le16(const QByteArray& b, int at) {
        return static_cast<int16>(static_cast<unsigned char>(b[at]) |
                                  (static_cast<unsigned char>(b[at + 1]) << 8));
    }
    static int32 le32(const QByteArray& b, int at) {
        return static_cast<int32>(static_cast<std::uint32_t>(le16(b, at) & 0xFFFF) |
                                  (static_cast<std::uint32_t>(le16(b, at + 2)) << 16));
    }
    // A document with a distinct value in every field the layout names.
    static DocumentRecord markedDocument() {
        DocumentRecord d;
        d.channelCount = 2;
        ChannelEntry& c = d.channels[1];
        c.number = 17;
        c.inUse = 1;
        c.rxFreq.assign("14652500");
        c.txFreq.assign("FFFFFFFF");
        c.reserved0 = 3;
        c.txEntryFlag = 1;
        c.decodeTone.assign("0108");
        c.encodeTone.assign("0372");
        c.optSignal = 2;
        c.talkAround = 1;
        d.channels[0].number = 1;
        d.model.modelName.assign("VM427");
        d.model.bandIndex = 1;
        auto& f = d.settings.features;
        f.optional.totTime = 11;
        f.optional.botCode.assign("BOT");
        f.optional.eotCode.assign("EOT");
        f.optional.voxFunction = 12;
        f.optional.compander = 13;
        f.keys.pf1Short = 14;
        f.keys.pf2Long = 15;
        f.scan.priorityType = 16;
        f.scan.txDwell = 17;
        f.dtmf.dtmfSpeed = 18;
        f.dtmf.idCode.assign("IDCODE");
        f.dtmf.stunCode.assign("STUN");
        f.dtmf.stunType = 19;
        f.fleetLink.ownFleet = 20;
        f.fleetLink.pttIdSideTone = 21;
        d.settings.dtmfListCount = 8;
        d.settings.dtmfList[0].code.assign("DTMFCODE");
        d.settings.reservedListCount = 16;
        d.settings.reservedList[0].text1.assign("RES1");
        d.settings.reservedList[15].value2 = 22;
        d.settings.messageText1.assign("LINE ONE");
        d.settings.messageText2.assign("LINE TWO");
        d.settings.fleetLinkListCount = 8;
        d.settings.fleetLinkList[0].key = 23;
        d.settings.fleetLinkList[7].idCode = 0x01020304;
        return d;
    }
};
} // namespace

TEST_F(DataFileTest, EveryFieldSitsAtItsOffset) {
    const QByteArray b = SerializeDocument(markedDocument());
    ASSERT_EQ(b.size(), 7979);
    EXPECT_EQ(le16(b, 0), 2);
    const int e = 2 + 56; // channel entry 2
    EXPECT_EQ(le16(b, e + 0), 17);
    EXPECT_EQ(le16(b, e + 2), 1);
    EXPECT_EQ(b.mid(e + 4, 8), "14652500");
    EXPECT_EQ(b.mid(e + 12, 8), "FFFFFFFF");
    EXPECT_EQ(le16(b, e + 20), 3);
    EXPECT_EQ(le16(b, e + 22), 1);
    EXPECT_EQ(b.mid(e + 24, 4), "0108");
    EXPECT_EQ(b.mid(e + 28, 4), "0372");
    EXPECT_EQ(le16(b, e + 32), 2);
    EXPECT_EQ(le16(b, e + 54), 1);
    EXPECT_EQ(b.mid(7170, 5), "VM427");
    EXPECT_EQ(le16(b, 7175), 1);
    EXPECT_EQ(le16(b, 7177), 11);
    EXPECT_EQ(b.mid(7199, 16), "BOT             ");
    EXPECT_EQ(b.mid(7215, 16), "EOT             ");
    EXPECT_EQ(le16(b, 7231), 12);
    EXPECT_EQ(le16(b, 7249), 13);
    EXPECT_EQ(le16(b, 7251), 14);
    EXPECT_EQ(le16(b, 7257), 15);
    EXPECT_EQ(le16(b, 7259), 16);
    EXPECT_EQ(le16(b, 7285), 17);
    EXPECT_EQ(le16(b, 7287), 18);
    EXPECT_EQ(b.mid(7299, 10), "IDCODE    ");
    EXPECT_EQ(b.mid(7319, 10), "STUN      ");
    EXPECT_EQ(le16(b, 7329), 19);
    EXPECT_EQ(le16(b, 7331), 20);
    EXPECT_EQ(le16(b, 7347), 21);
    EXPECT_EQ(le16(b, 7349), 8);
    EXPECT_EQ(b.mid(7353, 16), "DTMFCODE        ");
    EXPECT_EQ(le16(b, 7495), 16);
    EXPECT_EQ(b.mid(7499, 8), "RES1    ");
    EXPECT_EQ(le16(b, 7497 + 15 * 22 + 20), 22);
    EXPECT_EQ(b.mid(7849, 32).trimmed(), "LINE ONE");
    EXPECT_EQ(b.mid(7881, 32).trimmed(), "LINE TWO");
    EXPECT_EQ(le16(b, 7913), 8);
    EXPECT_EQ(le16(b, 7915), 23);
    EXPECT_EQ(le32(b, 7915 + 7 * 8 + 4), 0x01020304);
}

TEST_F(DataFileTest, NewDocumentDefaultsInTheFile) {
    QDir(path("Init")).removeRecursively();
    InitNewDocument();
    ASSERT_TRUE(SaveDataFile(path("x.dat")));
    const QByteArray b = fileBytes(path("x.dat"));
    ASSERT_EQ(b.size(), 7979);
    EXPECT_EQ(b.mid(7170, 5), "VM427");
    EXPECT_EQ(le16(b, 7175), 2);
    EXPECT_EQ(b.mid(7331, 18).toHex(' '), "ff 00 00 00 00 00 00 00 90 01 00 00 0a 00 00 00 01 00");
    EXPECT_EQ(b.mid(7199, 6), QByteArray("12345\0", 6));
    EXPECT_EQ(fileBytes(path("x.NVD")), QByteArray(6, '\0'));
}

TEST_F(DataFileTest, SaveLoadAndLoadSaveAreByteExact) {
    // Arbitrary bytes everywhere, counts and channel numbers made valid; the
    // entries past the counts keep their garbage.
    QByteArray original(7979, '\0');
    auto* rng = QRandomGenerator::global();
    for (auto& c : original)
        c = static_cast<char>(rng->bounded(256));
    auto put16 = [&](int at, int v) {
        original[at] = char(v & 0xFF);
        original[at + 1] = char((v >> 8) & 0xFF);
    };
    put16(0, 3);
    put16(2, 5);
    put16(58, 128);
    put16(114, 1);
    put16(7349, 8);
    put16(7495, 16);
    put16(7913, 0);
    writeBytes(path("in.dat"), original);
    writeBytes(path("in.NVD"), QByteArray("\x01\x00\x00\x00\x01\x00", 6));

    ASSERT_TRUE(LoadDataFile(path("in.dat")));
    EXPECT_EQ(app().sideValues, (SideValues{1, 0, 1}));
    EXPECT_FALSE(IsModified());
    EXPECT_FALSE(app().isNewDocument);
    // Saving stores the current model fields; keep them as loaded.
    ASSERT_TRUE(SaveDataFile(path("out.dat")));
    QByteArray expected = original;
    expected.replace(7170, 7, SerializeDocument(app().savedDocument).mid(7170, 7));
    EXPECT_EQ(fileBytes(path("out.dat")), expected);
    EXPECT_EQ(fileBytes(path("out.NVD")), fileBytes(path("in.NVD")));

    resetAppState();
    ASSERT_TRUE(LoadDataFile(path("out.dat")));
    ASSERT_TRUE(SaveDataFile(path("again.dat")));
    EXPECT_EQ(fileBytes(path("again.dat")), fileBytes(path("out.dat")));
}

TEST_F(DataFileTest, BadFilesAreRefusedAndChangeNothing) {
    InitNewDocument();
    const QByteArray before = SerializeDocument(app().document);
    const QByteArray good = SerializeDocument(markedDocument());

    for (int size : {7978, 7980, 0}) {
        writeBytes(path("bad.dat"), good);
        QFile::resize(path("bad.dat"), size);
        EXPECT_FALSE(LoadDataFile(path("bad.dat")));
    }
    // Each names the file and its size.
    for (const QString& text : messages_.texts())
        EXPECT_TRUE(text.startsWith("file version error. " + path("bad.dat") + ": it has "))
            << text.toStdString();
    EXPECT_EQ(messages_.texts().size(), 3);
    messages_.clear();

    // Counts and channel numbers that would lead later steps out of bounds.
    const std::pair<int, int> faults[] = {{0, 129},   {0, -1}, {7349, 9}, {7495, 17},
                                          {7913, -1}, {2, 0},  {2, 129},  {58, 1}};
    for (const auto& [at, value] : faults) {
        QByteArray b = good;
        b[at] = char(value & 0xFF);
        b[at + 1] = char((value >> 8) & 0xFF);
        if (at == 58) b[2] = 1; // entry 2 repeats entry 1's number
        writeBytes(path("bad.dat"), b);
        EXPECT_FALSE(LoadDataFile(path("bad.dat"))) << at;
    }
    EXPECT_FALSE(LoadDataFile(path("missing.dat")));
    EXPECT_EQ(messages_.texts().size(), 9);
    for (const QString& text : messages_.texts())
        EXPECT_TRUE(text.startsWith("file error. ")) << text.toStdString();
    EXPECT_EQ(messages_.texts().constFirst(),
              "file error. " + path("bad.dat") + ": not a data file: channel count 129");
    EXPECT_EQ(messages_.texts().constLast(),
              "file error. " + path("missing.dat") + ": No such file or directory");
    EXPECT_EQ(SerializeDocument(app().document), before);
    EXPECT_FALSE(IsModified());
    EXPECT_TRUE(app().isNewDocument);
}

TEST_F(DataFileTest, RandomAndTruncatedFilesNeverHarmTheDocument) {
    InitNewDocument();
    const QByteArray before = SerializeDocument(app().document);
    const QByteArray good = SerializeDocument(markedDocument());
    auto* rng = QRandomGenerator::global();
    for (int round = 0; round < 200; ++round) {
        QByteArray b = round % 2 ? good.left(rng->bounded(7979)) : good;
        for (int i = 0; i < 20; ++i)
            if (!b.isEmpty()) b[rng->bounded(int(b.size()))] = char(rng->bounded(256));
        writeBytes(path("r.dat"), b);
        if (LoadDataFile(path("r.dat"))) {
            const auto& d = app().document;
            ASSERT_TRUE(d.channelCount >= 0 && d.channelCount <= 128);
            IsModified();
            resetAppState();
            InitNewDocument();
        } else {
            ASSERT_EQ(SerializeDocument(app().document), before);
        }
    }
}

TEST_F(DataFileTest, SideFileBesideTheDataFile) {
    EXPECT_EQ(SideFileNameOf("/x/a.b.dat"), "/x/a.b.NVD");
    InitNewDocument();
    app().sideValues = SideValues{1, 1, 1};
    ASSERT_TRUE(SaveDataFile(path("a.b.dat")));
    EXPECT_TRUE(QFile::exists(path("a.b.NVD")));
    QFile::remove(path("a.b.NVD"));
    ASSERT_TRUE(LoadDataFile(path("a.b.dat")));
    EXPECT_EQ(app().sideValues, SideValues{});
    writeBytes(path("a.b.NVD"), QByteArray(5, '\1'));
    ASSERT_TRUE(LoadDataFile(path("a.b.dat")));
    EXPECT_EQ(app().sideValues, SideValues{});
    ASSERT_TRUE(SaveDataFile(path("a.b.dat")));
    EXPECT_EQ(fileBytes(path("a.b.NVD")).size(), 6);
}

TEST_F(DataFileTest, FailedSaveKeepsTheDocumentModifiedAndTheOldFile) {
    InitNewDocument();
    ASSERT_TRUE(SaveDataFile(path("keep.dat")));
    const QByteArray onDisk = fileBytes(path("keep.dat"));
    app().document.settings.features.keys.pf1Short = 3;
    ASSERT_TRUE(IsModified());

    EXPECT_FALSE(SaveDataFile(path("no/such/folder/x.dat")));
    EXPECT_EQ(messages_.texts(),
              QStringList{"file error. " + path("no/such/folder/x.dat") +
                          ": No such file or directory"});
    EXPECT_TRUE(IsModified());
    EXPECT_EQ(app().documentName, path("keep.dat"));

    // A side file that cannot be written fails the save too.
    QDir().mkpath(path("side.NVD"));
    EXPECT_FALSE(SaveDataFile(path("side.dat")));
    EXPECT_TRUE(IsModified());
    EXPECT_EQ(fileBytes(path("keep.dat")), onDisk);

    // Replacing a longer file leaves exactly the new bytes.
    writeBytes(path("long.bin"), QByteArray(9000, 'x'));
    ASSERT_TRUE(WriteFileSafely(path("long.bin"), "abc"));
    EXPECT_EQ(fileBytes(path("long.bin")), "abc");
}

TEST_F(DataFileTest, TemplatesAndTheirFallback) {
    // The band's own template.
    app().bandText = "136 - 174 MHz";
    InitNewDocument();
    EXPECT_GT(app().document.channelCount, 0);
    EXPECT_EQ(app().document.model.bandIndex, 0);
    EXPECT_FALSE(IsModified());

    // Without it, the fallback gives its settings but no channels.
    QFile::remove(path("Init/VM427_0.dat"));
    resetAppState();
    app().bandText = "136 - 174 MHz";
    InitNewDocument();
    EXPECT_EQ(app().document.channelCount, 0);
    EXPECT_EQ(app().document.model.bandIndex, 0);
    EXPECT_EQ(app().bandText, "136 - 174 MHz");
    EXPECT_FALSE(IsModified());

    // A template of the wrong length is reported; the defaults stand.
    QFile::resize(path("Init/VM427_2.dat"), 100);
    resetAppState();
    InitNewDocument();
    EXPECT_EQ(messages_.texts(), QStringList{"file version error. " + path("Init/VM427_2.dat") +
                                             ": it has 100 bytes, not 7979"});
    EXPECT_EQ(app().document.channelCount, 0);
    EXPECT_FALSE(IsModified());
    EXPECT_TRUE(messages_.shown().size() == 1);
}

TEST_F(DataFileTest, SettingsFileKeepsTheRadioFlags) {
    ReadSettingsFile();
    EXPECT_EQ(app().radioFlags, (std::array<int16, 3>{0, 0, 0}));
    app().radioFlags = {1, 0, 1};
    ASSERT_TRUE(WriteSettingsFile());
    EXPECT_EQ(fileBytes(path("Setting.ini")), QByteArray("\x01\x00\x00\x00\x01\x00", 6));
    app().radioFlags = {};
    ReadSettingsFile();
    EXPECT_EQ(app().radioFlags, (std::array<int16, 3>{1, 0, 1}));
}

// The data file and its side file are saved together: after any failed save
// both are byte for byte what they were (or still absent), nothing is left
// beside them, and the document still counts as modified.
TEST_F(DataFileTest, ASaveReplacesBothFilesOrNeither) {
    const auto folderFiles = [this] {
        QStringList files;
        QDirIterator it(path("pair"), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        while (it.hasNext()) {
            const QString f = it.next();
            files.append(f + "=" + fileBytes(f).toHex());
        }
        files.sort();
        return files;
    };
    struct Case {
        const char* name;
        bool dataExists;
        const char* blocked; // "side" or "data": made a directory
        bool bindMountSide;  // the side file a mount point: its replace fails after the data's
    };
    const Case cases[] = {
        {"side a directory, data present", true, "side", false},
        {"side a directory, data absent", false, "side", false},
        {"data a directory", false, "data", false},
        {"second replace fails", true, nullptr, true},
    };
    InitNewDocument();
    for (const Case& c : cases) {
        QDir(path("pair")).removeRecursively();
        QDir().mkpath(path("pair"));
        const QString dat = path("pair/doc.dat");
        const QString side = path("pair/doc.NVD");
        if (c.dataExists || c.bindMountSide) {
            app().sideValues = SideValues{1, 0, 1};
            ASSERT_TRUE(SaveDataFile(dat)) << c.name;
        }
        if (c.blocked) {
            const QString at = QByteArray(c.blocked) == "side" ? side : dat;
            QFile::remove(at);
            QDir().mkpath(at);
        }
        app().document.settings.features.keys.pf1Short = 4;
        app().sideValues = SideValues{0, 1, 0};
        const QStringList before = folderFiles();
        bool mounted = false;
        if (c.bindMountSide) {
            if (geteuid() != 0) continue; // only root may mount
            WriteFileBytes(path("outside.NVD"), QByteArray(6, '\7'));
            mounted = QProcess::execute("mount", {"--bind", path("outside.NVD"), side}) == 0;
            if (!mounted) continue;
        }
        messages_.clear();
        EXPECT_FALSE(SaveDataFile(dat)) << c.name;
        if (mounted) QProcess::execute("umount", {side});
        EXPECT_EQ(folderFiles(), before) << c.name;
        EXPECT_TRUE(IsModified()) << c.name;
        ASSERT_EQ(messages_.texts().size(), 1) << c.name;
        EXPECT_TRUE(messages_.texts().constFirst().startsWith("file error. " + path("pair/doc.")))
            << messages_.texts().constFirst().toStdString();
    }
}
