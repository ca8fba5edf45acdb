#pragma once
// The items of a list filled from a two-language caption table.

#include "core/AppState.h"

#include <QStringList>
#include <array>

// The first count texts of the table in the current language.
template <std::size_t N> QStringList ListTexts(const std::array<Tr, N>& table, int count = N) {
    QStringList items;
    for (int i = 0; i < count && i < static_cast<int>(N); ++i)
        items.append(table[static_cast<std::size_t>(i)]());
    return items;
}
