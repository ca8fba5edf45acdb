#pragma once
// The COM port window: the ports present on the machine, refreshed every second
// while the window is open, with what the system tells of the selected one;
// OK stores the chosen number in "comPort".

#include "core/ui/ModalWindow.h"

#include <array>

class QComboBox;
class QLabel;
class QTimer;

class FrmComSet : public ModalWindow {
    Q_OBJECT
  public:
    explicit FrmComSet(QWidget* parent = nullptr);

    int portId() const { return portId_; }
    // One tick of the refresh timer: the list is rebuilt, the shown port kept.
    void refreshPorts();

  protected:
    void done(int result) override;

  private:
    bool fill(); // false when the list was already up to date
    void selectPort(int number);
    void ok();
    void showDetails(); // the selected port's device, adapter, maker and serial number

    QComboBox* list_;
    std::array<QLabel*, 6> details_{};
    QLabel* latencyHint_ = nullptr;
    QTimer* timer_;
    int portId_ = 0; // PortID: the number of the port shown
};
