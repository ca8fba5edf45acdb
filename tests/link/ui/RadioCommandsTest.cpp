// Reading, writing and the radio-information read as a technician runs them
// from the main window, end to end against the simulated radio on a
// pseudo-terminal.

#include "SimulatedRadio.h"
#include "TestSupport.h"

#include "../../features/ui/WidgetDriver.h"
#include "channels/ChannelTable.h"
#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/Hooks.h"
#include "core/Language.h"
#include "core/Messages.h"
#include "core/Startup.h"
#include "core/ui/FrmMain.h"
#include "core/ui/LifeCycle.h"
#include "core/ui/WindowRegistry.h"
#include "history/EditHistory.h"
#include "link/ImageConversion.h"
#include "link/LinkTransfer.h"
#include "link/RadioCommands.h"
#include "link/ui/FrmPassWord.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>
#include <csignal>
#include <functional>
#include <memory>

namespace {
void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Bytes(const RadioImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), kImageSize);
}

class RadioCommands : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        StartProgram();
        main_ = std::make_unique<FrmMain>();
        FinishStartup();
        main_->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        SetPasswordWindowHandler({});
        CloseCurAllWindows();
        main_.reset();
        QApplication::processEvents();
        ProgramTest::TearDown();
    }

    // A radio memory holding the given document, as a write would leave it.
    QString radioImageOf(SimulatedRadio& radio) {
        FillImage();
        RecordsToImage();
        const QString path = radio.file(QStringLiteral("radio.bin"));
        WriteFile(path, Bytes(app().image));
        return path;
    }

    // Three channels and a few settings that no new document has.
    void editKnownDocument() {
        app().document.channelCount = 0;
        ChangeChannelData(1, 1, FieldRxFreq, QStringLiteral("440.12500"));
        ChangeChannelData(2, 1, FieldRxFreq, QStringLiteral("450.00000"));
        ChangeChannelData(2, 1, FieldTxFreq, QStringLiteral("455.00000"));
        ChangeChannelData(8, 16, FieldRxFreq, QStringLiteral("479.99000"));
        app().document.settings.features.optional.squelchLevel = 7;
        app().document.settings.features.keys.pf1Short = 4;
        app().document.settings.messageText1.assignTerminated("RADIO");
    }

    bool shown(Msg entry) const { return messages_.texts().contains(MessageText(entry)); }

    std::unique_ptr<FrmMain> main_;
};
} // namespace

TEST_F(RadioCommands, ReadThroughTheMenuReplacesTheDocument) {
    SimulatedRadio radio;
    editKnownDocument();
    const DocumentRecord inRadio = app().document;
    const QString image = radioImageOf(radio);
    radio.start({QStringLiteral("--image"), image});
    InitNewDocument();
    app().documentName = QStringLiteral("/tmp/old.dat");
    app().isNewDocument = false;
    ShowChildWindow(QStringLiteral("FrmScanInfo"));
    // A node clicked before the read is not left highlighted after it.
    auto* tree = main_->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    QTreeWidgetItem* node = tree->topLevelItem(0)->child(1);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
    ASSERT_EQ(tree->currentItem(), node);

    // The progress window is up (modal, captioned) while the radio answers.
    ProgressWatch progress;
    // The scan window keeps the priority channels valid, which counts as a
    // change: the read offers to save it first.
    ASSERT_TRUE(IsModified());
    messages_.answer(MsgAnswer::No);
    messages_.answer(MsgAnswer::Ok); // "Read data from radio." / "Do you wish continue?"
    main_->menuAction(QStringLiteral("mnuReadFromRadio"))->trigger();

    ASSERT_EQ(messages_.texts(),
              QStringList({MessageText(Msg::SaveModified), MessageText(Msg::ReadConfirm),
                           MessageText(Msg::ReadCompleted)}));
    EXPECT_EQ(progress.captions, QStringList({"Read data from radio"}));
    EXPECT_EQ(app().document.channelCount, 3);
    for (int number : {1, 17, 128}) {
        const int at = FindChannelEntry(number);
        ASSERT_GE(at, 0) << number;
        const int was = FindChannelEntry(inRadio, number);
        EXPECT_EQ(app().document.channels[at].rxFreq, inRadio.channels[was].rxFreq);
        EXPECT_EQ(app().document.channels[at].txFreq, inRadio.channels[was].txFreq);
    }
    EXPECT_EQ(app().document.settings.features.optional.squelchLevel, 7);
    EXPECT_EQ(app().document.settings.features.keys.pf1Short, 4);
    EXPECT_EQ(app().document.settings.messageText1.value(), QByteArray("RADIO"));
    EXPECT_EQ(app().documentName, "new.dat");
    EXPECT_TRUE(main_->windowTitle().endsWith("[File Name:new.dat]"));
    EXPECT_EQ(FindOpenWindow(QStringLiteral("FrmScanInfo")), nullptr);
    EXPECT_EQ(tree->currentItem(), nullptr);
    EXPECT_TRUE(tree->selectedItems().isEmpty());
    if (IsRegistered(QStringLiteral("frmCommChInfo"))) {
        EXPECT_NE(FindOpenWindow(QStringLiteral("frmCommChInfo")), nullptr);
    }
}

