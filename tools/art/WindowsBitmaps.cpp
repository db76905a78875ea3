#include "WindowsBitmaps.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace art {

namespace {

class ByteWriter
{
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : m_out(out) {}
    void u8(std::uint32_t v)
    {
        m_out.push_back(static_cast<std::uint8_t>(v));
    }
    void u16(std::uint32_t v)
    {
        u8(v & 0xff);
        u8(v >> 8);
    }
    void u32(std::uint32_t v)
    {
        u16(v & 0xffff);
        u16(v >> 16);
    }
    // Windows colour tables hold blue, green, red and a zero byte.
    void rgbQuad(std::uint32_t rgb)
    {
        u8(rgb & 0xff);
        u8((rgb >> 8) & 0xff);
        u8((rgb >> 16) & 0xff);
        u8(0);
    }

private:
    std::vector<std::uint8_t>& m_out;
};

constexpr std::uint32_t fileHeaderSize = 14;
constexpr std::uint32_t infoHeaderSize = 40;
constexpr std::uint32_t bitmapColours = 256;

void infoHeader(ByteWriter& w, int width, int height, int bitCount, std::uint32_t imageSize,
                std::uint32_t pixelsPerMetre, std::uint32_t coloursUsed)
{
    w.u32(infoHeaderSize);
    w.u32(static_cast<std::uint32_t>(width));
    w.u32(static_cast<std::uint32_t>(height));
    w.u16(1); // planes
    w.u16(static_cast<std::uint32_t>(bitCount));
    w.u32(0); // BI_RGB
    w.u32(imageSize);
    w.u32(pixelsPerMetre);
    w.u32(pixelsPerMetre);
    w.u32(coloursUsed);
    w.u32(0); // all colours important
}

} // namespace

const std::array<std::uint32_t, 16>& standardPalette()
{
    static const std::array<std::uint32_t, 16> palette = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xc0c0c0,
        0x808080, 0xff0000, 0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff,
    };
    return palette;
}

std::vector<std::uint8_t> bmpBytes(const IndexedPicture& picture, std::uint32_t pixelsPerMetre)
{
    if (picture.palette.size() > bitmapColours)
        throw std::invalid_argument("more than 256 colours");
    if (picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height)
        throw std::invalid_argument("pixel count does not match the size");
    const std::uint32_t rowSize = (static_cast<std::uint32_t>(picture.width) + 3) & ~3u;
    const std::uint32_t imageSize = rowSize * static_cast<std::uint32_t>(picture.height);
    const std::uint32_t pixelOffset = fileHeaderSize + infoHeaderSize + 4 * bitmapColours;

    std::vector<std::uint8_t> out;
    out.reserve(pixelOffset + imageSize);
    ByteWriter w(out);
    w.u8('B');
    w.u8('M');
    w.u32(pixelOffset + imageSize);
    w.u32(0); // reserved
    w.u32(pixelOffset);
    infoHeader(w, picture.width, picture.height, 8, imageSize, pixelsPerMetre, bitmapColours);
    for (std::uint32_t i = 0; i < bitmapColours; ++i)
        w.rgbQuad(i < picture.palette.size() ? picture.palette[i] : 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::size_t row = static_cast<std::size_t>(y) * picture.width;
        for (int x = 0; x < picture.width; ++x)
            w.u8(picture.pixels[row + x]);
        for (std::uint32_t pad = picture.width; pad < rowSize; ++pad)
            w.u8(0);
    }
    return out;
}

std::vector<std::uint8_t> icoBytes(const IconPicture& picture)
{
    constexpr int n = IconPicture::size;
    constexpr std::uint32_t xorSize = n * n / 2; // 4 bits a pixel; rows already 4-byte multiples
    constexpr std::uint32_t andSize = n * n / 8; // 1 bit a pixel
    constexpr std::uint32_t imageBytes = infoHeaderSize + 16 * 4 + xorSize + andSize;
    constexpr std::uint32_t directorySize = 6 + 16;

    std::vector<std::uint8_t> out;
    out.reserve(directorySize + imageBytes);
    ByteWriter w(out);
    w.u16(0); // reserved
    w.u16(1); // icon
    w.u16(1); // one image
    w.u8(n);
    w.u8(n);
    w.u8(16); // colours
    w.u8(0);
    w.u16(1); // planes
    w.u16(4); // bits a pixel
    w.u32(imageBytes);
    w.u32(directorySize);

    // The image's height counts the XOR and the AND rows together.
    infoHeader(w, n, 2 * n, 4, xorSize + andSize, 0, 0);
    for (std::uint32_t rgb : standardPalette())
        w.rgbQuad(rgb);
    auto at = [&](int x, int y) { return picture.pixels[static_cast<std::size_t>(y) * n + x]; };
    for (int y = n - 1; y >= 0; --y) {
        for (int x = 0; x < n; x += 2) {
            // Transparent pixels are black under a set mask bit.
            const int hi = at(x, y) < 0 ? 0 : at(x, y);
            const int lo = at(x + 1, y) < 0 ? 0 : at(x + 1, y);
            w.u8(static_cast<std::uint32_t>(hi << 4 | lo));
        }
    }
    for (int y = n - 1; y >= 0; --y) {
        for (int x = 0; x < n; x += 8) {
            std::uint32_t bits = 0;
            for (int b = 0; b < 8; ++b)
                if (at(x + b, y) == IconPicture::transparent)
                    bits |= 0x80u >> b;
            w.u8(bits);
        }
    }
    return out;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot replace " + path);
}

} // namespace art
