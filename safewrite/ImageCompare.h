#pragma once
// The check of a write against what the radio holds afterwards: bytes 0x000-0xA5F
// (the write range) except the identification bytes the radio keeps for itself in
// a write (0xA50-0xA5D), of which only the band byte 0xA56 counts.

#include "core/Document.h"

#include <QList>
#include <QString>

constexpr int kWrittenEnd = 0x0A60;
constexpr int kListedDifferences = 8;

struct ImageDifference {
    int count = 0;
    QList<int> first; // the first kListedDifferences differing addresses
    bool same() const { return count == 0; }
};

// True for the addresses a write's check compares.
bool IsCheckedAddress(int address);

ImageDifference CompareWritten(const RadioImage& sent, const RadioImage& radio);

// The start addresses of the 64-byte read blocks holding a difference.
QList<int> DifferingBlocks(const RadioImage& sent, const RadioImage& radio);

// "0x012, 0x013, ..." (three hex digits each), "..." when more differ than listed.
QString DifferenceAddresses(const ImageDifference& difference);
