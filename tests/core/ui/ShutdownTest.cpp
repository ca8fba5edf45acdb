// The ends of the program that do not come from its window: a termination signal
// to the real program runs its normal shutdown (settings and window position
// stored, the demonstration radio stopped and its port released, the temporary
// folder removed); unsaved changes become a recovery copy that the next start
// offers; a logout asks or keeps a copy.
#include "CliProcess.h"
#include "ShellFixture.h"

#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/ProgramFolder.h"
#include "core/Recovery.h"
#include "core/ui/LifeCycle.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <csignal>

namespace {
void changeDocument() {
    AppendTestChannel(app().document, 77, "44012500", "44012500");
}

QStringList recoveryCopies() {
    return QDir(RecoveryFolder()).entryList({QStringLiteral("*.dat")}, QDir::Files);
}

// The program's own handlers give way to the default ones after a test.
void restoreSignals() {
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        std::signal(sig, SIG_DFL);
}
} // namespace

TEST_F(ShellTest, ASignalToTheProgramRunsItsNormalShutdown) {
    struct Case {
        const char* name;
        int signal;
        bool demo;
        bool recoveryCopy; // one waits from an earlier run: its question is cut short
    };
    const Case cases[] = {
        {"SIGTERM with the demonstration radio", SIGTERM, true, false},
        {"SIGHUP with the demonstration radio", SIGHUP, true, false},
        {"SIGINT while the recovery question is open", SIGINT, false, true},
    };
    const QString recovery = path(QStringLiteral("recovery/recovery-20261208-101010.dat"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* file : {"Setting.ini", "BatchFun.ini", "zr580.conf"})
            QFile::remove(path(QLatin1String(file)));
        QDir(path(QStringLiteral("recovery"))).removeRecursively();
        if (c.recoveryCopy) {
            QDir().mkpath(path(QStringLiteral("recovery")));
            ASSERT_TRUE(QFile::copy(path(QStringLiteral("Init/VM427_2.dat")), recovery));
        }
        QTemporaryDir runtime;
        ASSERT_TRUE(runtime.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZR580_HOME"), folder_.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("ZR580_LANG"), QStringLiteral("en"));
        QProcess gui;
        gui.setProcessEnvironment(env);
        gui.start(Program(QStringLiteral("zr580")),
                  c.demo ? QStringList{QStringLiteral("--demo")} : QStringList{});
        ASSERT_TRUE(gui.waitForStarted(5000));
        // Running once the start-up has written the batch flags (and, with the
        // demonstration radio, its line exists in the temporary folder).
        [[maybe_unused]] const bool running = QTest::qWaitFor(
            [&] {
                return QFileInfo::exists(path(QStringLiteral("BatchFun.ini"))) &&
                       (!c.demo || !QDir(runtime.path()).isEmpty());
            },
            10000);
        ASSERT_TRUE(QFileInfo::exists(path(QStringLiteral("BatchFun.ini"))));
        EXPECT_EQ(QDir(runtime.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(),
                  c.demo ? 1 : 0);
        QTest::qWait(300); // the main window is shown

        ::kill(static_cast<pid_t>(gui.processId()), c.signal);
        ASSERT_TRUE(gui.waitForFinished(10000));
        const QString err = QString::fromUtf8(gui.readAllStandardError());
        EXPECT_EQ(gui.exitStatus(), QProcess::NormalExit) << err.toStdString();
        EXPECT_EQ(gui.exitCode(), 0) << err.toStdString();
        EXPECT_EQ(QFileInfo(path(QStringLiteral("Setting.ini"))).size(), 6);
        EXPECT_TRUE(
            ReadFileBytes(path(QStringLiteral("zr580.conf"))).contains("MainLeft=")); // position
        EXPECT_TRUE(QDir(runtime.path()).isEmpty()) << "the temporary folder is removed";
        EXPECT_FALSE(ReadFileBytes(path(QStringLiteral("language/mysetup.ini"))).contains("COM200"))
            << "the demonstration radio's port is released";
        EXPECT_EQ(QFileInfo::exists(recovery), c.recoveryCopy)
            << "an unanswered recovery question keeps the copy";
        EXPECT_EQ(recoveryCopies().size(), c.recoveryCopy ? 1 : 0)
            << "an unchanged document leaves no copy";
    }
}

// In the running program: the signal's byte through the socket pair, the
// shutdown in the event loop, the recovery copy, and the next start's question.
TEST_F(ShellTest, UnsavedChangesAtASignalAreOfferedAtTheNextStart) {
    struct Case {
        const char* language;
        MsgAnswer answer;
        const char* question;
    };
    const Case cases[] = {
        {"en", MsgAnswer::Yes, "Recover unsaved changes from %1?"},
        {"zh", MsgAnswer::No, "是否恢复 %1 未保存的更改？"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        QFile::remove(path(QStringLiteral("Setting.ini")));
        start(c.language);
        InstallShutdownRequests(*main_);
        changeDocument();
        ASSERT_TRUE(IsModified());

        ASSERT_EQ(::raise(SIGTERM), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !main_->isVisible(); }, 5000));
        restoreSignals();
        EXPECT_TRUE(messages_.shown().isEmpty()) << "a signal asks nothing";
        EXPECT_EQ(QFileInfo(path(QStringLiteral("Setting.ini"))).size(), 6);
        const QStringList copies = recoveryCopies();
        ASSERT_EQ(copies.size(), 1);
        const QString copy = QDir(RecoveryFolder()).filePath(copies.constFirst());
        const QByteArray kept = SerializeDocument(app().document);
        EXPECT_EQ(ReadFileBytes(copy), kept);
        EXPECT_TRUE(QFileInfo::exists(SideFileNameOf(copy)));
        const QString when =
            QFileInfo(copy).lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));

        // The next start, as the program makes it.
        main_.reset();
        resetAppState();
        start(c.language);
        InstallShutdownRequests(*main_);
        restoreSignals();
        ScriptedMessages offer;
        offer.answer(c.answer);
        OfferRecoveryCopy();
        EXPECT_EQ(offer.texts(), QStringList{QString::fromUtf8(c.question).arg(when)});
        ASSERT_EQ(offer.shown().size(), 1);
        EXPECT_EQ(offer.shown()[0].buttons, MsgButtons::YesNo);
        EXPECT_TRUE(recoveryCopies().isEmpty()) << "answered either way, the copy goes";
        EXPECT_FALSE(QFileInfo::exists(SideFileNameOf(copy)));
        const bool recovered = c.answer == MsgAnswer::Yes;
        EXPECT_EQ(IsModified(), recovered);
        EXPECT_EQ(SerializeDocument(app().document) == kept, recovered);
        EXPECT_TRUE(app().isNewDocument) << "the recovered document is untitled";
        EXPECT_EQ(app().documentName, QStringLiteral("new.dat"));
        main_.reset();
        resetAppState();
    }
}