// A read replaces the document: unsaved edits get the save question before the
// read's own confirmation, and Cancel leaves document, history and windows alone.
TEST_F(RadioCommands, ReadAsksToSaveUnsavedEditsFirst) {
    struct Case {
        MsgAnswer answer;
        bool reads;
        bool saved;
    };
    for (const Case c : {Case{MsgAnswer::Cancel, false, false}, Case{MsgAnswer::No, true, false},
                         Case{MsgAnswer::Yes, true, true}}) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        SimulatedRadio radio;
        editKnownDocument();
        const QString image = radioImageOf(radio);
        radio.start({QStringLiteral("--image"), image});
        InitNewDocument();
        InstallEditHistory();
        ASSERT_TRUE(SaveDataFile(path("doc.dat")));
        const QByteArray onDisk = ReadFileBytes(path("doc.dat"));
        ChangeChannelData(3, 2, FieldRxFreq, QStringLiteral("433.50000"));
        const DocumentRecord edited = app().document;
        const int steps = editHistory().undoSteps();
        ASSERT_GT(steps, 0);
        ShowChildWindow(QStringLiteral("FrmScanInfo"));

        messages_.clear();
        messages_.answer(c.answer);
        if (c.reads) messages_.answer(MsgAnswer::Ok); // the read's confirmation
        main_->menuAction(QStringLiteral("mnuReadFromRadio"))->trigger();

        QStringList expected{MessageText(Msg::SaveModified)};
        if (c.reads) expected << MessageText(Msg::ReadConfirm) << MessageText(Msg::ReadCompleted);
        EXPECT_EQ(messages_.texts(), expected);
        EXPECT_EQ(ReadFileBytes(path("doc.dat")) == onDisk, !c.saved);
        if (c.reads) {
            EXPECT_EQ(app().document.channelCount, 3);
            EXPECT_EQ(app().documentName, "new.dat");
        } else {
            EXPECT_TRUE(app().document == edited);
            EXPECT_EQ(editHistory().undoSteps(), steps);
            EXPECT_NE(FindOpenWindow(QStringLiteral("FrmScanInfo")), nullptr);
            EXPECT_TRUE(IsModified());
        }
        CloseCurAllWindows();
    }
}

TEST_F(RadioCommands, ReadFromAnotherModelKeepsTheDocument) {
    SimulatedRadio radio;
    radio.start({QStringLiteral("--model"), QStringLiteral("XY123")});
    editKnownDocument();
    const QByteArray before = app().document.settings.messageText1.raw();
    const int16 count = app().document.channelCount;

    app().languageIndex = Chinese;
    ProgressWatch progress;
    messages_.answer(MsgAnswer::No); // the edits are not saved
    messages_.answer(MsgAnswer::Ok);
    RunCommand(QStringLiteral("ReadFromRadio"));
    EXPECT_EQ(progress.captions, QStringList({"从对讲机读取数据"}));
    EXPECT_EQ(messages_.texts().last(), "机型类型错误。");
    EXPECT_EQ(messages_.texts(),
              QStringList({MessageText(Msg::SaveModified), MessageText(Msg::ReadConfirm),
                           MessageText(Msg::ModelWrong)}));
    EXPECT_EQ(app().document.channelCount, count);
    EXPECT_EQ(app().document.settings.messageText1.raw(), before);
    EXPECT_FALSE(TransferRunning());
}

