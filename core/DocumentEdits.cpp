#include "core/DocumentEdits.h"

#include "core/Hooks.h"

namespace {
int g_depth = 0;
std::optional<Tr>& editName() {
    static std::optional<Tr> name;
    return name;
}
} // namespace

DocumentEdit::DocumentEdit() {
    if (g_depth++ == 0) {
        editName().reset();
        if (hooks().documentEditStarting) hooks().documentEditStarting();
    }
}

DocumentEdit::DocumentEdit(const Tr& name) : DocumentEdit() {
    if (g_depth == 1) editName() = name;
}

DocumentEdit::~DocumentEdit() {
    if (--g_depth == 0) {
        DocumentEdited();
        editName().reset();
    }
}

const std::optional<Tr>& DocumentEditName() {
    return editName();
}

void DocumentEdited() {
    if (g_depth == 0 && hooks().documentEdited) hooks().documentEdited();
}

void DocumentReplaced() {
    if (g_depth == 0 && hooks().documentReplaced) hooks().documentReplaced();
}
