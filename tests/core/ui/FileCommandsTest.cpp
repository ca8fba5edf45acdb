#include "ShellFixture.h"

#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/ProgramFolder.h"
#include "core/ui/FileCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

namespace {
QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void changeDocument(int16 value = 9) {
    app().document.settings.features.optional.squelchLevel = value;
}
} // namespace

TEST_F(ShellTest, NewAsksFromTheMenuButNotFromTheToolbar) {
    FrmMain* main = start();
    changeDocument();
    action("mnuFileNew")->trigger(); // scripted answer: Cancel
    ASSERT_EQ(messages_.shown().size(), 1);
    EXPECT_EQ(messages_.shown()[0].text, "All data will be cleared.");
    EXPECT_EQ(messages_.shown()[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(messages_.shown()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(messages_.shown()[0].title, "ZR580");
    EXPECT_TRUE(IsModified());

    messages_.answer(MsgAnswer::Ok);
    action("mnuFileNew")->trigger();
    EXPECT_FALSE(IsModified());
    EXPECT_EQ(openChildren(), QStringList({"frmCommChInfo"}));

    messages_.clear();
    changeDocument();
    main->toolButton(1)->trigger();
    EXPECT_TRUE(messages_.shown().isEmpty());
    EXPECT_FALSE(IsModified());
}

TEST_F(ShellTest, SaveAsAddsTheExtensionAndSaveAsksBeforeOverwriting) {
    FrmMain* main = start();
    changeDocument(7);
    // A never-saved document goes to Save As.
    dialogAnswers_ << path("site1");
    action("mnuFileSave")->trigger();
    ASSERT_EQ(dialogs_.size(), 1);
    EXPECT_TRUE(dialogs_[0].save);
    EXPECT_EQ(dialogs_[0].startName, "new.dat");
    EXPECT_EQ(dialogs_[0].filter, "Data File (*.dat)");
    EXPECT_EQ(QFileInfo(path("site1.dat")).size(), 7979);
    EXPECT_EQ(QFileInfo(path("site1.NVD")).size(), 6);
    EXPECT_FALSE(QFileInfo::exists(path("site1")));
    EXPECT_EQ(main->windowTitle(), "ZR580[ZR580:400 - 480 MHz][File Name:site1.dat]");
    EXPECT_FALSE(app().isNewDocument);

    // Saving again asks; Cancel leaves the file as it was.
    const QByteArray before = contents(path("site1.dat"));
    changeDocument(3);
    action("mnuFileSave")->trigger();
    ASSERT_EQ(messages_.shown().size(), 1);
    EXPECT_EQ(messages_.shown()[0].text, "\"site1.dat\"file will be Overwrite,Continue?");
    EXPECT_EQ(messages_.shown()[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(messages_.shown()[0].icon, MsgIcon::Question);
    EXPECT_EQ(contents(path("site1.dat")), before);
    messages_.answer(MsgAnswer::Ok);
    action("mnuFileSave")->trigger();
    EXPECT_NE(contents(path("site1.dat")), before);
    EXPECT_FALSE(IsModified());

    // A cancelled Save As dialog saves nothing and keeps the name.
    changeDocument(5);
    action("mnuFileSaveAs")->trigger();
    EXPECT_EQ(app().documentName, path("site1.dat"));
    EXPECT_TRUE(IsModified());
}

TEST_F(ShellTest, OpenRoundTripsThroughTheDialogsAndRefusesAWrongSizedFile) {
    FrmMain* main = start("zh");
    changeDocument(6);
    dialogAnswers_ << path("a.b.dat");
    action("mnuFileSaveAs")->trigger();
    ASSERT_TRUE(QFileInfo::exists(path("a.b.NVD")));
    EXPECT_EQ(dialogs_[0].filter, "数据文件 (*.dat)");
    const QByteArray saved = SerializeDocument(app().document);

    action("mnuFileNew")->trigger(); // Cancel
    messages_.answer(MsgAnswer::Ok);
    action("mnuFileNew")->trigger();
    EXPECT_FALSE(SerializeDocument(app().document) == saved);

    dialogAnswers_ << path("a.b.dat");
    action("mnuFileOpen")->trigger(); // unchanged document: no question
    EXPECT_TRUE(SerializeDocument(app().document) == saved);
    EXPECT_EQ(main->windowTitle(), "ZR580[ZR580:400 - 480 MHz][文件名:a.b.dat]");
    EXPECT_EQ(openChildren(), QStringList({"frmCommChInfo"}));

    // 7978 bytes: refused, the document and its name stay.
    QFile shortFile(path("short.dat"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(7978, '\0'));
    shortFile.close();
    messages_.clear();
    dialogAnswers_ << path("short.dat");
    action("mnuFileOpen")->trigger();
    // The program's message, then the file and the reason.
    EXPECT_EQ(messages_.texts(),
              QStringList({"文件版本错误。" + path("short.dat") + "：文件有 7978 字节，不是 7979 字节"}));
    EXPECT_TRUE(SerializeDocument(app().document) == saved);
    EXPECT_EQ(app().documentName, path("a.b.dat"));
    EXPECT_EQ(main->windowTitle(), "ZR580[ZR580:400 - 480 MHz][文件名:a.b.dat]");
}

TEST_F(ShellTest, OpenOffersToSaveAChangedDocument) {
    start();
    dialogAnswers_ << path("first.dat");
    action("mnuFileSaveAs")->trigger();
    dialogs_.clear();

    changeDocument(8);
    action("mnuFileOpen")->trigger(); // Cancel: nothing else happens
    ASSERT_EQ(messages_.shown().size(), 1);
    EXPECT_EQ(messages_.shown()[0].text, "File has been modify,save it now?");
    EXPECT_EQ(messages_.shown()[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(messages_.shown()[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(dialogs_.isEmpty());

    // Yes saves the named document at once, then the open dialog.
    messages_.answer(MsgAnswer::Yes);
    action("mnuFileOpen")->trigger(); // open dialog cancelled
    ASSERT_EQ(dialogs_.size(), 1);
    EXPECT_FALSE(dialogs_[0].save);
    EXPECT_FALSE(IsModified());
    DocumentRecord onDisk;
    ASSERT_TRUE(DeserializeDocument(contents(path("first.dat")), &onDisk));
    EXPECT_EQ(onDisk.settings.features.optional.squelchLevel, 8);

    // No opens without saving.
    changeDocument(2);
    messages_.answer(MsgAnswer::No);
    dialogAnswers_ << path("first.dat");
    action("mnuFileOpen")->trigger();
    EXPECT_EQ(app().document.settings.features.optional.squelchLevel, 8);
}

TEST_F(ShellTest, OpenYesForANeverSavedDocumentRunsSaveAs) {
    start();
    QDir::setCurrent(path("."));
    changeDocument(8);
    messages_.answer(MsgAnswer::Yes);
    action("mnuFileOpen")->trigger(); // Save As dialog cancelled
    ASSERT_EQ(dialogs_.size(), 1);
    EXPECT_TRUE(dialogs_[0].save);
    EXPECT_FALSE(QFileInfo::exists(path("new.dat")));
    EXPECT_TRUE(IsModified()); // the open was abandoned, the changes kept

    messages_.answer(MsgAnswer::Yes);
    dialogAnswers_ << path("kept.dat"); // Save As, then the open dialog is cancelled
    action("mnuFileOpen")->trigger();
    EXPECT_EQ(dialogs_.size(), 3);
    EXPECT_FALSE(dialogs_[2].save);
    EXPECT_EQ(QFileInfo(path("kept.dat")).size(), 7979);
    EXPECT_FALSE(QFileInfo::exists(path("new.dat")));
}

TEST_F(ShellTest, ClosingWithUnsavedChangesAsks) {
    FrmMain* main = start();
    EXPECT_TRUE(main->close()); // nothing changed: no question
    EXPECT_TRUE(messages_.shown().isEmpty());

    main_.reset();
    main = start();
    changeDocument(9);
    EXPECT_FALSE(main->close()); // Cancel keeps the program open
    ASSERT_EQ(messages_.shown().size(), 1);
    EXPECT_EQ(messages_.shown()[0].text, "File has been modify,save it now?");
    EXPECT_EQ(messages_.shown()[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(main->isVisible());

    // Yes on a never-saved document asks for a name; a cancelled dialog keeps it open.
    messages_.answer(MsgAnswer::Yes);
    EXPECT_FALSE(main->close());
    messages_.answer(MsgAnswer::Yes);
    dialogAnswers_ << path("closing.dat");
    EXPECT_TRUE(main->close());
    DocumentRecord onDisk;
    ASSERT_TRUE(DeserializeDocument(contents(path("closing.dat")), &onDisk));
    EXPECT_EQ(onDisk.settings.features.optional.squelchLevel, 9);

    main_.reset();
    main = start();
    changeDocument(1);
    messages_.answer(MsgAnswer::No);
    EXPECT_TRUE(main->close());
}

// A line typed into an editor and not yet stored (no focus change: a shortcut or
// a menu click) belongs to the document the file commands compare and save.
TEST_F(ShellTest, FileCommandsTakeInTheValueStillBeingTyped) {
    start();
    QWidget* window = ShowChildWindow(QStringLiteral("FrmEmbMsg"));
    ASSERT_NE(window, nullptr);
    auto* line = window->findChild<QLineEdit*>(QStringLiteral("Text1_0"));
    ASSERT_NE(line, nullptr);

    QTest::keyClicks(line, QStringLiteral("HELLO"));
    action("mnuFileOpen")->trigger(); // Cancel
    ASSERT_EQ(messages_.shown().size(), 1);
    EXPECT_EQ(messages_.shown()[0].text, "File has been modify,save it now?");
    EXPECT_TRUE(dialogs_.isEmpty());

    QTest::keyClicks(line, QStringLiteral("2"));
    dialogAnswers_ << path("typed.dat");
    action("mnuFileSaveAs")->trigger();
    DocumentRecord onDisk;
    ASSERT_TRUE(DeserializeDocument(contents(path("typed.dat")), &onDisk));
    EXPECT_EQ(onDisk.settings.messageText1.trimmedValue(), "HELLO2");

    QTest::keyClicks(line, QStringLiteral("3"));
    messages_.answer(MsgAnswer::Ok); // overwrite
    action("mnuFileSave")->trigger();
    ASSERT_TRUE(DeserializeDocument(contents(path("typed.dat")), &onDisk));
    EXPECT_EQ(onDisk.settings.messageText1.trimmedValue(), "HELLO23");
    EXPECT_FALSE(IsModified());
}

TEST_F(ShellTest, FileDialogsStartInTheFolderLastUsedElseTheDocumentsFolder) {
    start();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString fresh = FileDialogStartFolder(QStringLiteral("new.dat"));
    EXPECT_EQ(fresh, QFileInfo(documents).isDir() ? documents : QDir::homePath());
    EXPECT_NE(fresh, ProgramFolder());
    // A chosen file's folder is where the next dialog starts, for a new document too.
    QDir().mkpath(path("radios"));
    dialogAnswers_ = {path("radios/one.dat")};
    AskFileName({false, QStringLiteral("Open"), QString(), DataFileFilter()});
    EXPECT_EQ(FileDialogStartFolder(QStringLiteral("new.dat")), path("radios"));
    // A document with a folder of its own starts there.
    EXPECT_EQ(FileDialogStartFolder(path("x.dat")), folder_.path());
}
