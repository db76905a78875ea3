#pragma once

#include "WindowsBitmaps.h"

#include <QImage>

namespace art {

// Reduces a picture to at most `colours` colours: a median-cut palette, then
// Floyd-Steinberg error diffusion onto it.
IndexedPicture quantize(const QImage& image, int colours);

} // namespace art
