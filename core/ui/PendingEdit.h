#pragma once
// Editor windows that can hold a typed value not yet stored implement this, so
// a write to the radio can store every pending edit first.

class CommitsPendingEdit {
  public:
    virtual ~CommitsPendingEdit() = default;
    virtual void commitPendingEdit() = 0;
};

// Every open editor window stores the value still being typed in it, so that the
// document is complete before it is compared, saved, replaced or written to the radio.
void CommitPendingEdits();
