#pragma once
// The radio image view of the open document's channels, for "show --image".

#include <QString>

// Builds the image a write would send and lists, for each channel in number
// order, its slot offset and the 16 bytes of its slot, then the two bitmaps.
QString ChannelSlotView();
