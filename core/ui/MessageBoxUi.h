#pragma once
// The real message box behind ShowMessage, installed at start-up.

#include "core/MessageBox.h"

// Shows the request as a modal QMessageBox over the main window.
MsgAnswer ShowMessageBoxUi(const MessageRequest& request);
// Installs ShowMessageBoxUi as the message handler.
void InstallMessageBoxUi();
