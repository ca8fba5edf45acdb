// The backup, write and read-back check against the in-process radio: a radio
// that acknowledges without storing never gives "Write Data Completed.", the
// backup holds the radio's memory from before the write, the write phase is
// today's write frame for frame, and a backup that cannot be kept stops
// everything before the radio is written.
#include "../link/LinkRig.h"
#include "TestSupport.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/Messages.h"
#include "link/ImageConversion.h"
#include "safewrite/SafeWrite.h"
#include "safewrite/SafeWriteTexts.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <unistd.h>

namespace {

QByteArray Bytes(const RadioImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), kImageSize);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A radio whose memory differs from what the template document writes, its
// identification (0xA50-0xA5D) and password area (0xA80-0xABF) kept.
void Program(SimRadio& radio) {
    RadioImage m = radio.memory();
    for (int a = 0; a < kImageSize; ++a)
        if ((a < 0xA50 || a > 0xA5D) && (a < 0xA80 || a > 0xABF))
            m[a] = static_cast<quint8>((a * 7 + 1) & 0xFF);
    radio.setMemory(m);
}

// The program's frames, split at each "PROGRAM" that follows other frames: one
// list per transfer.
QList<QList<QByteArray>> Transfers(const QList<WireFrame>& wire) {
    QList<QList<QByteArray>> transfers;
    for (const WireFrame& f : wire) {
        if (!f.fromPc) continue;
        if (f.bytes == "PROGRAM" && (transfers.isEmpty() || transfers.last().last() != "PROGRAM"))
            transfers.append(QList<QByteArray>());
        transfers.last().append(f.bytes);
    }
    return transfers;
}

class SafeWriteTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        InitNewDocument();
        document_ = SerializeDocument(app().document);
        image_ = OpenDocumentImage();
        options_.backupFolder = path(QStringLiteral("backups"));
    }
    // Runs the sequence on the rig to its end; false when it hung.
    bool Run(Rig& rig, SafeWrite& sequence) {
        if (!sequence.start(rig.ui, image_, app().document, options_)) return false;
        return rig.run() && !sequence.running();
    }
    QStringList BackupFiles() const {
        return QDir(options_.backupFolder).entryList(QDir::Files, QDir::Name);
    }
    // The frames today's write sends to the rig's radio.
    QList<QByteArray> TodaysWrite() {
        Rig plain;
        EXPECT_TRUE(plain.link->startWrite(plain.ui));
        EXPECT_TRUE(plain.run());
        return Transfers(plain.s.wire).value(0);
    }
    QByteArray document_;
    RadioImage image_{};
    SafeWriteOptions options_;
};

