#include "TestSupport.h"

#include "channels/ChannelTable.h"
#include "codec/Frequency.h"
#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {
struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ProgramRun Program(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

ProgramRun Cli(const QStringList& arguments) {
    return Program(QDir(BuiltProgramFolder()).filePath("zr580-cli"), arguments);
}

} // namespace

class ExchangeCommandsTest : public ProgramTest {
  protected:
    // A new document whose first `groups` groups are full, with tones, a
    // receive-only channel and a message, saved as doc.dat.
    void SaveDocument(int groups) {
        InitNewDocument();
        DocumentRecord& doc = app().document;
        doc.channelCount = 0;
        for (int n = 1; n <= groups * kChannelsPerGroup; ++n) {
            const QByteArray rx = QByteArray::number(40000000 + n * 31250);
            const QByteArray tx = n % 7 ? QByteArray::number(47000000 - n * 31250) : "FFFFFFFF";
            ChannelEntry& e = AppendTestChannel(doc, n, rx.constData(), tx.constData());
            if (n % 3) e.decodeTone.assign("0108");
            e.spacing = n % 2;
            e.txPower = 1;
            e.scanAdd = 1;
        }
        doc.settings.messageText1.assignTerminated("WELCOME");
        ASSERT_TRUE(SaveDataFile(path("doc.dat")));
    }
};

