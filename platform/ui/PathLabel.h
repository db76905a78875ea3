#pragma once

// Fitting a folder path into a label of fixed width.

#include <functional>
#include <string>

namespace ui {

// The path as it fits maxWidth: while too wide, the folders after the drive
// give way to "...\" one at a time from the left (C:\A\B\NAME, C:\...\B\NAME,
// C:\...\NAME), then the drive goes (...\NAME), last only the name is left.
std::string minimizePath(const std::string& path, int maxWidth,
                         const std::function<int(const std::string&)>& textWidth);

} // namespace ui
