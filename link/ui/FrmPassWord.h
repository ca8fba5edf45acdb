#pragma once
// The programming password window: up to four characters, prefilled with the
// password held for this run; OK keeps the typed text (trailing blanks removed,
// cut at a NUL) as the held password.

#include "core/ui/ModalWindow.h"

#include <functional>
#include <optional>

class QLineEdit;

class FrmPassWord : public ModalWindow {
    Q_OBJECT
  public:
    explicit FrmPassWord(QWidget* parent = nullptr);

  private:
    void ok();

    QLineEdit* text_;
};

// Shows the window modally over the active window (also during a transfer) and
// returns after it closed: the new held password for OK, nothing for Cancel.
std::optional<QString> ShowPasswordWindow();

// Tests replace the window with a scripted answer (the same contract as
// ShowPasswordWindow, which then sets no held password itself); an empty function
// restores the window. Returns the previous function.
using PasswordWindowHandler = std::function<std::optional<QString>()>;
PasswordWindowHandler SetPasswordWindowHandler(PasswordWindowHandler handler);
