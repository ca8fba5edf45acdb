#pragma once
// The four key bytes (0x8D0..0x8D3) of the radio image.

#include "core/Document.h"

#include <cstdint>

void KeysToImage(const KeyAssignment& keys, RadioImage& image);
// 11 and 17..254 are read as 255; every other value passes.
void ImageToKeys(const RadioImage& image, KeyAssignment& keys);
int16 DecodeKeyByte(std::uint8_t value);
