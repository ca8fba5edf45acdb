#pragma once
// Small list-box helpers shared by the editor windows.

#include "core/Document.h"

#include <QString>

class QComboBox;

// 255 when nothing is selected, else the numeric value of the shown text (0 when
// the text is not a number).
int16 ComboValueOr255(const QComboBox* box);
// Selects the item equal to the text; the first item when none is equal; an
// empty list stays without selection.
void SelectComboText(QComboBox* box, const QString& text);
// The item at the index; the first item for an index outside the list; "" for
// an empty list.
QString ComboItemAt(const QComboBox* box, int index);

// Limits the list's pop-up to that many visible items (the rest scroll), with
// every style: styles that open the list as a menu would ignore the limit.
void LimitVisibleItems(QComboBox* box, int count = 16);
// A list that only displays its value: it opens no pop-up and neither keys nor
// the mouse wheel change it.
void MakeComboReadOnly(QComboBox* box);
