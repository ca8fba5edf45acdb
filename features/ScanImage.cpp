#include "features/ScanImage.h"

namespace {

constexpr int kPriorityTypeOffset = 2240;    // 0x8C0
constexpr int kPriorityChannelOffset = 2264; // 0x8D8, group g at 2263 + g

struct ScanByte {
    int16 ScanSettings::*field;
    int offset;
    int low;
    int high;
    int16 replacement;
};

constexpr ScanByte kScanBytes[] = {
    {&ScanSettings::priorityType, kPriorityTypeOffset, 0, 2, 0},
    {&ScanSettings::lookBackA, 2242, 1, 50, 10},
    {&ScanSettings::lookBackB, 2243, 1, 50, 10},
    {&ScanSettings::revertChannel, 2244, 0, 3, 1},
    {&ScanSettings::dropoutDelay, 2245, 0, 50, 30},
    {&ScanSettings::txDwell, 2246, 0, 50, 30},
};

} // namespace

void ScanToImage(const ScanSettings& scan, RadioImage& image) {
    for (const ScanByte& b : kScanBytes)
        image[static_cast<std::size_t>(b.offset)] = static_cast<std::uint8_t>(scan.*b.field);
    for (std::size_t g = 0; g < scan.priorityChannel.size(); ++g)
        image[kPriorityChannelOffset + g] = static_cast<std::uint8_t>(scan.priorityChannel[g]);
}

void ImageToScan(const RadioImage& image, ScanSettings& scan) {
    for (const ScanByte& b : kScanBytes) {
        const int v = image[static_cast<std::size_t>(b.offset)];
        scan.*b.field = (v < b.low || v > b.high) ? b.replacement : static_cast<int16>(v);
    }
    for (std::size_t g = 0; g < scan.priorityChannel.size(); ++g) {
        const int v = image[kPriorityChannelOffset + g];
        scan.priorityChannel[g] = v > 16 ? int16{255} : static_cast<int16>(v);
    }
}
