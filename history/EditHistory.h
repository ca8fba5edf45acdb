#pragma once
// The undo history of the open document: one step per change, each step the
// whole document as it was before (the record is under 8 KB, so a copy per step
// keeps it simple and exact). At most 1,000 steps are kept; the oldest go first.
//
// The history learns of changes through the program hooks of core/DocumentEdits.h:
// every edit reported there that changed the document becomes one step, and a
// replaced document (File New, File Open, a read from the radio) starts a new
// history. A new change source needs nothing more than to report its change.
//
// An edit that also replaced the saved copy (a band change builds a new, unsaved
// document for the new band) carries the file state with it: undoing it gives
// back the saved copy and the file name too, so the change test follows.

#include "compare/DocumentCompare.h"
#include "core/AppState.h"

#include <QString>
#include <deque>
#include <functional>
#include <optional>

// The file side of the open document: its saved copy, name and new-document flag.
struct FileState {
    DocumentSnapshot saved;
    QString documentName;
    bool isNewDocument = true;
    bool operator==(const FileState&) const = default;
};

class EditHistory {
  public:
    static constexpr int kLimit = 1000;

    // Starts a new history from the open document.
    void start();
    // An edit begins: the file state it starts from.
    void editStarting();
    // The open document was edited: one step when it differs from the last known
    // state. Ignored while a step is being undone or redone.
    void record();

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    int undoSteps() const { return static_cast<int>(undo_.size()); }
    int redoSteps() const { return static_cast<int>(redo_.size()); }

    // Restores the document before the last step (after the next step); false
    // when there is none. The document, its side values and the program's model
    // and band are restored exactly; then `shown` lets the windows show it.
    bool undo();
    bool redo();

    // What the next undo or redo changes back: the name of the edit when it has
    // one ("Import Channels"), else its first difference ("Channel 5 RX
    // Frequency"); empty when there is no step.
    QString undoName() const;
    QString redoName() const;

    // After a restore: the open windows show the document again. What they store
    // while doing so is part of the restored state, not a new step.
    std::function<void()> shown;
    // After every change of the history (a step, an undo, a redo, a new start).
    std::function<void()> changed;

  private:
    // A state to go back (or forward) to: the document, and the file state when
    // the step changed it.
    struct Step {
        DocumentSnapshot document;
        std::optional<FileState> file;
        std::optional<Tr> name; // of the edit that leads away from this state
    };
    QString nameOf(const Step& step) const;
    bool move(std::deque<Step>& from, std::deque<Step>& to);
    void notify();

    std::deque<Step> undo_;
    std::deque<Step> redo_;
    DocumentSnapshot current_{};
    std::optional<FileState> editStart_;
    bool restoring_ = false;
};

// The program's history.
EditHistory& editHistory();
// Connects the program's history to the document hooks and starts it.
void InstallEditHistory();
