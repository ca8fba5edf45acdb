#include "link/RadioInfoImage.h"

#include "core/Ansi.h"
#include "core/AppState.h"

namespace {

// A text field of the area: its bytes up to the first 0x00 or 0xFF, at most its length.
QString TextAt(const RadioImage& image, int offset, int length) {
    QByteArray bytes;
    for (int i = 0; i < length; ++i) {
        const std::uint8_t b = image[static_cast<std::size_t>(offset + i)];
        if (b == 0x00 || b == 0xFF) break;
        bytes.append(static_cast<char>(b));
    }
    return FromAnsi(bytes);
}

} // namespace

void ImageToRadioInfo(const RadioImage& image, RadioInfoRecord& info) {
    info.flags = image[kRadioInfoFlagsOffset];
    info.modelText = TextAt(image, 2689, 5);
    info.bandIndex = image[2694];
    info.areaCode = TextAt(image, 2696, 4);
    info.serialNumber = TextAt(image, 2704, 16);
    info.productionDate = TextAt(image, 2720, 16);
    info.productionBatch = TextAt(image, 2736, 8);
    info.customerCode = TextAt(image, 2744, 4);
    info.repairDate = TextAt(image, 2752, 16);
    info.dealerCode = TextAt(image, 2768, 16);
    info.stockDate = TextAt(image, 2784, 16);
    info.saleDate = TextAt(image, 2800, 16);
    info.seller = TextAt(image, 2816, 16);
    info.repairReason = TextAt(image, 2832, 96);
}

void MergeRadioFlags(const RadioImage& image, std::array<int16, 3>& flags) {
    const std::uint8_t bits = image[kRadioInfoFlagsOffset];
    for (int k = 0; k < 3; ++k)
        if (flags[static_cast<std::size_t>(k)] == 0)
            flags[static_cast<std::size_t>(k)] = static_cast<int16>((bits >> k) & 1);
}

void ApplyRadioInfoFromImage() {
    AppState& state = app();
    MergeRadioFlags(state.image, state.radioFlags);
    ImageToRadioInfo(state.image, state.radioInfo);
}
