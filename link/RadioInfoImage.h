#pragma once
// The radio-information area (0xA80..0xB6F) of the radio image and the radio
// flags kept between runs.

#include "core/Document.h"
#include "core/RadioInfo.h"

#include <array>

constexpr int kRadioInfoFlagsOffset = 2688; // 0xA80

// Texts end at 0x00, 0xFF or their length and pass through the ANSI code page.
void ImageToRadioInfo(const RadioImage& image, RadioInfoRecord& info);
// Each flag that is 0 takes bit k of byte 0xA80; a flag once 1 stays 1.
void MergeRadioFlags(const RadioImage& image, std::array<int16, 3>& flags);
// Both, on app(): the record and the flags.
void ApplyRadioInfoFromImage();
