#include "features/OptionalFeaturesImage.h"

namespace {

constexpr int kFeaturesOffset = 2224; // 0x8B0
constexpr int kAlertOffset = 2248;    // 0x8C8
constexpr int kFunctionOffset = 2249; // 0x8C9
constexpr int kBandExtOffset = 2252;  // 0x8CC

// One image byte of the block: its field, the allowed range and the value that
// replaces a byte outside that range.
struct FeatureByte {
    int16 OptionalFeatures::*field;
    int low;
    int high;
    int16 replacement;
};

// In image order, 0x8B0..0x8BF.
constexpr FeatureByte kFeatureBytes[] = {
    {&OptionalFeatures::totTime, 1, 40, 4},
    {&OptionalFeatures::totWarning, 0, 10, 0},
    {&OptionalFeatures::voicePrompt, 0, 3, 0},
    {&OptionalFeatures::callResponse, 0, 4, 0},
    {&OptionalFeatures::squelchLevel, 0, 9, 4},
    {&OptionalFeatures::batterySave, 0, 1, 0},
    {&OptionalFeatures::beep, 0, 1, 1},
    {&OptionalFeatures::cancelOperation, 0, 1, 0},
    {&OptionalFeatures::frequencyShow, 0, 1, 0},
    {&OptionalFeatures::voxFunction, 0, 1, 0},
    {&OptionalFeatures::voxLevel, 0, 9, 4},
    {&OptionalFeatures::voxDelay, 0, 27, 1},
    {&OptionalFeatures::voxProceedTone, 0, 1, 0},
    {&OptionalFeatures::compander, 0, 1, 0},
    {&OptionalFeatures::cloneMode, 0, 1, 0},
    {&OptionalFeatures::eliminateSquelchTail, 0, 1, 0},
};

constexpr std::pair<int16 SideValues::*, int> kSideBytes[] = {
    {&SideValues::alertUnlocked, kAlertOffset},
    {&SideValues::functionUnlocked, kFunctionOffset},
    {&SideValues::bandExtension, kBandExtOffset},
};

} // namespace

void OptionalFeaturesToImage(const OptionalFeatures& features, const SideValues& side,
                             RadioImage& image) {
    int offset = kFeaturesOffset;
    for (const FeatureByte& b : kFeatureBytes)
        image[static_cast<std::size_t>(offset++)] = static_cast<std::uint8_t>(features.*b.field);
    for (const auto& [value, at] : kSideBytes)
        image[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(side.*value);
}

void ImageToOptionalFeatures(const RadioImage& image, OptionalFeatures& features,
                             SideValues& side) {
    int offset = kFeaturesOffset;
    for (const FeatureByte& b : kFeatureBytes) {
        const int v = image[static_cast<std::size_t>(offset++)];
        features.*b.field = (v < b.low || v > b.high) ? b.replacement : static_cast<int16>(v);
    }
    for (const auto& [value, at] : kSideBytes) {
        const int v = image[static_cast<std::size_t>(at)];
        side.*value = v > 1 ? 0 : static_cast<int16>(v);
    }
}
