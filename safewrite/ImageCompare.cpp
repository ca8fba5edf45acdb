#include "safewrite/ImageCompare.h"

#include "link/ImageConversion.h"
#include "link/LinkTransfer.h"

bool IsCheckedAddress(int address) {
    if (address < 0 || address >= kWrittenEnd) return false;
    const bool identification =
        address >= kIdentificationOffset && address < kIdentificationOffset + kIdentificationLength;
    return !identification || address == kBandIndexOffset;
}

ImageDifference CompareWritten(const RadioImage& sent, const RadioImage& radio) {
    ImageDifference d;
    for (int a = 0; a < kWrittenEnd; ++a) {
        if (!IsCheckedAddress(a) || sent[a] == radio[a]) continue;
        if (d.count < kListedDifferences) d.first.append(a);
        ++d.count;
    }
    return d;
}

QList<int> DifferingBlocks(const RadioImage& sent, const RadioImage& radio) {
    QList<int> blocks;
    for (int a = 0; a < kWrittenEnd; ++a) {
        const int block = a - a % 64;
        if (IsCheckedAddress(a) && sent[a] != radio[a] && !blocks.contains(block))
            blocks.append(block);
    }
    return blocks;
}

QString DifferenceAddresses(const ImageDifference& difference) {
    QStringList parts;
    for (int a : difference.first)
        parts.append(QStringLiteral("0x") +
                     QString::number(a, 16).toUpper().rightJustified(3, QLatin1Char('0')));
    QString text = parts.join(QStringLiteral(", "));
    if (difference.count > difference.first.size()) text += QStringLiteral(", ...");
    return text;
}