// Every combination of the two settings: the transfers run in order, the write is
// today's write frame for frame, the backups are well-formed checked reads, the radio
// ends with the written image and only "Write Data Completed." is said.
TEST_F(SafeWriteTest, CleanWriteInEveryCombination) {
    const QList<QByteArray> todays = TodaysWrite();
    Rig fullRead;
    ASSERT_TRUE(fullRead.link->startRead(fullRead.ui));
    ASSERT_TRUE(fullRead.run());
    const QList<QByteArray> read = Transfers(fullRead.s.wire).value(0);
    // The backup is a checked read: every block read twice.
    Rig checkedRead;
    checkedRead.link->setCheckedReads(true);
    ASSERT_TRUE(checkedRead.link->startRead(checkedRead.ui));
    ASSERT_TRUE(checkedRead.run());
    const QList<QByteArray> checked = Transfers(checkedRead.s.wire).value(0);
    ASSERT_EQ(checked.size(), read.size() + 64 * 2);
    InitNewDocument();
    for (const bool backup : {true, false}) {
        for (const bool verify : {true, false}) {
            SCOPED_TRACE(
                QStringLiteral("backup %1 verify %2").arg(backup).arg(verify).toStdString());
            QDir(options_.backupFolder).removeRecursively();
            options_.backup = backup;
            options_.verify = verify;
            Rig rig;
            Program(rig.s.radio);
            const RadioImage before = rig.s.radio.memory();
            SafeWrite sequence(*rig.link);
            QList<SafeWritePhase> phases;
            sequence.onPhase = [&](SafeWritePhase p) { phases.append(p); };
            ASSERT_TRUE(Run(rig, sequence));
            EXPECT_TRUE(sequence.result().success);
            EXPECT_TRUE(rig.ui.success);
            EXPECT_EQ(rig.ui.endings, 1);
            // What was done besides the write is said after "Write Data Completed.".
            QString said = MessageText(Msg::WriteCompleted);
            if (backup)
                said += u'\n' + SafeWriteText("BackedUpTo")
                                     .arg(QDir::toNativeSeparators(sequence.result().backupPath));
            if (verify) said += u'\n' + SafeWriteText("Checked");
            EXPECT_EQ(rig.ui.messages, QStringList{said});
            EXPECT_EQ(rig.ui.events.count(QStringLiteral("opened")), 1);
            EXPECT_EQ(rig.ui.events.count(QStringLiteral("closed")), 1);
            EXPECT_EQ(SerializeDocument(app().document), document_);

            const auto transfers = Transfers(rig.s.wire);
            ASSERT_EQ(transfers.size(), 1 + int(backup) + int(verify));
            ASSERT_EQ(phases.size(), transfers.size());
            const int w = backup ? 1 : 0;
            EXPECT_EQ(phases[w], SafeWritePhase::Write);
            EXPECT_TRUE(transfers[w] == todays);
            if (backup) {
                EXPECT_TRUE(transfers[0] == checked);
            }
            if (verify) {
                // The read's frames up to the block at 0xA40, then "E".
                const QList<QByteArray> check = transfers.last();
                EXPECT_TRUE(check.mid(0, check.size() - 1) == read.mid(0, 5 + 2 * 42));
                EXPECT_EQ(check.last(), "E");
            }
            int wire = 0;
            for (const SafeWritePhase p : phases)
                wire += PhaseLineBytes(p);
            EXPECT_EQ(rig.wireTotal(), wire);
            // The bar never goes back and ends at the last block of the last phase.
            for (int i = 1; i < rig.ui.progress.size(); ++i)
                EXPECT_GE(rig.ui.progress[i], rig.ui.progress[i - 1]);
            EXPECT_GE(rig.ui.progress.last(), 98);

            RadioImage expected = image_;
            for (int a = 0xA50; a <= 0xA5D; ++a)
                if (a != 0xA56) expected[a] = before[a];
            EXPECT_TRUE(Bytes(rig.s.radio.memory()).left(0xA60) == Bytes(expected).left(0xA60));
            EXPECT_TRUE(Bytes(rig.s.radio.memory()).mid(0xA60) == Bytes(before).mid(0xA60));

            const QStringList files = BackupFiles();
            if (!backup) {
                EXPECT_TRUE(files.isEmpty());
                EXPECT_TRUE(sequence.result().backupPath.isEmpty());
                continue;
            }
            ASSERT_EQ(files.size(), 4) << files.join(u' ').toStdString();
            EXPECT_TRUE(QRegularExpression(
                            QStringLiteral(R"(^\d{4}-\d\d-\d\d_\d{6}_VM427_band2(_SN[0-9A-Za-z_-]+)?\.(bin|dat|ini|NVD)$)"))
                            .match(files[0])
                            .hasMatch())
                << files[0].toStdString();
            const QString data = sequence.result().backupPath;
            EXPECT_TRUE(ReadFile(data.chopped(3) + QStringLiteral("bin")) == Bytes(before));
            // The data file is the document a read of that memory makes.
            DocumentRecord restored;
            ASSERT_TRUE(DeserializeDocument(ReadFile(data), &restored));
            DocumentRecord expectedDoc = app().document;
            SideValues side;
            ImageToDocument(before, expectedDoc, side);
            EXPECT_EQ(SerializeDocument(restored), SerializeDocument(expectedDoc));
            EXPECT_EQ(ReadFile(SideFileNameOf(data)), SerializeSideValues(side));
        }
    }
}

