#pragma once
// The scan editor's rules without its widgets: the list items, the revert list
// offered for a priority type, what each choice stores, and which lists the
// priority type enables.

#include "core/AppState.h"
#include "core/Document.h"
#include "features/ListTexts.h"

#include <QList>
#include <QStringList>
#include <array>

extern const std::array<Tr, 3> kPriorityTypeTexts; // None, Fixd, Selected
extern const std::array<Tr, 4> kRevertTexts;       // revert codes 0..3

// "1.0" .. "5.0" in steps of 0.5: the look-back, dropout delay and TX dwell lists.
QStringList ScanTimeItems();
// The text of a stored time in tenths of a second ("2.0" for 20).
QString ScanTimeText(int16 tenths);
// The stored value of a chosen time text (tenths, rounded).
int16 ScanTimeValue(const QString& text);

// Revert codes offered for a priority type, in list order: all four for Fixd,
// Priority and Priority+Talk Back for Selected, else Selected and
// Selected+Talk Back.
QList<int> RevertCodesFor(int priorityType);
QStringList RevertItemsFor(int priorityType);
// The revert code of a chosen text, or -1 when it matches none.
int RevertCodeOfText(const QString& text);
// The list item chosen when the priority type changes: the stored code for Fixd,
// the code with only its Talk Back bit for the other types.
int RevertIndexAfterTypeChange(int priorityType, int16 revertChannel);

// Enabling by priority type. Combo1(4), (5) and (6) are always enabled.
struct ScanEnabling {
    bool lookBack;         // Combo1(2), Combo1(3)
    bool priorityChannels; // Combo1(1) and the eight priority-channel lists
};
ScanEnabling ScanEnablingFor(int priorityType);