TEST_F(ExchangeCommandsTest, ExportThenImportGivesTheSameFileAndBadRowsStopTheImport) {
    SaveDocument(8);
    const ProgramRun exported = Cli({"export-csv", path("doc.dat"), path("doc.csv")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    QByteArray csv = ReadFileBytes(path("doc.csv"));
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"
                               "CH,Group,Row,RX MHz,TX MHz"));
    EXPECT_TRUE(csv.contains("\r\n7,1,7,402.18750,,88.5,,High,Add,25K(Wide),"))
        << csv.left(900).toStdString();

    const ProgramRun imported =
        Cli({"import-csv", path("doc.csv"), path("doc.dat"), path("back.dat")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_TRUE(ReadFileBytes(path("back.dat")) == ReadFileBytes(path("doc.dat")));

    // One row out of the band: nothing is written unless --skip-bad takes the rest.
    csv.replace("\r\n3,1,3,400.93750,469.06250,", "\r\n3,1,3,400.93750,512.000,");
    WriteFileBytes(path("bad.csv"), csv);
    const ProgramRun refused =
        Cli({"import-csv", path("bad.csv"), path("doc.dat"), path("out.dat")});
    EXPECT_EQ(refused.exitCode, 2); // a file that cannot be used as it is
    EXPECT_TRUE(refused.err.contains("line 4, TX MHz: 512.000 is outside 400-480 MHz"))
        << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.dat")));
    const ProgramRun skipped =
        Cli({"import-csv", "--skip-bad", path("bad.csv"), path("doc.dat"), path("out.dat")});
    ASSERT_EQ(skipped.exitCode, 0) << skipped.err.toStdString();
    ASSERT_TRUE(LoadDataFile(path("out.dat")));
    EXPECT_EQ(app().document.channelCount, 127);
    EXPECT_LT(FindChannelEntry(3), 0);

    WriteFileBytes(path("empty.csv"), "");
    const ProgramRun empty =
        Cli({"import-csv", path("empty.csv"), path("doc.dat"), path("out2.dat")});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_TRUE(empty.err.contains("The file is empty.")) << empty.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out2.dat")));
}

// What an import would do is said before it is done: unknown columns and an
// import that leaves no channel stop it unless --force; the counts of added,
// changed and removed channels are printed. Values only the windows refuse
// come back as they were, byte for byte.
TEST_F(ExchangeCommandsTest, ImportSaysWhatItDoesAndRefusesWhatItCannotUnderstand) {
    SaveDocument(8);
    struct Case {
        const char* csv;
        bool force;
        int exitCode;
        const char* said; // on stderr, or on stdout for a success
        int channels;     // in the written file; -1: no file written
    } cases[] = {
        {"CH,RX MHz,TX MHz\n1,440,445\n2,441,446\n5,442,447\n", false, 0,
         "channels: 0 added, 3 changed, 125 removed", 3},
        {"CH,RX MHz,TX MHz,TX Powr\n1,440,445,Low\n", false, 2,
         "unknown columns: TX Powr", -1},
        {"CH,RX MHz,TX MHz,TX Powr\n1,440,445,Low\n", true, 0,
         "channels: 0 added, 1 changed, 127 removed", 1},
        {"CH,RX MHz\n1,\n", false, 2, "the import leaves no channel; --force imports it", -1},
        {"CH,RX MHz\n1,\n", true, 0, "channels: 0 added, 0 changed, 128 removed", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.csv);
        QFile::remove(path("out.dat"));
        WriteFileBytes(path("in.csv"), c.csv);
        QStringList arguments{"import-csv", path("in.csv"), path("doc.dat"), path("out.dat")};
        if (c.force) arguments.insert(1, "--force");
        const ProgramRun run = Cli(arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE((c.exitCode ? run.err : run.out).contains(QString::fromLatin1(c.said)))
            << run.out.toStdString() << run.err.toStdString();
        ASSERT_EQ(QFile::exists(path("out.dat")), c.channels >= 0);
        if (c.channels >= 0) {
            ASSERT_TRUE(LoadDataFile(path("out.dat")));
            EXPECT_EQ(app().document.channelCount, c.channels);
        }
    }

    // A file holding what the windows never offer, and a text that a
    // spreadsheet would run: export, then import, gives the same file.
    ASSERT_TRUE(LoadDataFile(path("doc.dat")));
    DocumentRecord& doc = app().document;
    for (int k = 0; k < doc.channelCount; ++k) {
        ChannelEntry& e = doc.channels[static_cast<std::size_t>(k)];
        e.autodial = static_cast<int16>(8 + k % 8);
        e.reverse = 1;
        e.talkAround = 1;
        e.spUnmute = 2;
        e.reserved1 = static_cast<int16>(-k);
    }
    ASSERT_TRUE(SaveDataFile(path("odd.dat")));
    ASSERT_EQ(Cli({"export-csv", path("odd.dat"), path("odd.csv")}).exitCode, 0);
    const ProgramRun back =
        Cli({"import-csv", path("odd.csv"), path("odd.dat"), path("odd-back.dat")});
    ASSERT_EQ(back.exitCode, 0) << back.err.toStdString();
    EXPECT_TRUE(back.err.contains("taken as it stands")) << back.err.toStdString();
    EXPECT_TRUE(ReadFileBytes(path("odd-back.dat")) == ReadFileBytes(path("odd.dat")));
}

TEST_F(ExchangeCommandsTest, ThePdfSheetHoldsEveryFrequencyWithThreeGroupsAPage) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdftotext.isEmpty() || pdfinfo.isEmpty())
        GTEST_SKIP()
            << "pdftotext/pdfinfo (poppler-utils) are not installed: the PDF is not read back";

    for (const auto& [groups, pages] : {std::pair{8, 3}, std::pair{3, 2}, std::pair{1, 1}}) {
        SCOPED_TRACE(groups);
        SaveDocument(groups);
        const ProgramRun run = Cli({"print", path("doc.dat"), "--pdf", path("sheet.pdf")});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const ProgramRun info = Program(pdfinfo, {path("sheet.pdf")});
        EXPECT_TRUE(
            info.out.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))))
            << info.out.toStdString();
        EXPECT_TRUE(info.out.contains("(A4)")) << info.out.toStdString();
        const QString text = Program(pdftotext, {"-layout", path("sheet.pdf"), "-"}).out;
        EXPECT_TRUE(text.contains("Model ZR580") && text.contains("400 - 480 MHz") &&
                    text.contains("doc.dat") && text.contains("WELCOME"))
            << text.toStdString();
        // Every page says which sheet it belongs to and its number.
        const QStringList pageTexts = text.split(u'\f', Qt::SkipEmptyParts);
        ASSERT_EQ(pageTexts.size(), pages);
        for (int p = 1; p <= pages; ++p) {
            const QString& page = pageTexts.at(p - 1);
            EXPECT_TRUE(page.contains(QStringLiteral("Page %1 of %2").arg(p).arg(pages)))
                << page.toStdString();
            EXPECT_TRUE(page.contains("ZR580 Channel Sheet") && page.contains("File doc.dat"))
                << page.toStdString();
        }
        const DocumentRecord& doc = app().document;
        int missing = 0;
        for (int i = 0; i < doc.channelCount; ++i) {
            const ChannelEntry& e = doc.channels[static_cast<std::size_t>(i)];
            for (const QString& f : {FreDataToShow(e.rxFreq.raw()), FreDataToShow(e.txFreq.raw())})
                if (!f.isEmpty() && !text.contains(f)) ++missing;
        }
        EXPECT_EQ(missing, 0) << text.toStdString();
    }
}
