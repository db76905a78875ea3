#pragma once

// Renders a window, as it is now, to a PNG file (for people to look at).

#include <string>

namespace ui {

class TForm;

// Shows the form first when it is hidden. False when the file cannot be written.
bool RenderToPng(TForm& form, const std::string& path);

} // namespace ui
