#pragma once
// What the user sees of a transfer with the radio: the progress window, the
// retry prompt, the password window, the confirmations and the windows that
// follow a completed read. The desktop program implements it with its windows,
// the command-line tool on the terminal, tests with a script. Every default
// goes through the message-box seam (ShowMessage) or does nothing.

#include "core/MessageBox.h"

#include <QString>
#include <optional>

enum class LinkOperation : int { Idle = 0, Read = 1, Write = 2, RadioInfo = 3 };

class LinkUi {
  public:
    virtual ~LinkUi() = default;

    // The confirmation before a read or write ("Read data from radio." / "Do you
    // wish continue?"); true for OK. Default: a question box with OK and Cancel.
    virtual bool confirm(const QString& text);

    // The retry prompt "Check Connection. Retry or Cancel?"; true for OK (start
    // again from the handshake), false for Cancel (the transfer ends).
    // Default: a question box with OK and Cancel.
    virtual bool askRetry(const QString& text);

    // A message with an OK button (errors, "PassWord Failure!", completion).
    // Default: ShowMessage.
    virtual void showMessage(const QString& text, MsgIcon icon);

    // The password window, shown modally and prefilled with the held password.
    // Returns the text typed when closed with OK, nothing for Cancel. The link
    // stores the answer as the held password (TrimPasswordEntry). Default: Cancel.
    virtual std::optional<QString> askPassword(const QString& heldPassword);

    // The model and band check after the identification: the radio's model and
    // band against the program's current ones. Default: CheckModelAndBand
    // (ModelCheck.h), whose message and band question go through ShowMessage.
    virtual bool checkModelAndBand(const QString& radioModel, int radioBand);

    // The progress window of a read or write opens, after the handshake was sent.
    // It may run modally (a nested event loop) until progressClosed().
    virtual void progressOpened(LinkOperation /*operation*/) {}
    // Bar and percentage label ("0%" after a reset, "N%" on a rise).
    virtual void progressReset() {}
    virtual void progressValue(int /*percent*/) {}
    // The transfer ended (successfully or not): the progress window closes.
    virtual void progressClosed() {}

    // After a successful read, before the document is rebuilt from the image:
    // every child window closes.
    virtual void beforeDocumentReplaced() {}
    // After the document was rebuilt: re-caption the main window, open the
    // channel grid and cascade the children.
    virtual void documentReplaced() {}
    // After a successful radio-information read: show the record (app().radioInfo).
    virtual void showRadioInfo() {}

    // The transfer is over; success is true only when it completed.
    virtual void transferEnded(LinkOperation /*operation*/, bool /*success*/) {}
};
