#pragma once
// The channel records and the two channel bitmaps in the radio image.

#include "core/Document.h"

// Image offset of channel n's 16-byte slot: 30 channels per 512-byte page, the
// first and last slot of every page unused.
int ChannelSlotOffset(int channelNumber);

constexpr int kPresentBitmapOffset = 2192; // 0x890
constexpr int kScanAddBitmapOffset = 2208; // 0x8A0

// Clears both bitmaps and writes every valid entry's slot (bytes 0..12) and bits.
// Slot bytes 13..15 and the unused slots are left as they are.
void ChannelsToImage(const DocumentRecord& doc, RadioImage& image);
// Rebuilds the channel table in ascending channel number from the present
// channels; a slot whose RX bytes are FF FF FF FF is not loaded.
void ImageToChannels(const RadioImage& image, DocumentRecord& doc);
