#pragma once
// The key-assignment editor's rules without its widgets: the key-function
// names, which list item shows a stored key code and which code a list item
// stores.

#include "core/AppState.h"
#include "core/Document.h"

#include <QList>
#include <QString>
#include <array>

// Names of key-function codes 0..15; the list offers codes 0..9.
extern const std::array<Tr, 16> kKeyFunctionTexts;
constexpr int kOfferedKeyFunctions = 10;
constexpr int16 kNoKeyCode = 255;

// One item of a key's list: its text and the code it stores.
struct KeyListItem {
    QString text;
    int16 code;
};
// The list of a key in the current language: the offered functions (item i
// stores code i), plus one extra last item when the stored code is none of them
// and not 255 (a code the radio holds but this list does not offer), so that it
// shows what the radio has and choosing it again keeps that code.
QList<KeyListItem> KeyListItems(int16 storedCode);
// The item that shows a stored code: 255 shows "None" (item 0); 0..9 their own
// item; any other code the extra item.
int KeyShownIndex(int16 storedCode);

// The four codes in window order (PF1, PF2, PF1_1s, PF2_1s).
int16& KeyCode(KeyAssignment& keys, int k);
