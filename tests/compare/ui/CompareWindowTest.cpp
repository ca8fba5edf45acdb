// Compare with File and Compare with Radio from the main window's menus.

#include "../../link/ui/SimulatedRadio.h"
#include "TestSupport.h"

#include "channels/ChannelTable.h"
#include "compare/ui/FrmCompare.h"
#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/Startup.h"
#include "core/ui/FileCommands.h"
#include "core/ui/FrmMain.h"
#include "core/ui/WindowRegistry.h"
#include "link/ImageConversion.h"
#include "link/RadioCommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <functional>
#include <memory>

namespace {
class CompareWindow : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        qputenv("ZR580_LANG", "en");
        SetFileDialogHandler([this](const FileDialogRequest&) { return dialogAnswer_; });
        StartProgram();
        main_ = std::make_unique<FrmMain>();
        FinishStartup();
        main_->show();
    }
    void TearDown() override {
        CloseCurAllWindows();
        main_.reset();
        QApplication::processEvents();
        SetFileDialogHandler({});
        qunsetenv("ZR580_LANG");
        ProgramTest::TearDown();
    }

    FrmCompare* window() {
        return qobject_cast<FrmCompare*>(FindOpenWindow(QStringLiteral("FrmCompare")));
    }
    QStringList row(int r) {
        auto* grid = window()->findChild<QTableWidget*>(QStringLiteral("GridDifferences"));
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c)
            cells.append(grid->item(r, c)->text());
        return cells;
    }
    int rows() {
        return window()->findChild<QTableWidget*>(QStringLiteral("GridDifferences"))->rowCount();
    }
    QString label() { return window()->findChild<QLabel*>(QStringLiteral("Label1"))->text(); }

    std::unique_ptr<FrmMain> main_;
    QString dialogAnswer_;
};
} // namespace

TEST_F(CompareWindow, FileDifferencesAreListedAndCopiedAndTheDocumentStays) {
    ASSERT_TRUE(SaveDataFile(path("bench.dat")));
    ASSERT_GE(FindChannelEntry(1), 0);
    const QString was = ShowChannelField(FindChannelEntry(1), FieldTxPower);
    const QString now = was == "High" ? "Low" : "High";
    ChangeChannelData(1, 1, FieldTxPower, now);
    app().document.settings.messageText1.assignTerminated("HELLO");
    app().document.settings.messageText2.assign("   "); // only blank fill: no text
    const QByteArray document = SerializeDocument(app().document);

    dialogAnswer_ = path("bench.dat");
    main_->menuAction(QStringLiteral("mnuFileCompare"))->trigger();
    ASSERT_TRUE(window());
    EXPECT_EQ(window()->windowTitle(), "Compare - bench.dat");
    ASSERT_EQ(rows(), 3);
    // Channels are named as the grid names them, with the channel number beside.
    EXPECT_EQ(row(0), QStringList({"Group 1 CH 1 (channel 1)", "TX Power", now, was}));
    EXPECT_EQ(row(1), QStringList({"Embedded Message", "Line 1", "HELLO", ""}));
    // The copy carries what was compared with what and the column headings; an
    // empty message line reads as the window shows it.
    window()->findChild<QPushButton*>(QStringLiteral("CommandCopy"))->click();
    EXPECT_EQ(QApplication::clipboard()->text(),
              "bench.dat compared with bench.dat. Differences: 3\n"
              "Where\tField\tThis document\tbench.dat\n"
              "Group 1 CH 1 (channel 1)\tTX Power\t" + now + "\t" + was +
                  "\nEmbedded Message\tLine 1\tHELLO\t\n"
                  "Embedded Message\tLine 2\t\t\n");
    EXPECT_EQ(SerializeDocument(app().document), document);
    EXPECT_EQ(app().documentName, path("bench.dat"));

    // Compared with itself: "No differences.", in the current language.
    ASSERT_TRUE(SaveDataFile(path("same.dat")));
    app().languageIndex = Chinese;
    dialogAnswer_ = path("same.dat");
    main_->menuAction(QStringLiteral("mnuFileCompare"))->trigger();
    EXPECT_EQ(label(), "无差别。");
    EXPECT_EQ(rows(), 0);

    // In Chinese the copy's heading and the places are Chinese too.
    app().languageIndex = Chinese;
    dialogAnswer_ = path("bench.dat");
    main_->menuAction(QStringLiteral("mnuFileCompare"))->trigger();
    window()->findChild<QPushButton*>(QStringLiteral("CommandCopy"))->click();
    const QStringList lines = QApplication::clipboard()->text().split(u'\n');
    EXPECT_EQ(lines.value(0), "same.dat 与 bench.dat 比较，差别：3 处");
    EXPECT_EQ(lines.value(1), "位置\t项目\t本文档\tbench.dat");
    EXPECT_TRUE(lines.value(2).startsWith("组1 信道1 (信道1)\t")) << lines.value(2).toStdString();
}

TEST_F(CompareWindow, RadioAfterAWriteHasNoDifferencesAndNothingChanges) {
    ChangeChannelData(1, 2, FieldRxFreq, QStringLiteral("450.00000"));
    app().document.settings.features.dtmf.groupCode = 5; // not held by the radio
    // The radio holds what a write of this document sent.
    FillImage();
    RecordsToImage();
    SimulatedRadio radio;
    const QString image = radio.file(QStringLiteral("radio.bin"));
    {
        QFile f(image);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(app().image.data()), kImageSize);
    }
    radio.start({QStringLiteral("--image"), image, QStringLiteral("--save"),
                 radio.file(QStringLiteral("saved.bin"))});
    app().image.fill(0x00);
    const RadioImage imageBefore = app().image;
    app().document.settings.features.dtmf.groupCode = 6; // still not held
    const QByteArray changed = SerializeDocument(app().document);

    main_->menuAction(QStringLiteral("mnuCompareRadio"))->trigger();
    ASSERT_TRUE(WaitFor([&] { return window() != nullptr; }, 15000))
        << messages_.texts().join('|').toStdString();
    EXPECT_EQ(label(), "No differences.");
    EXPECT_TRUE(messages_.shown().isEmpty()) << messages_.texts().join('|').toStdString();
    EXPECT_EQ(SerializeDocument(app().document), changed);
    EXPECT_EQ(app().image, imageBefore);
    EXPECT_FALSE(QFile::exists(radio.file(QStringLiteral("saved.bin")))); // nothing written

    // A value the radio holds differently is listed, with the radio as the other side.
    ChangeChannelData(1, 2, FieldRxFreq, QStringLiteral("451.00000"));
    main_->menuAction(QStringLiteral("mnuCompareRadio"))->trigger();
    ASSERT_TRUE(WaitFor([&] { return rows() == 1; }, 15000));
    EXPECT_EQ(row(0),
              QStringList({"Group 1 CH 2 (channel 2)", "RX Frequency", "451.00000", "450.00000"}));
    EXPECT_EQ(window()->windowTitle(), "Compare - Radio");
}
