#pragma once
// The scan editor ("Scan Information"): priority type and channels, look-back,
// revert channel and the scan delay times, stored the moment they are chosen.
// While it is open, its ReshowByCh keeps the priority channels valid when
// channels are added or deleted.

#include <QWidget>
#include <array>

#include "core/ui/PendingEdit.h"

class QComboBox;
class QLabel;

class FrmScanInfo : public QWidget, public CommitsPendingEdit, public ReshowsDocument {
    Q_OBJECT
  public:
    explicit FrmScanInfo(QWidget* parent = nullptr);
    ~FrmScanInfo() override;
    void commitPendingEdit() override {}
    void reshowDocument() override { showBlock(); }

    // Rebuilds and reselects the eight priority-channel lists.
    void ReshowByCh();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void showBlock();
    void store(int k);
    void fillRevertList(int priorityType);
    void applyEnabling();
    void showPriorityChannel(int group);

    std::array<QComboBox*, 15> combo1_{};
    std::array<QLabel*, 15> label1_{};
};
