#include "core/ui/FileCommands.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/MessageBox.h"
#include "core/Messages.h"
#include "core/ProgramFolder.h"
#include "core/ui/MainWindowApi.h"
#include "core/ui/PendingEdit.h"
#include "core/ui/WindowRegistry.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace {
FileDialogHandler& dialogHandler() {
    static FileDialogHandler handler;
    return handler;
}

const QString kLastFolderKey = QStringLiteral("Settings/LastFolder");

// Further folders the next real dialog offers beside its own places (File Open's).
QStringList& extraPlaces() {
    static QStringList places;
    return places;
}

QString realDialog(const FileDialogRequest& request) {
    QFileDialog dialog(DialogParent(), request.title);
    dialog.setNameFilter(request.filter);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDirectory(FileDialogStartFolder(request.startName));
    if (!request.startName.isEmpty()) dialog.selectFile(QFileInfo(request.startName).fileName());
    if (!extraPlaces().isEmpty()) {
        QList<QUrl> places = dialog.sidebarUrls();
        for (const QString& place : std::as_const(extraPlaces()))
            places.append(QUrl::fromLocalFile(place));
        dialog.setSidebarUrls(places);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

const Tr kOpenTitle{QStringLiteral("Open"), QStringLiteral("打开")};
const Tr kSaveAsTitle{QStringLiteral("Save As"), QStringLiteral("另存为")};

// Saves under documentName without a question (the document was saved before).
// For a never-saved document runs Save As instead, so nothing is written to a
// file the user never chose.
bool saveBeforeLeaving() {
    if (app().isNewDocument) return FileSaveAs();
    return SaveDataFile(app().documentName);
}
} // namespace

QString FileDialogStartFolder(const QString& startName) {
    const QFileInfo start(startName);
    if (!startName.isEmpty() && (start.isAbsolute() || start.path() != QLatin1String(".")) &&
        start.absoluteDir().exists())
        return start.absolutePath();
    const QString last = ProgramSettings()->value(kLastFolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
    FileDialogHandler previous = dialogHandler();
    dialogHandler() = std::move(handler);
    return previous;
}

QString AskFileName(const FileDialogRequest& request) {
    const QString chosen = dialogHandler() ? dialogHandler()(request) : realDialog(request);
    if (!chosen.isEmpty())
        ProgramSettings()->setValue(kLastFolderKey, QFileInfo(chosen).absolutePath());
    return chosen;
}

QString DataFileFilter() {
    return MessageText(Msg::LabelDataFile) + QStringLiteral(" (*.dat)");
}

void FileNew() {
    if (ShowMessage(MessageText(Msg::AllDataCleared), MsgButtons::OkCancel, MsgIcon::Warning) !=
        MsgAnswer::Ok)
        return;
    LoadNewDoc();
}

void FileOpen(const QString& startName, const QString& title, const QStringList& places) {
    if (!OfferToSaveChanges()) return;
    extraPlaces() = places;
    const QString path =
        AskFileName({false, title.isEmpty() ? kOpenTitle() : title, startName, DataFileFilter()});
    extraPlaces().clear();
    if (path.isEmpty()) return;

    const QString previousName = app().documentName;
    app().documentName = path;
    CloseCurAllWindows();
    if (!LoadDataFile(path)) {
        // The document is unchanged, so its name is too.
        app().documentName = previousName;
        ShowChildWindow(QStringLiteral("frmCommChInfo"));
        RefreshMainTitle();
        CascadeChildWindows();
        return;
    }
    ShowChildWindow(QStringLiteral("frmCommChInfo"));
    ApplyMainCaptions();
    CascadeChildWindows();
}

bool FileSave() {
    CommitPendingEdits(); // the file gets what the windows show
    if (app().isNewDocument) return FileSaveAs();
    const QString question = QLatin1Char('"') + FileNameOf(app().documentName) + QLatin1Char('"') +
                             MessageText(Msg::Overwrite);
    if (ShowMessage(question, MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
        return false;
    const bool saved = SaveDataFile(app().documentName);
    RefreshMainTitle();
    return saved;
}

bool FileSaveAs() {
    CommitPendingEdits();
    QString path = AskFileName({true, kSaveAsTitle(), app().documentName, DataFileFilter()});
    if (path.isEmpty()) return false;
    // A name without the ".dat" extension gets it, so the side file (the name with
    // its last three characters replaced) never eats into the base name.
    path = WithDataFileExtension(path);
    const QString previousName = app().documentName;
    app().documentName = path;
    const bool saved = SaveDataFile(path);
    if (!saved) app().documentName = previousName;
    RefreshMainTitle();
    return saved;
}

bool OfferToSaveChanges() {
    // A value still being typed is part of the document that may be left.
    CommitPendingEdits();
    if (!IsModified()) return true;
    const MsgAnswer answer =
        ShowMessage(MessageText(Msg::SaveModified), MsgButtons::YesNoCancel, MsgIcon::Warning);
    if (answer == MsgAnswer::No) return true;
    // A save that did not happen (dialog cancelled, file error) keeps the
    // changed document instead of dropping it.
    if (answer == MsgAnswer::Yes) return saveBeforeLeaving();
    return false;
}

bool ConfirmCloseWithChanges() {
    return OfferToSaveChanges();
}
