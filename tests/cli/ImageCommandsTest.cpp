#include "TestSupport.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

struct ImageCliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ImageCliRun Cli(const QStringList& arguments) {
    QProcess process;
    process.start(QDir(BuiltProgramFolder()).filePath("zr580-cli"), arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void AddChannel(int number, const char* rx, const char* tx, int16 flags) {
    ChannelEntry& e = AppendTestChannel(app().document, number, rx, tx);
    e.decodeTone.assign("0105");
    e.scanAdd = number == 30 ? 0 : 1;
    e.spacing = flags & 1;
    e.txPower = (flags >> 1) & 1;
    e.busyLockout = (flags >> 2) & 3;
    e.reverse = (flags >> 4) & 1;
}

} // namespace

class ImageCommandsTest : public ProgramTest {};

TEST_F(ImageCommandsTest, ImageAndBackGiveTheSameDocument) {
    InitNewDocument();
    app().document.channelCount = 0;
    AddChannel(128, "47000000", "47000000", 0b00110);
    AddChannel(1, "44000000", "FFFFFFFF", 0b00001);
    AddChannel(31, "43512500", "45000000", 0b01011);
    AddChannel(30, "40000000", "41000000", 0b10010);
    FeatureBlock& f = app().document.settings.features;
    f.keys = KeyAssignment{2, 3, 12, 255};
    f.optional.totTime = 8;
    f.scan.priorityChannel = {1, 255, 255, 255, 255, 255, 255, 16};
    f.scan.lookBackA = 35;
    app().document.settings.messageText1.assignTerminated("HELLO");
    app().sideValues = SideValues{1, 1, 0};
    ASSERT_TRUE(SaveDataFile(path("doc.dat")));
    const DocumentRecord saved = app().document;

    const ImageCliRun image = Cli({"image", path("doc.dat"), path("radio.bin")});
    ASSERT_EQ(image.exitCode, 0) << image.err.toStdString();
    const QByteArray bin = ReadAll(path("radio.bin"));
    ASSERT_EQ(bin.size(), 4096);
    EXPECT_EQ(bin.left(16), QByteArray(16, '\xff'));
    EXPECT_EQ(bin.mid(0x010, 16).toHex(), "1a39de00ffffffff0105ffff40ffffff");
    EXPECT_EQ(bin.mid(0x1E0, 13).toHex(), "17d7840018701a800105ffff14");
    EXPECT_EQ(bin.mid(0x210, 8).toHex(), "19ef7b081ad27480");
    EXPECT_EQ(static_cast<std::uint8_t>(bin[0x210 + 12]), 0x46);
    EXPECT_EQ(static_cast<std::uint8_t>(bin[0x880 + 12]), 0x05);
    EXPECT_EQ(bin.mid(0x890, 16).toHex(), "01000060000000000000000000000080");
    EXPECT_EQ(bin.mid(0x8A0, 16).toHex(), "01000040000000000000000000000080");
    EXPECT_EQ(static_cast<std::uint8_t>(bin[0x8B0]), 8);
    EXPECT_EQ(bin.mid(0x8C2, 1).toHex(), "23");
    EXPECT_EQ(bin.mid(0x8C8, 5).toHex(), "0101ffff00");
    EXPECT_EQ(bin.mid(0x8D0, 4).toHex(), "02030cff");
    EXPECT_EQ(bin.mid(0x8D8, 8).toHex(), "01ffffffffffff10");
    EXPECT_EQ(bin.mid(0xA10, 6), QByteArray("HELLO\xff"));
    EXPECT_EQ(bin.mid(0xA50, 14).toHex(), "ff564d34323702ffffffffffffff");
    EXPECT_EQ(bin.mid(0xA5E), QByteArray(4096 - 0xA5E, '\xff'));

    const ImageCliRun back = Cli({"from-image", path("radio.bin"), path("back.dat")});
    ASSERT_EQ(back.exitCode, 0) << back.err.toStdString();
    ASSERT_TRUE(LoadDataFile(path("back.dat")));
    const DocumentRecord& doc = app().document;
    ASSERT_EQ(doc.channelCount, 4);
    const int order[] = {1, 30, 31, 128};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(doc.channels[static_cast<std::size_t>(i)].number, order[i]);
        for (const auto& e : saved.channels)
            if (e.number == order[i]) {
                EXPECT_EQ(doc.channels[static_cast<std::size_t>(i)], e);
            }
    }
    EXPECT_EQ(doc.settings.features.keys, saved.settings.features.keys);
    EXPECT_EQ(doc.settings.features.scan, saved.settings.features.scan);
    EXPECT_EQ(doc.settings.features.optional, saved.settings.features.optional);
    EXPECT_EQ(doc.settings.messageText1, saved.settings.messageText1);
    EXPECT_EQ(app().sideValues, (SideValues{1, 1, 0}));
    EXPECT_EQ(ReadAll(path("back.NVD")).toHex(), "010001000000");

    // A document name without an extension would lose its end to the side file
    // ("myNVD"): refused, and no other name is chosen instead.
    EXPECT_EQ(Cli({"from-image", path("radio.bin"), path("mydoc")}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(path("mydoc")) || QFile::exists(path("myNVD")) ||
                 QFile::exists(path("mydoc.dat")));

    const ImageCliRun show = Cli({"show", "--image", path("doc.dat")});
    ASSERT_EQ(show.exitCode, 0) << show.err.toStdString();
    EXPECT_TRUE(show.out.contains("0x210")) << show.out.toStdString();
    EXPECT_TRUE(show.out.contains("0x880")) << show.out.toStdString();
}

TEST_F(ImageCommandsTest, WrongSizedOrMissingImagesAreRefused) {
    for (int size : {0, 4095, 4097}) {
        QFile f(path("bad.bin"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(size, '\xff'));
        f.close();
        const ImageCliRun run = Cli({"from-image", path("bad.bin"), path("out.dat")});
        EXPECT_EQ(run.exitCode, 2) << size;
        EXPECT_TRUE(run.err.contains("4096")) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(path("out.dat")));
    }
    const ImageCliRun missing = Cli({"from-image", path("none.bin"), path("out.dat")});
    EXPECT_EQ(missing.exitCode, 2);
    const ImageCliRun badDat = Cli({"image", path("none.dat"), path("out.bin")});
    EXPECT_EQ(badDat.exitCode, 2);
    EXPECT_FALSE(QFile::exists(path("out.bin")));
    EXPECT_EQ(Cli({"image", path("a.dat")}).exitCode, 2);
}
