#pragma once
// The progress window of a read or write: caption by operation, a bar and its
// percentage label. It is shown modally for the whole transfer and closes only
// when the transfer ends (the user cannot close it; the retry prompt offers
// Cancel when the radio stops answering).

#include "link/LinkUi.h"

#include <QDialog>

class QLabel;
class QProgressBar;

class FrmProgress : public QDialog {
    Q_OBJECT
  public:
    FrmProgress(LinkOperation operation, QWidget* parent = nullptr);

    // Bar to the value (0..100), label "N%".
    void SetProgressValue(int value);
    // The caption; empty: the caption of the operation.
    void setCaption(const QString& caption);
    // Runs modally until finish(); returns at once when finish() came first.
    void runModal();
    // The transfer ended: the window closes.
    void finish();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QProgressBar* bar_ = nullptr;
    bool finished_ = false;
    LinkOperation operation_;
};
