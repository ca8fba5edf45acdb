#pragma once
// The model window: the model name and the frequency band. A different band
// starts a new document for it after a warning.

#include "core/ui/ModalWindow.h"

class QComboBox;

class FrmModelInfo : public ModalWindow {
    Q_OBJECT
  public:
    explicit FrmModelInfo(QWidget* parent = nullptr);

  private:
    void ok();

    QComboBox* model_;
    QComboBox* band_;
};
