#pragma once

#include <QImage>

namespace art {

// The start-up picture: a misty mountain lake with the suite's name, 640 x 480, full colour.
QImage drawSplashPicture();

} // namespace art
