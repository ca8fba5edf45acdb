#pragma once
// The optional-features bytes (0x8B0..0x8BF) and the three side values
// (0x8C8, 0x8C9, 0x8CC) of the radio image.

#include "core/Document.h"

void OptionalFeaturesToImage(const OptionalFeatures& features, const SideValues& side,
                             RadioImage& image);
// Each byte is checked against its allowed range and replaced by its fixed value
// when it fails; fields the image does not hold are left as they are.
void ImageToOptionalFeatures(const RadioImage& image, OptionalFeatures& features, SideValues& side);
