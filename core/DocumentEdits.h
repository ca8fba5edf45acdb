#pragma once
// How a change of the open document is announced, so that whoever keeps track of
// the document (the undo history) sees every change once.
//
// An edit is whatever one user action stores: a committed grid cell, one batch
// Apply, one value of a feature window, an import. The code that stores it opens
// a DocumentEdit for the duration; nested edits (a store that stores more) join
// the outermost one, which reports the change when it ends. A change made without
// a DocumentEdit is reported by calling DocumentEdited() once it is complete.
//
// A new document (File New, File Open, a read from the radio) reports
// DocumentReplaced(); inside an edit the replacement counts as part of that edit
// (a band change builds a new document for the new band, and is one edit).

#include "core/AppState.h"

#include <optional>

class DocumentEdit {
  public:
    DocumentEdit();
    // An edit with a name of its own in both languages ("Import Channels"), shown
    // by the undo history instead of the first field it changed. The outermost
    // name counts.
    explicit DocumentEdit(const Tr& name);
    ~DocumentEdit();
    DocumentEdit(const DocumentEdit&) = delete;
    DocumentEdit& operator=(const DocumentEdit&) = delete;
};

// The name of the edit being reported (while the hooks run), if it has one.
const std::optional<Tr>& DocumentEditName();

// The document changed: reported now, or when the open edit ends.
void DocumentEdited();
// The document was replaced by another one; ignored inside an edit.
void DocumentReplaced();