// The session manager's save request: the save question when the program may
// ask (Cancel cancels the logout; No lets the changes go, so a signal after it
// keeps no copy), a recovery copy when it may not.
TEST_F(ShellTest, ALogoutAsksOrKeepsARecoveryCopy) {
    struct Case {
        const char* name;
        bool canAsk;
        MsgAnswer answer;
        int questions;
        bool cancelled;
        int copies; // after the request and a termination signal
    };
    const Case cases[] = {
        {"no question allowed", false, MsgAnswer::Yes, 0, false, 1},
        {"Cancel", true, MsgAnswer::Cancel, 1, true, 1},
        {"No", true, MsgAnswer::No, 1, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(RecoveryFolder()).removeRecursively();
        start();
        InstallShutdownRequests(*main_);
        changeDocument();
        ScriptedMessages box;
        box.answer(c.answer);
        bool cancelled = false;
        CommitSessionData(c.canAsk, [&] { cancelled = true; });
        EXPECT_EQ(box.shown().size(), c.questions);
        EXPECT_EQ(cancelled, c.cancelled);
        EXPECT_EQ(recoveryCopies().size(), c.canAsk ? 0 : 1);
        EndWithoutQuestion(*main_);
        EXPECT_EQ(recoveryCopies().size(), c.copies) << "one copy for one document";
        main_.reset();
        resetAppState();
    }
}
