#include "../../channels/ui/ChannelWindowFixture.h"
#include "../../core/ui/ShellFixture.h"

#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/Hooks.h"
#include "exchange/ChannelColumns.h"
#include "exchange/ui/GridRows.h"
#include "exchange/ui/ImportReport.h"
#include "exchange/ui/PrintListWindow.h"
#include "history/EditHistory.h"

#include <QClipboard>
#include <QFile>
#include <QListWidget>
#include <QPrintPreviewWidget>

namespace {

// Fills the first `groups` groups of the open document (RX 440.xxx, TX 445.xxx).
void FillGroups(int groups) {
    DocumentRecord& doc = app().document;
    doc.channelCount = 0;
    for (int n = 1; n <= groups * kChannelsPerGroup; ++n)
        AppendTestChannel(doc, n, QByteArray::number(44000000 + n * 1250).constData(),
                          QByteArray::number(44500000 + n * 1250).constData());
}

// Scripts the import report: records what it showed and gives the answers in turn.
struct ScriptedReport {
    QList<ImportOutcome> shown;
    QList<bool> answers;
    ImportReportHandler previous;
    ScriptedReport() {
        previous = SetImportReportHandler([this](const ImportOutcome& o, ImportKind) {
            shown.append(o);
            return !answers.isEmpty() && answers.takeFirst();
        });
    }
    ~ScriptedReport() { SetImportReportHandler(previous); }
};
} // namespace

class ExchangeMenuTest : public ShellTest {};

