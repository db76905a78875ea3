#pragma once

// What the two folder dialogs' layouts have in common: a fixed dialog frame
// centred on the screen, a framed prompt and name box, OK and Cancel below.

#include "ui/Layout.h"

namespace dialogs {

using ui::Properties;

// A regular font (no bold, no italic).
Properties FontOf(const char* name, int height, ui::TColor color);

// The window's own properties, before its font.
Properties DialogWindow(const char* name, const char* caption, int clientWidth, int clientHeight);

// Bevel1: the lowered frame around the prompt and the name box.
ui::ComponentSpec NameFrame(int left, int top);
// The name box the caller reads: empty, first in the tab order.
ui::ComponentSpec NameBox(const char* name, int left, int top, const Properties& font);
// OKBtn (default, modal result 1) and CancelBtn (cancel, modal result 2).
ui::ComponentSpec OKButton(int left, int top);
ui::ComponentSpec CancelButton(int left, int top);

} // namespace dialogs
