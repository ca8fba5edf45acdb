#pragma once
// The radio-information window: shows the dealer and service record read from
// the radio (app().radioInfo), the product model and the version. Display only.

#include "core/ui/ModalWindow.h"

class FrmEMG : public ModalWindow {
    Q_OBJECT
  public:
    explicit FrmEMG(QWidget* parent = nullptr);
};
