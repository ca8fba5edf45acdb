#pragma once
// Editor windows that can hold a typed value not yet stored implement this, so
// a write to the radio can store every pending edit first.

class CommitsPendingEdit {
  public:
    virtual ~CommitsPendingEdit() = default;
    virtual void commitPendingEdit() = 0;
};

// Editor windows implement this to show the document again after it changed
// behind them (an undo or redo): every control shows its stored value.
class ReshowsDocument {
  public:
    virtual ~ReshowsDocument() = default;
    virtual void reshowDocument() = 0;
};

// Every open editor window shows the document again.
void ReshowOpenEditors();

// Every open editor window stores the value still being typed in it, so that the
// document is complete before it is compared, saved, replaced or written to the radio.
void CommitPendingEdits();
