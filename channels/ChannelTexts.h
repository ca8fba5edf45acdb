#pragma once
// The list words of the coded channel fields in both languages. The stored code
// of a list choice is decided by comparing the chosen text with these words in
// the current language, never by the list position.

#include "core/AppState.h"

#include <QStringList>
#include <array>

// Indexed by stored code: 0 Low, 1 High. List order is the same.
const std::array<Tr, 2>& TxPowerWords();
// Indexed by stored code: 0 Del, 1 Add. List order is Add, Del (ScanAddListWords).
const std::array<Tr, 2>& ScanAddWords();
// Indexed by stored code: 0 None, 1 DTMF, 2 FleetLink.
const std::array<Tr, 3>& OptSignalWords();
// Indexed by stored code: 0 Off, 1 On (PTT ID).
const std::array<Tr, 2>& OffOnWords();
// Indexed by stored code: 0 "12.5K(Narrow)", 1 "25K(Wide)".
const std::array<Tr, 2>& SpacingWords();
// SP unmute texts by code 0..2, in the family chosen by whether the channel has a
// decode tone.
const std::array<Tr, 3>& SpUnmuteWords(bool hasDecodeTone);
// Busy channel lock-out texts by code: Off, Carrier, Repeater, Option Signalling.
const std::array<Tr, 4>& BusyLockoutWords();

// "Channel" / "信道".
const Tr& ChannelCaption();
// The name of a channel field (ChannelField) as the channel edit window labels it;
// an empty Tr for a field no window names (the reserved values).
const Tr& ChannelFieldCaption(int field);

// The words of a table in the current language, in code order.
template <std::size_t N> QStringList WordsOf(const std::array<Tr, N>& table) {
    QStringList list;
    for (const Tr& word : table)
        list.append(word());
    return list;
}
// The selector lists in their item order, current language.
QStringList TxPowerListWords();   // Low, High
QStringList ScanAddListWords();   // Add, Del
QStringList OptSignalListWords(); // None, DTMF, FleetLink
QStringList OffOnListWords();     // Off, On
QStringList SpacingListWords();   // 12.5K(Narrow), 25K(Wide)

// The code whose word in the current language equals the text, or -1.
template <std::size_t N> int CodeOfWord(const std::array<Tr, N>& table, const QString& text) {
    for (std::size_t i = 0; i < N; ++i)
        if (table[i]() == text) return static_cast<int>(i);
    return -1;
}
// The word of a code in the current language; "" for a code outside the table.
template <std::size_t N> QString WordOfCode(const std::array<Tr, N>& table, int code) {
    if (code < 0 || code >= static_cast<int>(N)) return QString();
    return table[static_cast<std::size_t>(code)]();
}
