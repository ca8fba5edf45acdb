#pragma once
// The key-assignment editor ("Key Setting"): the function of each programmable
// key, stored into the document the moment it is chosen.

#include "core/ui/PendingEdit.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;

class FrmKeyAssignm : public QWidget, public CommitsPendingEdit, public ReshowsDocument {
    Q_OBJECT
  public:
    explicit FrmKeyAssignm(QWidget* parent = nullptr);
    void commitPendingEdit() override;
    void reshowDocument() override { SetShowData(); }
    void SetShowData();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void storeKey(int k);

    std::array<QComboBox*, 4> combo1_{};
    std::array<QLabel*, 4> label1_{};
};