// A radio that acknowledges blocks without storing them, at the first, a middle
// and the last block: the write fails naming the differing addresses and the
// backup, which holds the memory from before the write.
TEST_F(SafeWriteTest, NoStoreIsNeverASuccess) {
    const struct {
        const char* fault;
        int block;
    } cases[] = {{"no-store@first", 0x000}, {"no-store@middle", 0x530}, {"no-store@last", 0xA50}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        Rig rig;
        Program(rig.s.radio);
        rig.s.radio.addFault(*ParseSimFault(QString::fromLatin1(c.fault)));
        const RadioImage before = rig.s.radio.memory();
        SafeWrite sequence(*rig.link);
        ASSERT_TRUE(Run(rig, sequence));
        EXPECT_FALSE(rig.ui.success);
        EXPECT_FALSE(rig.ui.messages.contains(MessageText(Msg::WriteCompleted)));
        const ImageDifference& d = sequence.result().difference;
        ASSERT_GT(d.count, 0);
        EXPECT_LE(d.count, 16);
        for (const int a : d.first) {
            EXPECT_GE(a, c.block);
            EXPECT_LT(a, c.block + 16);
        }
        ASSERT_EQ(rig.ui.messages.size(), 1);
        const QString message = rig.ui.messages[0];
        EXPECT_TRUE(message.contains(DifferenceAddresses(d))) << message.toStdString();
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(sequence.result().backupPath)));
        EXPECT_TRUE(ReadFile(sequence.result().backupPath.chopped(3) + QStringLiteral("bin")) ==
                    Bytes(before));
        EXPECT_EQ(SerializeDocument(app().document), document_);
    }
}

// Faults in the read-back: the retry prompt as in a read; OK restarts only that
// phase and can succeed, Cancel fails the write. Never a success message on a
// failed check.
TEST_F(SafeWriteTest, FaultsInTheReadBack) {
    for (const char* fault : {"wrong-address@middle:1", "garbage@0x200:1", "silence@first:1"}) {
        for (const bool retry : {true, false}) {
            SCOPED_TRACE(std::string(fault) + (retry ? " retry" : " cancel"));
            Rig rig;
            SafeWrite sequence(*rig.link);
            sequence.onPhase = [&](SafeWritePhase p) {
                if (p == SafeWritePhase::Verify) rig.s.radio.addFault(*ParseSimFault(fault));
            };
            rig.ui.retryAnswers = {retry};
            ASSERT_TRUE(Run(rig, sequence));
            EXPECT_EQ(rig.ui.retryPrompts, 1);
            EXPECT_EQ(rig.ui.success, retry);
            EXPECT_EQ(rig.ui.messages.filter(MessageText(Msg::WriteCompleted)).size(), retry ? 1 : 0);
            if (!retry) {
                EXPECT_TRUE(rig.ui.messages.last().startsWith(SafeWriteText("VerifyReadFailed")));
            }
            // Backup, write, check, and the check again after OK: the write ran once.
            EXPECT_EQ(Transfers(rig.s.wire).size(), retry ? 4 : 3);
        }
    }
}

