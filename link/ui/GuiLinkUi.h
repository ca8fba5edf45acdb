#pragma once
// What a transfer shows in the desktop program: the message boxes, the password
// window, the modal progress window, and the main window's refresh after a read.

#include "link/LinkUi.h"

#include <QPointer>

class FrmProgress;

class GuiLinkUi : public LinkUi {
  public:
    std::optional<QString> askPassword(const QString& heldPassword) override;
    void progressOpened(LinkOperation operation) override;
    void progressReset() override;
    void progressValue(int percent) override;
    void progressClosed() override;
    void beforeDocumentReplaced() override;
    void documentReplaced() override;
    void showRadioInfo() override;
    // The progress window's caption from now on, also of the one open; empty:
    // the caption of its operation.
    void setProgressCaption(const QString& caption);

  private:
    QPointer<FrmProgress> progress_;
    QString caption_;
};

// The one instance the main window's commands use.
GuiLinkUi& ProgramLinkUi();
