#pragma once

// The transfer window's layout in each direction, applied when the window
// is constructed.

#include "transfer/DirectionProfile.h"
#include "ui/Layout.h"

namespace transfer {

const ui::Layout& windowLayout(TransferDirection direction);

} // namespace transfer
