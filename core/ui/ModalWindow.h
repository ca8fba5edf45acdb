#pragma once
// Base of the small modal windows (language, model, COM port, password, about,
// print list): OK, Cancel, Escape and the close box all end in the window being
// destroyed, which is what OpenWindow waits for.

#include <QDialog>

class QHBoxLayout;
class QLayout;
class QPushButton;

class ModalWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ModalWindow(const char* objectName, QWidget* parent = nullptr);

  protected:
    void done(int result) override;
    // Enter in a list moves the focus on as Tab does.
    bool eventFilter(QObject* watched, QEvent* e) override;
    void enterMovesFocus(QWidget* list);
    // A label and its field side by side, the field taking the spare width.
    static QHBoxLayout* labelledRow(QWidget* label, QWidget* field, int spacing = -1);
    // Lays the window out: the fields above a right-aligned row of an OK and a
    // Cancel button with these object names. OK is the default button; Cancel
    // rejects the window. Returns the OK button for the caller to connect.
    QPushButton* layOutWithOkCancel(QLayout* fields, const char* okName, const char* cancelName);
};
