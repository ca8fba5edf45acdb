#pragma once
// The two embedded message lines in the radio image (0xA10 and 0xA30, 32 bytes
// each, 0xFF after the end of the text).

#include "core/Document.h"

constexpr int kMessage1Offset = 2576; // 0xA10
constexpr int kMessage2Offset = 2608; // 0xA30
constexpr int kMessageLength = 32;

// Trailing blanks removed, cut before the first NUL, the rest 0xFF.
void MessageToImage(const FixedText<32>& text, RadioImage& image, int offset);
// Bytes up to the first 0xFF (at most 32); a shorter line is stored NUL-terminated.
void ImageToMessage(const RadioImage& image, int offset, FixedText<32>& text);
void MessagesToImage(const SettingsRecord& settings, RadioImage& image);
void ImageToMessages(const RadioImage& image, SettingsRecord& settings);
