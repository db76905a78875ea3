#pragma once

#include "WindowsBitmaps.h"

namespace art {

// restore: a yellow hard hat over a rolled-up plan.
IconPicture restoreIcon();
// backup: two overlapping program windows and three coloured shapes.
IconPicture backupIcon();

} // namespace art
