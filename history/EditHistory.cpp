#include "history/EditHistory.h"

#include "core/AppState.h"
#include "core/DocumentEdits.h"
#include "core/DocumentOps.h"
#include "core/Hooks.h"

namespace {
FileState currentFileState() {
    const AppState& s = app();
    return FileState{{s.savedDocument, s.savedSideValues}, s.documentName, s.isNewDocument};
}

void applyFileState(const FileState& file) {
    AppState& s = app();
    s.savedDocument = file.saved.record;
    s.savedSideValues = file.saved.side;
    s.documentName = file.documentName;
    s.isNewDocument = file.isNewDocument;
}

// "Channel 5 RX Frequency", or "Channel 5 RX Frequency (+127)" when a step
// changed more than one field.
QString stepName(const DocumentSnapshot& from, const DocumentSnapshot& to) {
    const QList<Difference> differences = CompareDocuments(from, to);
    if (differences.isEmpty()) return QString();
    QString name = DifferenceName(differences.constFirst());
    if (differences.size() > 1) name += QStringLiteral(" (+%1)").arg(differences.size() - 1);
    return name;
}
} // namespace

void EditHistory::start() {
    undo_.clear();
    redo_.clear();
    editStart_.reset();
    current_ = OpenDocumentSnapshot();
    notify();
}

void EditHistory::editStarting() {
    if (!restoring_) editStart_ = currentFileState();
}

void EditHistory::record() {
    if (restoring_) return;
    std::optional<FileState> fileBefore;
    if (editStart_ && !(*editStart_ == currentFileState())) fileBefore = editStart_;
    editStart_.reset();
    DocumentSnapshot now = OpenDocumentSnapshot();
    if (now == current_ && !fileBefore) return;
    undo_.push_back(Step{std::move(current_), std::move(fileBefore), DocumentEditName()});
    if (static_cast<int>(undo_.size()) > kLimit) undo_.pop_front();
    redo_.clear();
    current_ = std::move(now);
    notify();
}

bool EditHistory::undo() {
    return move(undo_, redo_);
}

bool EditHistory::redo() {
    return move(redo_, undo_);
}

// Goes to the last state of `from`, keeping the present one on `to`.
bool EditHistory::move(std::deque<Step>& from, std::deque<Step>& to) {
    record(); // a change nobody reported is a step of its own
    if (from.empty()) return false;
    Step target = std::move(from.back());
    from.pop_back();
    std::optional<FileState> file;
    if (target.file) file = currentFileState();
    to.push_back(Step{std::move(current_), std::move(file), target.name});

    restoring_ = true;
    AppState& s = app();
    s.document = target.document.record;
    s.sideValues = target.document.side;
    ApplyDocumentModel(s.document.model);
    if (target.file) applyFileState(*target.file);
    if (shown) shown();
    restoring_ = false;
    current_ = OpenDocumentSnapshot();
    notify();
    return true;
}

QString EditHistory::nameOf(const Step& step) const {
    return step.name ? (*step.name)() : stepName(current_, step.document);
}

QString EditHistory::undoName() const {
    return undo_.empty() ? QString() : nameOf(undo_.back());
}

QString EditHistory::redoName() const {
    return redo_.empty() ? QString() : nameOf(redo_.back());
}

void EditHistory::notify() {
    if (changed) changed();
}

EditHistory& editHistory() {
    static EditHistory history;
    return history;
}

void InstallEditHistory() {
    hooks().documentEditStarting = [] { editHistory().editStarting(); };
    hooks().documentEdited = [] { editHistory().record(); };
    hooks().documentReplaced = [] { editHistory().start(); };
    editHistory().start();
}
