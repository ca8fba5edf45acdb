#include "channels/ChannelImage.h"

#include "codec/Frequency.h"
#include "codec/Tone.h"

#include <algorithm>

namespace {

constexpr int kChannelsPerPage = 30;
constexpr int kSlotsPerPage = 32;
constexpr int kSlotSize = 16;
constexpr int kBitmapSize = 16;

bool BitOf(const RadioImage& image, int base, int channelNumber) {
    const int bit = (channelNumber - 1) % 8;
    return (image[static_cast<std::size_t>(base + (channelNumber - 1) / 8)] >> bit) & 1;
}

void SetBit(RadioImage& image, int base, int channelNumber) {
    image[static_cast<std::size_t>(base + (channelNumber - 1) / 8)] |=
        static_cast<std::uint8_t>(1u << ((channelNumber - 1) % 8));
}

template <std::size_t N> void SetText(FixedText<N>& text, const QString& value) {
    text.assign(value.toLatin1());
}

std::uint8_t FlagByte(const ChannelEntry& e) {
    return static_cast<std::uint8_t>(((e.spacing & 1) << 6) | ((e.talkAround & 1) << 5) |
                                     ((e.reverse & 1) << 4) | ((e.txPower & 1) << 2) |
                                     (e.busyLockout & 3));
}

} // namespace

int ChannelSlotOffset(int channelNumber) {
    const int n = channelNumber - 1;
    return kSlotSize * (kSlotsPerPage * (n / kChannelsPerPage) + 1 + n % kChannelsPerPage);
}

void ChannelsToImage(const DocumentRecord& doc, RadioImage& image) {
    std::fill_n(image.begin() + kPresentBitmapOffset, 2 * kBitmapSize, std::uint8_t{0});
    const int count = std::clamp<int>(doc.channelCount, 0, kMaxChannels);
    for (int i = 0; i < count; ++i) {
        const ChannelEntry& e = doc.channels[static_cast<std::size_t>(i)];
        if (e.number < 1 || e.number > kMaxChannels) continue;
        std::uint8_t* slot = image.data() + ChannelSlotOffset(e.number);
        const auto rx = FreDataToImage(e.rxFreq.text());
        const auto tx = FreDataToImage(e.txFreq.text());
        const auto decode = ToneDataToImage(e.decodeTone.text());
        const auto encode = ToneDataToImage(e.encodeTone.text());
        std::copy(rx.begin(), rx.end(), slot);
        std::copy(tx.begin(), tx.end(), slot + 4);
        std::copy(decode.begin(), decode.end(), slot + 8);
        std::copy(encode.begin(), encode.end(), slot + 10);
        slot[12] = FlagByte(e);
        SetBit(image, kPresentBitmapOffset, e.number);
        if (e.scanAdd == 1) SetBit(image, kScanAddBitmapOffset, e.number);
    }
}

void ImageToChannels(const RadioImage& image, DocumentRecord& doc) {
    int count = 0;
    for (int n = 1; n <= kMaxChannels; ++n) {
        if (!BitOf(image, kPresentBitmapOffset, n)) continue;
        const std::uint8_t* slot = image.data() + ChannelSlotOffset(n);
        const QString rx = ImageToFreData(slot);
        if (rx == kNoFrequency) continue; // an erased slot is not a channel

        // The fields the image does not hold take the new-channel defaults; the
        // transmit-entry flag says whether the channel has a TX frequency, as if it
        // had been typed.
        ChannelEntry e;
        e.number = static_cast<int16>(n);
        e.inUse = 1;
        SetText(e.rxFreq, rx);
        SetText(e.txFreq, ImageToFreData(slot + 4));
        e.txEntryFlag = e.txFreq.text() == kNoFrequency ? 1 : 0;
        SetText(e.decodeTone, ImageToToneData(slot[8], slot[9]));
        SetText(e.encodeTone, ImageToToneData(slot[10], slot[11]));
        const std::uint8_t flags = slot[12];
        e.spacing = (flags >> 6) & 1;
        e.talkAround = (flags >> 5) & 1;
        e.reverse = (flags >> 4) & 1;
        e.txPower = (flags >> 2) & 1;
        e.busyLockout = flags & 3;
        if (e.busyLockout == 3) e.busyLockout = 2;
        e.scanAdd = BitOf(image, kScanAddBitmapOffset, n) ? 1 : 0;
        doc.channels[static_cast<std::size_t>(count++)] = e;
    }
    doc.channelCount = static_cast<int16>(count);
}
