#pragma once
// The language window: English always, Chinese only after a start in Chinese.
// OK only changes the current language; the main window re-captions itself
// when it becomes active again.

#include "core/ui/ModalWindow.h"

class QComboBox;
class QLabel;
class QPushButton;

class FrmSetLanguage : public ModalWindow {
    Q_OBJECT
  public:
    explicit FrmSetLanguage(QWidget* parent = nullptr);

  private:
    void ok();

    QLabel* label_;
    QComboBox* list_;
};