TEST_F(RadioCommands, WrongPasswordThenTheRightOneCompletesTheRead) {
    SimulatedRadio radio;
    radio.start({QStringLiteral("--password"), QStringLiteral("Ab12")});
    app().heldPassword = QStringLiteral("ab12"); // letter case counts
    QStringList asked;
    SetPasswordWindowHandler([&]() -> std::optional<QString> {
        asked.append(app().heldPassword);
        return QStringLiteral("Ab12");
    });
    messages_.answer(MsgAnswer::Ok);
    RunCommand(QStringLiteral("ReadFromRadio"));
    EXPECT_EQ(asked, QStringList({"ab12"}));
    EXPECT_EQ(app().heldPassword, "Ab12");
    EXPECT_TRUE(shown(Msg::ReadCompleted)) << messages_.texts().join("|").toStdString();

    // A second wrong answer ends the transfer without completion.
    messages_.clear();
    app().heldPassword = QStringLiteral("nope");
    SetPasswordWindowHandler([]() -> std::optional<QString> { return QStringLiteral("1234"); });
    messages_.answer(MsgAnswer::No); // the document read first is not saved
    messages_.answer(MsgAnswer::Ok);
    RunCommand(QStringLiteral("ReadFromRadio"));
    EXPECT_TRUE(messages_.texts().contains("PassWord Failure!"));
    EXPECT_FALSE(shown(Msg::ReadCompleted));
}

TEST_F(RadioCommands, RetryAfterALostHandshakeCompletesTheWrite) {
    SimulatedRadio radio;
    const QString saved = radio.file(QStringLiteral("saved.bin"));
    radio.start({QStringLiteral("--save"), saved, QStringLiteral("--fault"),
                 QStringLiteral("silence@handshake:3")});
    editKnownDocument();
    messages_.answer(MsgAnswer::Ok); // confirmation
    messages_.answer(MsgAnswer::Ok); // "Check Connection. Retry or Cancel?"
    RunCommand(QStringLiteral("WriteToRadio"));
    ASSERT_TRUE(
        WaitFor([&] { return messages_.shown().size() >= 3 && !TransferRunning(); }, 20000));
    EXPECT_EQ(messages_.texts(),
              QStringList({MessageText(Msg::WriteConfirm), MessageText(Msg::CheckConnection),
                           MessageText(Msg::WriteCompleted)}));
    EXPECT_EQ(messages_.shown()[1].buttons, MsgButtons::OkCancel);
    ASSERT_TRUE(WaitFor([&] { return ReadFile(saved).size() == kImageSize; }, 3000));
    EXPECT_EQ(ReadFile(saved).mid(0xA10, 5), QByteArray("RADIO"));
}

TEST_F(RadioCommands, SilentRadioAsksToRetryAndResizingKeepsTheTimer) {
    SilentLine line;
    ASSERT_FALSE(line.device().isEmpty());
    SelectTestPort(line.device());

    // The window manager resizes the main window while the transfer waits: the
    // reply timer must keep running, or the prompt would never come.
    QTimer resizer;
    int step = 0;
    QObject::connect(&resizer, &QTimer::timeout,
                     [&] { main_->resize(800 + (++step % 2) * 40, 600); });
    resizer.start(40);
    int stoppedWhileRunning = 0;
    hooks().disableLinkTimers = [&] {
        if (TransferRunning()) ++stoppedWhileRunning;
    };

    QString promptOver;
    QString percentage;
    SetMessageHandler([&](const MessageRequest& request) {
        if (request.text == MessageText(Msg::CheckConnection)) {
            if (QWidget* w = QApplication::activeModalWidget()) {
                promptOver = w->objectName();
                if (auto* label = w->findChild<QLabel*>("Label2")) percentage = label->text();
            }
            return MsgAnswer::Cancel;
        }
        return request.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Ok;
    });
    QElapsedTimer took;
    took.start();
    RunCommand(QStringLiteral("ReadFromRadio"));
    resizer.stop();
    EXPECT_GE(step, 10) << "the window was resized during the transfer";
    EXPECT_EQ(stoppedWhileRunning, 0);
    EXPECT_EQ(promptOver, "FrmProgress");
    EXPECT_EQ(percentage, "0%");
    EXPECT_LT(took.elapsed(), 3000);
    EXPECT_FALSE(TransferRunning());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the progress window closed";

    // The radio-information read has no retry: one OK and the window stays shut.
    SetMessageHandler({});
    ScriptedMessages info;
    RunCommand(QStringLiteral("ReadRadioInfo")); // runs on in the event loop
    ASSERT_TRUE(WaitFor([] { return !TransferRunning(); }, 3000));
    ASSERT_EQ(info.texts(), QStringList({MessageText(Msg::CheckConnection)}));
    EXPECT_EQ(info.shown().first().buttons, MsgButtons::Ok);
    EXPECT_EQ(FindOpenWindow(QStringLiteral("FrmEMG")), nullptr);
}

