#pragma once
// The File commands of the main window (New, Open, Save, Save As) and the
// question asked when the program closes with unsaved changes. The file dialogs
// go through one replaceable function, so tests script them as they script
// message boxes.

#include <QString>
#include <QStringList>
#include <functional>

struct FileDialogRequest {
    bool save = false; // save dialog (else open dialog)
    QString title;
    QString startName; // the name the dialog starts with
    QString filter;    // Qt form: "Data File (*.dat)"
};
// The chosen path, or an empty text when the dialog was cancelled.
using FileDialogHandler = std::function<QString(const FileDialogRequest&)>;

// Installs the handler (an empty one restores the real dialogs); returns the previous one.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);
QString AskFileName(const FileDialogRequest& request);
// The folder a file dialog opens in: the folder of a start name that has one,
// else the folder last chosen in a file dialog, else the user's documents folder
// (never the program's folder).
QString FileDialogStartFolder(const QString& startName);

// "Data File (*.dat)" / "数据文件 (*.dat)" in the current language.
QString DataFileFilter();

// File New from the menu: asks first, then a new document.
void FileNew();
// File Open: offers to save a changed document, then loads the chosen file. The
// dialog starts at startName (a folder ends with "/") under its title when given,
// and offers the further folders `places`.
void FileOpen(const QString& startName = QString(), const QString& title = QString(),
              const QStringList& places = {});
// File Save: Save As for a never-saved document, else asks before overwriting.
// True when the document was saved.
bool FileSave();
// File Save As; true when the document was saved.
bool FileSaveAs();
// Before the document is left (another file, a read from the radio): the
// pending edits are stored, then a document with unsaved changes gets the
// question "File has been modify,save it now?" (Yes saves, No goes on without
// saving, Cancel stays). False when the caller must stop: Cancel, or the save
// did not happen.
bool OfferToSaveChanges();
// Closing the program: the same question; false when the program must stay open.
bool ConfirmCloseWithChanges();
