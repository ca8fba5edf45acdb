#include "core/DocumentEdits.h"

#include "core/Hooks.h"

namespace {
int g_depth = 0;
}

DocumentEdit::DocumentEdit() {
    if (g_depth++ == 0 && hooks().documentEditStarting) hooks().documentEditStarting();
}

DocumentEdit::~DocumentEdit() {
    if (--g_depth == 0) DocumentEdited();
}

void DocumentEdited() {
    if (g_depth == 0 && hooks().documentEdited) hooks().documentEdited();
}

void DocumentReplaced() {
    if (g_depth == 0 && hooks().documentReplaced) hooks().documentReplaced();
}