TEST_F(ExchangeMenuTest, ExportAndImportFromTheFileMenuAreOneChangeOfTheDocument) {
    start("en");
    FillGroups(2);
    hooks().channelsChanged(); // the open grid shows them
    const DocumentRecord planned = app().document;
    dialogAnswers_ << path("plan");
    action("mnuFileExportCsv")->trigger();
    ASSERT_EQ(dialogs_.size(), 1);
    EXPECT_TRUE(dialogs_[0].save);
    EXPECT_EQ(dialogs_[0].filter, "CSV File (*.csv)");
    EXPECT_EQ(ReadFileBytes(path("plan.csv")), ExportChannelsCsv(planned));

    // A new document, then the plan comes back in: the grid shows it, the
    // document counts as changed, one refresh of the open windows.
    main_->LoadNewDoc();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the old grid goes
    QTableWidget* grid = main_->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
    ASSERT_TRUE(grid);
    ASSERT_FALSE(IsModified());
    // The new document's channels are replaced: the report asks first.
    ScriptedReport report;
    report.answers << true;
    const int newChannels = app().document.channelCount;
    dialogAnswers_ << path("plan.csv");
    action("mnuFileImportCsv")->trigger();
    EXPECT_EQ(report.shown.size(), newChannels > 0 ? 1 : 0) << newChannels;
    EXPECT_EQ(SerializeDocument(app().document).left(2 + 128 * 54),
              SerializeDocument(planned).left(2 + 128 * 54));
    EXPECT_TRUE(IsModified());
    EXPECT_EQ(grid->item(1, 1)->text(), "440.01250");
    EXPECT_EQ(messages_.texts().last(), "32 channels imported from \"plan.csv\".");

    // A file with a bad row: the report is declined, nothing changes; accepted,
    // the good rows replace the table.
    QByteArray csv = ReadFileBytes(path("plan.csv"));
    csv.replace("\r\n2,1,2,440.02500,445.02500,", "\r\n2,1,2,440.02500,481,");
    WriteFileBytes(path("bad.csv"), csv);
    report.shown.clear();
    report.answers << false << true;
    const QByteArray before = SerializeDocument(app().document);
    dialogAnswers_ << path("bad.csv") << path("bad.csv");
    action("mnuFileImportCsv")->trigger();
    ASSERT_EQ(report.shown.size(), 1);
    EXPECT_EQ(report.shown[0].problems.at(0).text(), "line 3, TX MHz: 481 is outside 400-480 MHz");
    EXPECT_EQ(SerializeDocument(app().document), before);
    action("mnuFileImportCsv")->trigger();
    EXPECT_EQ(app().document.channelCount, 31);
    EXPECT_EQ(grid->item(2, 1)->text(), "");

    // What is no channel table is refused with its reason, the document unchanged.
    WriteFileBytes(path("photo.csv"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    const QByteArray kept = SerializeDocument(app().document);
    dialogAnswers_ << path("photo.csv");
    action("mnuFileImportCsv")->trigger();
    EXPECT_EQ(messages_.shown().last().text, "The file is not a text file.");
    EXPECT_EQ(messages_.shown().last().icon, MsgIcon::Warning);
    EXPECT_EQ(SerializeDocument(app().document), kept);

    app().languageIndex = Chinese;
    main_->CheckLanguageChange();
    EXPECT_EQ(action("mnuFileExportCsv")->text(), "导出信道 (CSV)...");
    EXPECT_EQ(action("mnuFileImportCsv")->text(), "导入信道 (CSV)...");
}

// An import that changes or removes channels, or has columns the program does not
// know, shows the report first: nothing changes until the user accepts, and the
// change is one step named after the import. The report counts in words that
// agree with the number, and in Chinese names the fields in Chinese.
TEST_F(ExchangeMenuTest, TheImportReportSaysWhatChangesAndWaitsForAcceptance) {
    start("en");
    InstallEditHistory();
    FillGroups(1);
    hooks().channelsChanged();
    WriteFileBytes(path("three.csv"),
                   "CH,RX MHz,TX MHz,TX Powr\n1,440,445,Low\n2,441,446,High\n5,442,447,Low\n");
    ScriptedReport report;
    report.answers << false << true;
    const QByteArray before = SerializeDocument(app().document);
    dialogAnswers_ << path("three.csv") << path("three.csv");
    action("mnuFileImportCsv")->trigger();
    ASSERT_EQ(report.shown.size(), 1);
    const ImportOutcome shown = report.shown[0];
    EXPECT_EQ(shown.unknownColumns, QStringList{"TX Powr"});
    EXPECT_EQ(shown.changes.added, 0);
    EXPECT_EQ(shown.changes.changed, 3);
    EXPECT_EQ(shown.changes.removed, 13);
    EXPECT_EQ(SerializeDocument(app().document), before);
    action("mnuFileImportCsv")->trigger();
    EXPECT_EQ(app().document.channelCount, 3);
    EXPECT_EQ(editHistory().undoName(), "Import Channels");

    const auto label = [](const FrmImportReport& r, const char* name) {
        return r.findChild<QLabel*>(QLatin1String(name))->text();
    };
    {
        FrmImportReport window(shown, ImportKind::File);
        EXPECT_EQ(label(window, "Label1"), "3 rows can be taken.");
        EXPECT_EQ(label(window, "LabelChanges"), "Channels: 0 added, 3 changed, 13 removed.");
        EXPECT_EQ(label(window, "LabelUnknown"), "Columns not recognised (ignored): TX Powr");
        EXPECT_EQ(window.findChild<QPushButton*>("CommandOK")->text(), "&Accept");
    }
    const QByteArray rows = "CH,RX MHz,TX MHz\n1,440,445\n2,440,999\n3,,445\n4,440,x\n";
    for (const QByteArray& csv : {QByteArray("CH,RX MHz,TX MHz\n1,440,445\n2,440,999\n"), rows}) {
        const ImportOutcome out = ImportChannelsCsv(csv, app().document);
        FrmImportReport window(out, ImportKind::File);
        EXPECT_EQ(label(window, "Label1"),
                  out.badRows == 1 ? "1 row can be taken. 1 row has problems and is left out:"
                                   : "1 row can be taken. 3 rows have problems and are left out:");
    }
    app().languageIndex = Chinese;
    const ImportOutcome chinese = ImportChannelsCsv(rows, app().document);
    FrmImportReport window(chinese, ImportKind::File);
    auto* list = window.findChild<QListWidget*>(QStringLiteral("List1"));
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), "第 3 行，发射频率：999 超出 400-480 MHz");
    EXPECT_EQ(label(window, "Label1"), "1 行可以采用。 3 行有问题，将被略去：");
}

TEST_F(ExchangeMenuTest, ThePrintWindowPreviewsTheSheetAndSavesItAsPdf) {
    start("zh");
    FillGroups(4);
    dialogAnswers_ << path("sheet");
    int pages = 0;
    QStringList captions;
    whileModal([&] { main_->toolButton(5)->trigger(); },
               [&](QWidget* w) {
                   auto* window = qobject_cast<FrmPrintList*>(w);
                   ASSERT_TRUE(window);
                   window->preview()->updatePreview();
                   pages = window->preview()->pageCount();
                   for (const char* name : {"CommandPrint", "CommandPdf", "CommandClose"})
                       captions << w->findChild<QPushButton*>(QLatin1String(name))->text();
                   captions << w->windowTitle();
                   w->findChild<QPushButton*>(QStringLiteral("CommandPdf"))->click();
                   w->findChild<QPushButton*>(QStringLiteral("CommandClose"))->click();
               });
    EXPECT_EQ(pages, 2); // three groups, then the fourth and the settings
    EXPECT_EQ(captions, QStringList({"打印(&P)...", "另存为 PDF(&D)...", "关闭(&C)", "打印列表"}));
    ASSERT_EQ(dialogs_.size(), 1);
    EXPECT_EQ(dialogs_[0].filter, "PDF 文件 (*.pdf)");
    EXPECT_TRUE(ReadFileBytes(path("sheet.pdf")).startsWith("%PDF"));
}

