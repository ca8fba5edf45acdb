#pragma once
// Fills a list only when its items change, so that reloading a window with the
// same lists keeps an open list and its current choice undisturbed.

#include <QComboBox>
#include <QStringList>

inline void SetComboItems(QComboBox* combo, const QStringList& items) {
    bool same = combo->count() == items.size();
    for (int i = 0; same && i < items.size(); ++i)
        same = combo->itemText(i) == items[i];
    if (same) return;
    combo->clear();
    combo->addItems(items);
}
