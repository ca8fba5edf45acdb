#pragma once
// Editor windows that can hold a typed value not yet stored implement this, so
// a write to the radio can store every pending edit first.

class CommitsPendingEdit {
  public:
    virtual ~CommitsPendingEdit() = default;
    virtual void commitPendingEdit() = 0;
};
