#include "cli/ImageView.h"

#include "channels/ChannelImage.h"
#include "core/AppState.h"
#include "link/ImageConversion.h"

#include <QList>
#include <algorithm>

namespace {
QString Hex(const RadioImage& image, int offset, int length) {
    return QByteArray(reinterpret_cast<const char*>(image.data() + offset), length)
        .toHex(' ')
        .toUpper();
}
} // namespace

QString ChannelSlotView() {
    FillImage();
    RecordsToImage();
    const RadioImage& image = app().image;
    const DocumentRecord& doc = app().document;
    QList<int> numbers;
    for (int i = 0; i < std::clamp<int>(doc.channelCount, 0, kMaxChannels); ++i)
        numbers.append(doc.channels[static_cast<std::size_t>(i)].number);
    std::sort(numbers.begin(), numbers.end());

    QString out = QStringLiteral("Radio image:\n   CH Slot   RX          TX          Dec   Enc   "
                                 "Fl Unused\n");
    for (int n : numbers) {
        if (n < 1 || n > kMaxChannels) continue;
        const int slot = ChannelSlotOffset(n);
        out +=
            QStringLiteral("  %1 0x%2 %3  %4  %5 %6 %7 %8\n")
                .arg(n, 3)
                .arg(slot, 3, 16, QChar(u'0'))
                .arg(Hex(image, slot, 4), Hex(image, slot + 4, 4), Hex(image, slot + 8, 2),
                     Hex(image, slot + 10, 2), Hex(image, slot + 12, 1), Hex(image, slot + 13, 3));
    }
    out += QStringLiteral("  Present bitmap  0x%1: %2\n")
               .arg(kPresentBitmapOffset, 3, 16)
               .arg(Hex(image, kPresentBitmapOffset, 16));
    out += QStringLiteral("  Scan add bitmap 0x%1: %2\n")
               .arg(kScanAddBitmapOffset, 3, 16)
               .arg(Hex(image, kScanAddBitmapOffset, 16));
    return out;
}
