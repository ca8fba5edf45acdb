#pragma once
// The print-list window: a preview of the open document's channel sheet, with
// Print (the system's print dialog), Save as PDF and Close.

#include "core/ui/ModalWindow.h"

class QPrinter;
class QPrintPreviewWidget;

class FrmPrintList : public ModalWindow {
    Q_OBJECT
  public:
    explicit FrmPrintList(QWidget* parent = nullptr);
    ~FrmPrintList() override;

    QPrintPreviewWidget* preview() const { return preview_; }
    // Save as PDF: asks for a file name and writes the sheet; false when nothing
    // was written.
    bool saveAsPdf();

  private:
    void print();

    QString html_;
    QPrinter* printer_ = nullptr;
    QPrintPreviewWidget* preview_ = nullptr;
};
