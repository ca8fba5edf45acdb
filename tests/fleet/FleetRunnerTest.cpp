// Several radios written at once in-process, interleaved frame by frame: each
// radio gets exactly the frames of a safe write on its own and keeps its own
// backup, a bad radio fails alone with its reason, and every radio leaves one
// line in the fleet log.
#include "FleetRig.h"
#include "TestSupport.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/Messages.h"
#include "fleet/FleetRunner.h"
#include "link/ImageConversion.h"
#include "safewrite/SafeWriteTexts.h"

#include <functional>

namespace {

constexpr int kRadios = 4;
const QString kPassword = QStringLiteral("pw");

class FleetRunnerTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        AppendTestChannel(app().document, 1);
        AppendTestChannel(app().document, 30, "44112500", "FFFFFFFF");
        AppendTestChannel(app().document, 128);
        // A safe write on its own, for comparison.
        Rig solo;
        solo.s.radio.setPassword(kPassword.toLatin1());
        solo.link->setPassword(kPassword);
        SafeWrite sequence(*solo.link);
        ASSERT_TRUE(sequence.start(solo.ui, OpenDocumentImage(), app().document, {}));
        ASSERT_TRUE(solo.run());
        ASSERT_TRUE(solo.ui.success);
        soloPc_ = solo.pcBytes();
        soloMemory_ = solo.s.radio.memory();
    }

    // Every radio with the batch password and a serial number and memory of its
    // own; `spoil` makes the last one bad.
    void Prepare(FleetRig& rig, const std::function<void(RigState&)>& spoil = {}) {
        before_.clear();
        for (int i = 0; i < static_cast<int>(rig.states.size()); ++i) {
            SimRadio& radio = rig.states[static_cast<std::size_t>(i)].radio;
            RadioImage m = radio.memory();
            for (int a = 0; a < 0xA50; ++a) // programmed before, unlike the file
                m[a] = static_cast<quint8>((a * 7 + i) & 0xFF);
            m[0xA99] = static_cast<quint8>('1' + i); // "SIM000000n"
            radio.setMemory(m);
            radio.setPassword(kPassword.toLatin1());
            before_.append(radio.memory());
        }
        if (spoil) spoil(rig.states.back());
        rig.setPorts();
        FleetOptions options;
        options.password = kPassword;
        options.logPath = path(QStringLiteral("log.csv"));
        rig.runner->setOptions(options);
    }

    // Written, verified and backed up as by a safe write on its own.
    void ExpectWrittenAlone(FleetRig& rig, int radio) {
        SCOPED_TRACE(radio);
        const FleetJob& job = rig.runner->job(radio);
        EXPECT_EQ(job.phase, FleetPhase::Done) << job.failure.toStdString();
        // Compared whole (a difference would print thousands of bytes).
        EXPECT_TRUE(rig.wire(radio, true) == soloPc_);
        const RadioImage& memory = rig.states[static_cast<std::size_t>(radio)].radio.memory();
        EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + kWritableEnd, soloMemory_.begin()));
        QString bin = job.backupPath;
        bin.replace(QStringLiteral(".dat"), QStringLiteral(".bin"));
        QFile backup(bin);
        ASSERT_TRUE(backup.open(QIODevice::ReadOnly)) << bin.toStdString();
        const auto& before = before_[radio];
        EXPECT_TRUE(backup.readAll() ==
                    QByteArray(reinterpret_cast<const char*>(before.data()), kImageSize));
        ASSERT_TRUE(job.info.has_value());
        EXPECT_EQ(job.info->serialNumber, QStringLiteral("SIM000000%1").arg(radio + 1));
    }

    QByteArray soloPc_;
    RadioImage soloMemory_{};
    QList<RadioImage> before_;
};

