#include "features/KeyAssignmentImage.h"

namespace {

constexpr int kKeysOffset = 2256; // 0x8D0

constexpr int16 KeyAssignment::*kKeys[] = {
    &KeyAssignment::pf1Short,
    &KeyAssignment::pf2Short,
    &KeyAssignment::pf1Long,
    &KeyAssignment::pf2Long,
};

} // namespace

int16 DecodeKeyByte(std::uint8_t value) {
    if (value == 11 || (value > 16 && value < 255)) return 255;
    return value;
}

void KeysToImage(const KeyAssignment& keys, RadioImage& image) {
    int offset = kKeysOffset;
    for (auto key : kKeys)
        image[static_cast<std::size_t>(offset++)] = static_cast<std::uint8_t>(keys.*key);
}

void ImageToKeys(const RadioImage& image, KeyAssignment& keys) {
    int offset = kKeysOffset;
    for (auto key : kKeys)
        keys.*key = DecodeKeyByte(image[static_cast<std::size_t>(offset++)]);
}
