#pragma once
// Base of the small modal windows (language, model, COM port, password, about,
// print list): OK, Cancel, Escape and the close box all end in the window being
// destroyed, which is what OpenWindow waits for.

#include <QDialog>

class ModalWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ModalWindow(const char* objectName, QWidget* parent = nullptr);

  protected:
    void done(int result) override;
    // Enter in a list moves the focus on as Tab does.
    bool eventFilter(QObject* watched, QEvent* e) override;
    void enterMovesFocus(QWidget* list);
};
