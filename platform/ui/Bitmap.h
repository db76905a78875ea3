#pragma once

// A picture held as pixels: decoded from Windows bitmap (BMP) bytes or drawn
// pixel by pixel.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace ui {

class TBitmap
{
public:
    TBitmap();
    // A picture of the given size, filled with one RGB colour (0xRRGGBB).
    TBitmap(int width, int height, std::uint32_t rgb = 0);
    // The bytes of a BMP file; decoded when first used.
    static TBitmap FromBmp(std::span<const unsigned char> bytes);

    bool Empty() const;
    int Width() const;
    int Height() const;
    std::uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t rgb);

private:
    struct Data;
    void Decode() const;
    void Detach();

    std::shared_ptr<Data> m_data;
};

} // namespace ui