TEST_F(RadioCommands, NoPortAndNoChannelAreRefusedBeforeAnyTransfer) {
    app().comPort = 0;
    RunCommand(QStringLiteral("ReadFromRadio"));
    // The message's first line stays as it was; the second says why.
    EXPECT_EQ(messages_.texts(), QStringList({MessageText(Msg::CannotOpenPort) + QLatin1Char('\n') +
                                              LanguageText(QStringLiteral("Install"),
                                                           QStringLiteral("NoPortChosen"))}));
    messages_.clear();
    app().document.channelCount = 0;
    RunCommand(QStringLiteral("WriteToRadio"));
    ASSERT_TRUE(WaitFor([&] { return !messages_.shown().isEmpty(); }, 2000));
    EXPECT_EQ(messages_.texts(), QStringList({MessageText(Msg::NeedOneChannel)}));
}

TEST_F(RadioCommands, WriteThroughTheToolbarSendsEveryPendingEdit) {
    SimulatedRadio radio;
    const QString saved = radio.file(QStringLiteral("saved.bin"));
    radio.start({QStringLiteral("--save"), saved});
    editKnownDocument();

    QWidget* features = ShowChildWindow(QStringLiteral("FrmOptFeatures"));
    Choose(Control<QComboBox>(features, "Combo1_2"), "8");
    QWidget* keyWindow = ShowChildWindow(QStringLiteral("FrmKeyAssignm"));
    Choose(Control<QComboBox>(keyWindow, "Combo1_3"), "Call");
    QWidget* message = ShowChildWindow(QStringLiteral("FrmEmbMsg"));
    auto* line2 = Control<QLineEdit>(message, "Text1_1");
    Focus(line2);
    Type(line2, "PENDING EDIT");
    ASSERT_TRUE(line2->hasFocus());
    ASSERT_NE(app().document.settings.messageText2.value(), QByteArray("PENDING EDIT"));

    ProgressWatch progress;
    messages_.answer(MsgAnswer::Ok); // "Write data to radio." / "Do you wish continue?"
    main_->toolButton(9)->trigger();
    ASSERT_TRUE(
        WaitFor([&] { return messages_.shown().size() >= 2 && !TransferRunning(); }, 20000));
    EXPECT_EQ(messages_.texts(),
              QStringList({MessageText(Msg::WriteConfirm), MessageText(Msg::WriteCompleted)}));
    EXPECT_EQ(progress.captions, QStringList({"Write data to radio"}));
    ASSERT_TRUE(WaitFor([&] { return ReadFile(saved).size() == kImageSize; }, 3000));
    const QByteArray radioMemory = ReadFile(saved);

    // What the command-line tool makes of the same document is what the radio got.
    const QString dataFile = path(QStringLiteral("written.dat"));
    ASSERT_TRUE(SaveDataFile(dataFile));
    const QString expectedFile = path(QStringLiteral("expected.bin"));
    QProcess cli;
    cli.start(QDir(BuiltProgramFolder()).filePath(QStringLiteral("zr580-cli")),
              {QStringLiteral("image"), dataFile, expectedFile});
    ASSERT_TRUE(cli.waitForFinished(10000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QByteArray expected = ReadFile(expectedFile);
    ASSERT_EQ(expected.size(), kImageSize);
    for (int i = 0; i < 0xA60; ++i) {
        if (i >= 0xA50 && i <= 0xA5D && i != 0xA56) continue; // the radio's identification
        ASSERT_EQ(quint8(radioMemory[i]), quint8(expected[i])) << "byte 0x" << std::hex << i;
    }
    EXPECT_EQ(radioMemory.mid(0xA30, 12), QByteArray("PENDING EDIT"));
    EXPECT_EQ(quint8(radioMemory[2228]), 8);
    EXPECT_EQ(quint8(radioMemory[2259]), 8);
    EXPECT_EQ(radioMemory.mid(0xA51, 5), QByteArray("VM427"));
}

TEST_F(RadioCommands, RadioInformationShowsTheAreaAndKeepsFlags) {
    RadioImage memory{};
    memory.fill(0xFF);
    ModelToImage(QStringLiteral("VM427"), 2, memory);
    memory[0xA50] = 'P';
    memory[0xA80] = 0x02;                                            // flag bit 1
    memory[0xA86] = 3;                                               // no such band
    const QByteArray date = QByteArray("2024-01-02") + '\0' + "XYZ"; // text, NUL, more
    std::copy(date.begin(), date.end(), memory.begin() + 0xAA0);
    const QByteArray dealer = "DEALER-42";
    std::copy(dealer.begin(), dealer.end(), memory.begin() + 0xAD0);
    SimulatedRadio radio;
    const QString image = radio.file(QStringLiteral("info.bin"));
    WriteFile(image, Bytes(memory));
    radio.start({QStringLiteral("--image"), image});

    struct Seen {
        bool open = false;
        bool changeable = false;
        int band = -2;
        QString bandText, serial, production, dealer, model, title;
    } seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->objectName() != "FrmEMG") return;
        seen.open = true;
        seen.title = w->windowTitle();
        seen.band = Control<QComboBox>(w, "Combo2")->currentIndex();
        seen.bandText = Control<QComboBox>(w, "Combo2")->currentText();
        seen.model = Control<QComboBox>(w, "Combo1")->currentText();
        seen.serial = Control<QLineEdit>(w, "Text1_1")->text();
        seen.production = Control<QLineEdit>(w, "Text1_2")->text();
        seen.dealer = Control<QLineEdit>(w, "Text1_8")->text();
        // The lists only display: neither the mouse nor keys change them.
        for (const char* name : {"Combo1", "Combo2"}) {
            auto* list = Control<QComboBox>(w, name);
            const int shown = list->currentIndex();
            QTest::mouseClick(list, Qt::LeftButton, {}, list->rect().center());
            seen.changeable = seen.changeable || list->view()->isVisible();
            list->hidePopup();
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
            QWheelEvent wheel(QPointF(list->rect().center()),
                              QPointF(list->mapToGlobal(list->rect().center())), {},
                              QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(list, &wheel);
            seen.changeable = seen.changeable || list->currentIndex() != shown;
        }
        Control<QPushButton>(w, "CommandClose")->click();
    });
    closer.start(10);
    main_->menuAction(QStringLiteral("mnuEMG"))->trigger();
    ASSERT_TRUE(WaitFor([&] { return seen.open && !TransferRunning(); }, 5000));
    closer.stop();

    EXPECT_TRUE(messages_.texts().isEmpty()) << "no confirmation, no completion message";
    ASSERT_TRUE(seen.open);
    EXPECT_EQ(seen.title, "Embedded Message");
    EXPECT_EQ(seen.band, -1);
    EXPECT_EQ(seen.bandText, "");
    EXPECT_EQ(seen.model, "ZR580");
    EXPECT_FALSE(seen.changeable);
    EXPECT_EQ(seen.serial, "");
    EXPECT_EQ(seen.production, "2024-01-02");
    EXPECT_EQ(seen.dealer, "DEALER-42");
    EXPECT_EQ(app().radioFlags[1], 1);
    const QByteArray settings = ReadFile(path(QStringLiteral("Setting.ini")));
    ASSERT_EQ(settings.size(), 6);
    EXPECT_EQ(settings[2], 1);

    // A later radio without the bit leaves the flag set.
    radio.stop();
    memory[0xA80] = 0x00;
    SimulatedRadio second;
    const QString image2 = second.file(QStringLiteral("info.bin"));
    WriteFile(image2, Bytes(memory));
    second.start({QStringLiteral("--image"), image2});
    seen.open = false;
    closer.start(10);
    RunCommand(QStringLiteral("ReadRadioInfo"));
    ASSERT_TRUE(WaitFor([&] { return seen.open && !TransferRunning(); }, 5000));
    closer.stop();
    EXPECT_EQ(app().radioFlags[1], 1);
    EXPECT_EQ(ReadFile(path(QStringLiteral("Setting.ini")))[2], 1);
}

// A termination signal while the radio is being read ends the transfer at once
// as a failed one (its port closed) and closes the program.
TEST_F(RadioCommands, ATerminationSignalEndsARunningTransfer) {
    SilentLine line;
    ASSERT_FALSE(line.device().isEmpty());
    SelectTestPort(line.device());
    InstallShutdownRequests(*main_);
    RunCommand(QStringLiteral("ReadRadioInfo")); // runs on in the event loop
    ASSERT_TRUE(TransferRunning());
    ASSERT_EQ(::raise(SIGTERM), 0);
    // Sooner than the first reply timeout: the signal ended it, not the line.
    EXPECT_TRUE(WaitFor([] { return !TransferRunning(); }, kReplyTimeoutMs / 2));
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        std::signal(sig, SIG_DFL);
    EXPECT_FALSE(main_->isVisible());
}
