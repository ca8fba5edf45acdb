#pragma once
// Inside the link: counts the windows a transfer shows modally, so that the
// port's notifications arriving meanwhile wait until it closes.

class ModalScope {
  public:
    explicit ModalScope(int& depth) : depth_(depth) { ++depth_; }
    ~ModalScope() { --depth_; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    int& depth_;
};