class GridRowsTest : public ChannelWindowTest {
  protected:
    // Clicks a row number (column 0) with modifiers, as the mouse would.
    static void clickRowNumber(QWidget* grid, int row, Qt::KeyboardModifiers m = {}) {
        QTableWidget* t = table(grid);
        QTest::mouseClick(t->viewport(), Qt::LeftButton, m,
                          t->visualItemRect(t->item(row, 0)).center());
    }
    static GridRows* rows(QWidget* grid) { return grid->findChild<GridRows*>(); }
};

TEST_F(GridRowsTest, RowsAreCopiedPastedAndClearedWhileCellEditingStaysAsItWas) {
    ScriptedReport report; // declines
    for (int n = 1; n <= 3; ++n) {
        const QByteArray rx = QByteArray::number(14600000 + n * 1250);
        AppendTestChannel(app().document, n, rx.constData(), rx.constData());
    }
    app().document.channels[1].decodeTone.assign("0108");
    FrmCommChInfo* grid = openGrid();
    int refreshes = 0;
    const auto refresh = hooks().channelsChanged;
    hooks().channelsChanged = [&] {
        ++refreshes;
        refresh();
    };

    clickRowNumber(grid, 1);
    clickRowNumber(grid, 3, Qt::ShiftModifier);
    EXPECT_EQ(rows(grid)->selectedRows(), QList<int>({1, 2, 3}));
    EXPECT_FALSE(child<QLineEdit>(grid, "Text1")->isVisible()); // the keys go to the rows
    key(Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_EQ(copied, ChannelRowsText(app().document, {1, 2, 3}));
    EXPECT_TRUE(copied.startsWith("CH\tGroup\tRow\tRX MHz\t"));

    // Pasted into row 9 and the two after it: the same channels there, one change.
    clickRowNumber(grid, 9);
    refreshes = 0;
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(refreshes, 1);
    ASSERT_EQ(app().document.channelCount, 6);
    for (int n = 1; n <= 3; ++n) {
        ChannelEntry moved = *channel(n + 8);
        moved.number = static_cast<int16>(n);
        EXPECT_EQ(moved, *channel(n));
    }
    EXPECT_EQ(cell(grid, 10, 3), "88.5");
    EXPECT_TRUE(rows(grid)->selectedRows().isEmpty());

    // Ctrl+click adds a row; Delete asks first and clears only after OK.
    clickRowNumber(grid, 9);
    clickRowNumber(grid, 11, Qt::ControlModifier);
    key(Qt::Key_Delete);
    EXPECT_EQ(messages_.texts().last(), "Clear the 2 selected channels?");
    EXPECT_EQ(app().document.channelCount, 6);
    messages_.answer(MsgAnswer::Ok);
    key(Qt::Key_Delete);
    EXPECT_EQ(app().document.channelCount, 4);
    EXPECT_EQ(cell(grid, 11, 1), "");
    EXPECT_EQ(refreshes, 2);

    // Rows with problems go through the report; declined, nothing changes.
    EXPECT_TRUE(report.shown.isEmpty());
    QApplication::clipboard()->setText("146.5\n999\n");
    clickRowNumber(grid, 15);
    key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(report.shown.size(), 1);
    EXPECT_EQ(report.shown[0].problems.at(0).text(), "line 2, RX MHz: 999 is outside 136-174 MHz");
    EXPECT_EQ(app().document.channelCount, 4);

    // A click into a cell ends the selection and edits the cell as before.
    clickCell(grid, 2, 1);
    EXPECT_TRUE(rows(grid)->selectedRows().isEmpty());
    ASSERT_EQ(focused(), child<QLineEdit>(grid, "Text1"));
    type("150");
    key(Qt::Key_Return);
    EXPECT_EQ(text(channel(2)->rxFreq), "15000000");
    hooks().channelsChanged = refresh;
}
