#include "ui/Types.h"

#include <algorithm>
#include <cctype>

namespace ui {

namespace {

// The classic Windows system colours, as RGB.
std::uint32_t SystemRgb(int index)
{
    switch (index) {
    case 5:  // window
    case 14: // highlight text
    case 20: // button highlight
        return 0xFFFFFF;
    case 13: // highlight
        return 0x000080;
    case 15: // button face
        return 0xC0C0C0;
    case 16: // button shadow
    case 17: // grey text
        return 0x808080;
    case 22: // 3D light
        return 0xDFDFDF;
    case 24: // tooltip background
        return 0xFFFFE1;
    default: // window text, button text, 3D dark shadow, tooltip text
        return 0x000000;
    }
}

int MulDiv(int number, int numerator, int denominator)
{
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

} // namespace

std::uint32_t ColorToRgb(TColor color)
{
    if (color.IsSystem())
        return SystemRgb(static_cast<int>(color.value & 0xFF));
    const std::uint32_t r = color.value & 0xFF;
    const std::uint32_t g = (color.value >> 8) & 0xFF;
    const std::uint32_t b = (color.value >> 16) & 0xFF;
    return r << 16 | g << 8 | b;
}

int TFont::Size() const
{
    return MulDiv(Height, 72, 96);
}

void TFont::SetSize(int points)
{
    Height = MulDiv(points, 96, 72);
}

std::string StandInFace(const std::string& requestedFace)
{
    if (requestedFace == "新細明體")
        return "AR PL UMing TW";
    if (requestedFace == "標楷體")
        return "AR PL UKai TW";
    const std::string face = Lower(requestedFace);
    if (face == "times new roman")
        return "Liberation Serif";
    if (face == "ms sans serif" || face == "arial")
        return "Liberation Sans";
    return requestedFace;
}

} // namespace ui