// One bad radio among four, for each way a radio can fail: it fails with its
// reason, the others are written exactly as on their own, and the log has one
// line per radio with the right result.
TEST_F(FleetRunnerTest, OneBadRadioNeverSpoilsTheOthers) {
    struct Case {
        const char* name;
        std::function<void(RigState&)> spoil;
        QString reason; // how the failure begins; empty: every radio succeeds
    };
    const auto fault = [](SimFaultKind kind, SimPlace place) {
        return [kind, place](RigState& s) { s.radio.addFault({kind, place}); };
    };
    const Case cases[] = {
        {"all good", {}, {}},
        {"silence", fault(SimFaultKind::Silence, SimPlace::First), FleetText("ConnectionFailed")},
        {"hang-up mid-block", fault(SimFaultKind::HangUp, SimPlace::Middle),
         FleetText("ConnectionFailed")},
        {"garbage", fault(SimFaultKind::Garbage, SimPlace::Last), FleetText("ConnectionFailed")},
        {"wrong model", fault(SimFaultKind::WrongModel, SimPlace::Identification),
         MessageText(Msg::ModelWrong)},
        {"other band", [](RigState& s) { s.radio.setBand(0); }, FleetText("OtherBandFailure")},
        {"wrong password", [](RigState& s) { s.radio.setPassword("ab12"); },
         QStringLiteral("PassWord Failure!")},
        {"port refused", [](RigState& s) { s.refuseOpen = true; }, MessageText(Msg::CannotOpenPort)},
        {"no-store", fault(SimFaultKind::NoStore, SimPlace::Middle),
         SafeWriteText("VerifyMismatch").section(QStringLiteral("%1"), 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path(QStringLiteral("log.csv")));
        FleetRig rig(kRadios);
        // A port name that needs quoting in the log.
        rig.ports[0].name = QStringLiteral("COM1, \"left\"");
        Prepare(rig, c.spoil);
        rig.runner->start();
        ASSERT_TRUE(rig.drive());
        ASSERT_FALSE(rig.runner->running());
        const int good = c.reason.isEmpty() ? kRadios : kRadios - 1;
        for (int i = 0; i < good; ++i)
            ExpectWrittenAlone(rig, i);
        const FleetJob& bad = rig.runner->job(kRadios - 1);
        if (!c.reason.isEmpty()) {
            EXPECT_EQ(bad.phase, FleetPhase::Failed);
            EXPECT_TRUE(bad.failure.startsWith(c.reason)) << bad.failure.toStdString();
            EXPECT_FALSE(rig.fakePorts.back()->isOpen());
        }
        EXPECT_EQ(rig.runner->succeeded(), good);

        const QList<QStringList> log = ReadCsv(path(QStringLiteral("log.csv")));
        ASSERT_EQ(log.size(), kRadios + 1);
        EXPECT_EQ(log[0].join(u','), FleetLogHeader());
        QList<int> rows; // of the lines, in the order they were logged
        for (int i = 1; i <= kRadios; ++i) {
            const QStringList& line = log[i];
            ASSERT_EQ(line.size(), 11);
            int row = 0;
            while (row < kRadios && rig.ports[row].name != line[1])
                ++row;
            ASSERT_LT(row, kRadios) << line[1].toStdString();
            rows.append(row);
            const FleetJob& job = rig.runner->job(row);
            EXPECT_EQ(line[9], job.phase == FleetPhase::Done ? "OK" : "FAILED");
            EXPECT_EQ(line[10], job.failure);
            EXPECT_EQ(line[7], rig.runner->fileSha256());
            EXPECT_EQ(line[8], job.backupPath);
            if (job.phase == FleetPhase::Done) {
                EXPECT_EQ(line.mid(2, 3), (QStringList{"VM427", "400 - 480 MHz",
                                                       QStringLiteral("SIM000000%1").arg(row + 1)}));
            }
        }
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(rows, (QList<int>{0, 1, 2, 3}));
    }
}

// A retry left for the batch is taken without asking; the band question is
// answered by the batch's choice.
TEST_F(FleetRunnerTest, RetriesAndOtherBandFollowTheBatchOptions) {
    FleetRig rig(2);
    Prepare(rig, [](RigState& s) {
        s.radio.setBand(0);
        s.radio.addFault({SimFaultKind::Silence, SimPlace::Middle, -1, 1});
    });
    FleetOptions options = rig.runner->options();
    options.retries = 1;
    options.otherBand = true;
    rig.runner->setOptions(options);
    rig.runner->start();
    ASSERT_TRUE(rig.drive());
    EXPECT_EQ(rig.runner->succeeded(), 2) << rig.runner->job(1).failure.toStdString();
    EXPECT_EQ(rig.runner->job(1).radioBand, 0);
}

// Stopping ends every transfer and closes every port, each stopped radio is
// logged; a row then restarted alone runs to its end as a write on its own.
TEST_F(FleetRunnerTest, StopAllThenRestartOneRow) {
    FleetRig rig(kRadios);
    Prepare(rig);
    rig.runner->start();
    rig.drive(50);
    ASSERT_TRUE(rig.runner->running());
    rig.runner->stopAll();
    EXPECT_FALSE(rig.runner->running());
    for (int i = 0; i < kRadios; ++i) {
        EXPECT_FALSE(rig.fakePorts[i]->isOpen());
        EXPECT_EQ(rig.runner->job(i).phase, FleetPhase::Failed);
        EXPECT_EQ(rig.runner->job(i).failure, FleetText("Stopped"));
    }
    EXPECT_EQ(ReadCsv(path(QStringLiteral("log.csv"))).size(), kRadios + 1);

    for (RigState& s : rig.states)
        s.wire.clear();
    ASSERT_TRUE(rig.runner->restart(2));
    EXPECT_FALSE(rig.runner->restart(2)); // already running
    ASSERT_TRUE(rig.drive());
    ExpectWrittenAlone(rig, 2);
    EXPECT_TRUE(rig.states[0].wire.isEmpty());
    EXPECT_EQ(ReadCsv(path(QStringLiteral("log.csv"))).size(), kRadios + 2);
}

// The log's file column says what went into the radios: the file's name when
// the document written is the file, else the name marked "(unsaved changes)";
// the hash is always of the record bytes written. Texts that come from a radio
// reach the log so that a spreadsheet shows them and runs nothing.
TEST_F(FleetRunnerTest, TheLogNamesWhatWasWrittenAndRunsNoRadioText) {
    const QString file = path(QStringLiteral("fleet.dat"));
    ASSERT_TRUE(SaveDataFile(file));
    struct Case {
        const char* name;
        std::function<void()> edit;
        QString fileColumn;
    } cases[] = {
        {"as saved", [] {}, file},
        {"edited", [] { app().document.channels[0].txPower ^= 1; },
         file + QStringLiteral(" (unsaved changes)")},
        {"never saved",
         [] {
             app().documentName = QStringLiteral("new.dat");
             app().isNewDocument = true;
         },
         QStringLiteral("new.dat (unsaved changes)")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.edit();
        QFile::remove(path(QStringLiteral("log.csv")));
        FleetRig rig(1);
        Prepare(rig);
        RadioImage m = rig.states[0].radio.memory();
        const QByteArray serial("=1+cmd|x!A0"), dealer("@SUM(A1)");
        std::fill(m.begin() + 2704, m.begin() + 2720, 0xFF);
        std::fill(m.begin() + 2768, m.begin() + 2784, 0xFF);
        std::copy(serial.begin(), serial.end(), m.begin() + 2704);
        std::copy(dealer.begin(), dealer.end(), m.begin() + 2768);
        rig.states[0].radio.setMemory(m);
        rig.runner->start();
        ASSERT_TRUE(rig.drive());
        const QList<QStringList> log = ReadCsv(path(QStringLiteral("log.csv")));
        ASSERT_EQ(log.size(), 2);
        EXPECT_EQ(log[1][6], c.fileColumn);
        EXPECT_EQ(log[1][7], Sha256Hex(SerializeDocument(app().document)));
        EXPECT_EQ(log[1][4], "'=1+cmd|x!A0");
        EXPECT_EQ(log[1][5], "'@SUM(A1)");
        EXPECT_EQ(log[1][9], "OK");
    }
}

} // namespace
