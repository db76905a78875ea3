#pragma once

// The byte forms of the Windows bitmap and icon files the programs carry.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace art {

// A picture of palette indices, rows top first.
struct IndexedPicture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette; // 0xRRGGBB
    std::vector<std::uint8_t> pixels;   // width * height indices
};

// An icon picture: one palette index per pixel of the standard 16-colour
// palette, or transparent.
struct IconPicture
{
    static constexpr int size = 32;
    static constexpr int transparent = -1;
    std::array<int, size * size> pixels{}; // rows top first
};

// The standard 16-colour Windows palette, 0xRRGGBB.
const std::array<std::uint32_t, 16>& standardPalette();

// An uncompressed bottom-up 8-bit BMP with a 256-entry colour table.
std::vector<std::uint8_t> bmpBytes(const IndexedPicture& picture, std::uint32_t pixelsPerMetre);

// An icon file holding one 32 x 32, 4-bit image with its AND mask.
std::vector<std::uint8_t> icoBytes(const IconPicture& picture);

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace art