// A backup folder that cannot be made, cannot be written or runs full: nothing is
// written to the radio, and a clear message says so.
TEST_F(SafeWriteTest, BackupThatCannotBeKeptStopsTheWrite) {
    QFile blocker(path(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString readOnly = path(QStringLiteral("read-only"));
    ASSERT_TRUE(QDir().mkpath(readOnly));
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const struct {
        const char* name;
        QString folder;
        bool full;
    } cases[] = {
        {"missing", path(QStringLiteral("not-a-folder/backups")), false},
        {"read-only", readOnly, false},
        {"full", path(QStringLiteral("backups")), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (QString::fromLatin1(c.name) == QLatin1String("read-only") && geteuid() == 0) continue;
        Rig rig;
        Program(rig.s.radio);
        const RadioImage before = rig.s.radio.memory();
        options_.backupFolder = c.folder;
        if (c.full) options_.writeFile = [](const QString&, const QByteArray&) { return false; };
        SafeWrite sequence(*rig.link);
        const bool started = sequence.start(rig.ui, image_, app().document, options_);
        if (started) {
            EXPECT_TRUE(rig.run());
        }
        EXPECT_EQ(started, c.full); // a full disk is found when the backup is stored
        EXPECT_FALSE(rig.ui.success);
        for (const WireFrame& f : rig.s.wire)
            EXPECT_FALSE(f.fromPc && f.bytes.startsWith('W')) << "a block was written";
        EXPECT_TRUE(Bytes(rig.s.radio.memory()) == Bytes(before));
        ASSERT_EQ(rig.ui.messages.size(), 1);
        EXPECT_TRUE(rig.ui.messages[0].contains(QDir::toNativeSeparators(c.folder)));
        EXPECT_TRUE(QDir(c.folder).entryList(QDir::Files).isEmpty());
        options_.writeFile = {};
    }
    QFile::setPermissions(readOnly,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

namespace {

// What a read-back that differs leads to: a difference that does not repeat
// (noise on the read-back) is cleared by reading the differing blocks again; a
// block the radio really did not store is written again with the whole image;
// the backup, a checked read, equals the radio before even when a backup block
// was spoilt once; and every phase has its own step retries.
TEST_F(SafeWriteTest, ReadBackDifferencesAreReadAgainThenRepaired) {
    const struct {
        const char* name;
        const char* fault;
        bool spoilReadBack;   // one block of the read-back spoilt once
        bool spoilBackup;     // one block of the backup spoilt once
        int writes;           // write transfers run
        QList<int> reread;    // blocks of the read-back read again
    } cases[] = {
        {"read-back noise", nullptr, true, false, 1, {0x400}},
        {"backup noise", nullptr, false, true, 1, {}},
        {"block not stored once", "no-store@0x530:1", false, false, 2, {0x500}},
        // The backup spends all its retries; the write still has its own.
        {"drop-outs in two phases", "silence@0x000:3 silence@0xA50:3", false, false, 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(options_.backupFolder).removeRecursively();
        Rig rig;
        rig.link->setStepRetries(3);
        Program(rig.s.radio);
        if (c.fault)
            for (const QString& f : QString::fromLatin1(c.fault).split(u' '))
                rig.s.radio.addFault(*ParseSimFault(f));
        const RadioImage before = rig.s.radio.memory();
        // The read-back is the fourth and later reads of 0x400 (two come from the
        // checked backup); the backup's is the first.
        auto reads = std::make_shared<int>(0);
        rig.s.tamper = [&c, reads](QByteArray& reply) {
            if (!reply.startsWith(QByteArrayLiteral("W\x04\x00\x40"))) return;
            ++*reads;
            if ((c.spoilBackup && *reads == 1) || (c.spoilReadBack && *reads == 3))
                reply[10] = static_cast<char>(reply[10] ^ 0x10);
        };
        SafeWrite sequence(*rig.link);
        ASSERT_TRUE(Run(rig, sequence));
        EXPECT_TRUE(rig.ui.success) << rig.ui.messages.join(u'|').toStdString();
        EXPECT_EQ(rig.ui.retryPrompts, 0);
        RadioImage expected = image_;
        for (int a = 0xA50; a <= 0xA5D; ++a)
            if (a != 0xA56) expected[a] = before[a];
        EXPECT_TRUE(Bytes(rig.s.radio.memory()).left(0xA60) == Bytes(expected).left(0xA60));
        EXPECT_TRUE(ReadFile(sequence.result().backupPath.chopped(3) + QStringLiteral("bin")) ==
                    Bytes(before));
        const auto transfers = Transfers(rig.s.wire);
        int writes = 0;
        QList<int> reread;
        for (const auto& t : transfers) {
            if (t.size() > 5 && t[5].startsWith('W')) ++writes;
            // A read of only some blocks: fewer requests than a whole read-back.
            if (t.size() > 5 && t[5].startsWith('R') && t.size() < 5 + 2 * 42)
                for (int i = 5; i < t.size(); i += 2)
                    if (t[i].startsWith('R'))
                        reread.append(static_cast<quint8>(t[i][1]) * 256 +
                                      static_cast<quint8>(t[i][2]));
        }
        EXPECT_EQ(writes, c.writes);
        EXPECT_EQ(reread, c.reread);
    }
}

} // namespace
