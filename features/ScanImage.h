#pragma once
// The scan bytes of the radio image: 0x8C0, 0x8C2..0x8C6 and the eight
// priority channels at 0x8D8..0x8DF.

#include "core/Document.h"

void ScanToImage(const ScanSettings& scan, RadioImage& image);
// Each byte is checked against its allowed range and replaced when it fails.
void ImageToScan(const RadioImage& image, ScanSettings& scan);
