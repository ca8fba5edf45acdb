#pragma once
// The channel windows catch the failures of their procedures: a plain message box
// names the procedure and the window stays open.

#include "core/MessageBox.h"

#include <exception>

template <typename F> void GuardedCall(const char* procedure, F&& body) {
    try {
        body();
    } catch (const std::exception&) {
        ShowMessage(QString::fromLatin1(procedure));
    }
}
