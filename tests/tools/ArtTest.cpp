// The committed start-up picture and program icons, byte by byte, as the
// programs embed them.
#include "embedded/art_test_restore_icon.h"
#include "embedded/art_test_splash.h"

#include <QImage>
#include <array>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> readSourceFile(const std::string& relative)
{
    std::ifstream in(std::string(TARN_SOURCE_DIR) + "/" + relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t u16(const std::vector<unsigned char>& b, std::size_t at)
{
    return b.at(at) | b.at(at + 1) << 8;
}

std::uint32_t u32(const std::vector<unsigned char>& b, std::size_t at)
{
    return u16(b, at) | u16(b, at + 2) << 16;
}

std::int32_t s32(const std::vector<unsigned char>& b, std::size_t at)
{
    return static_cast<std::int32_t>(u32(b, at));
}

QImage decode(const std::vector<unsigned char>& bytes, const char* format)
{
    return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), format);
}

constexpr std::array<std::uint32_t, 16> standardPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xc0c0c0,
    0x808080, 0xff0000, 0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff,
};

TEST(SplashPicture, IsAn8BitBottomUpBitmapOfTheGivenForm)
{
    const std::vector<unsigned char> b = readSourceFile("restore/Splash.bmp");
    ASSERT_EQ(b.size(), 308278u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(u32(b, 2), 308278u);  // file size
    EXPECT_EQ(u32(b, 6), 0u);       // reserved
    EXPECT_EQ(u32(b, 10), 1078u);   // pixel data offset
    EXPECT_EQ(u32(b, 14), 40u);     // information header size
    EXPECT_EQ(s32(b, 18), 640);     // width
    EXPECT_EQ(s32(b, 22), 480);     // height; positive: rows bottom-up
    EXPECT_EQ(u16(b, 26), 1u);      // planes
    EXPECT_EQ(u16(b, 28), 8u);      // bits a pixel
    EXPECT_EQ(u32(b, 30), 0u);      // BI_RGB
    EXPECT_EQ(u32(b, 34), 307200u); // pixel bytes
    EXPECT_EQ(s32(b, 38), 47244);   // pixels a metre, across
    EXPECT_EQ(s32(b, 42), 47244);   // and down
    EXPECT_EQ(u32(b, 46), 256u);    // colours in the table
    EXPECT_EQ(u32(b, 50), 0u);      // all of them important
    EXPECT_EQ(14u + 40u + 256u * 4u + 640u * 480u, 308278u);

    std::set<std::uint32_t> tableColours;
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(b[54 + 4 * i + 3], 0) << "colour " << i;
        tableColours.insert(u32(b, 54 + 4 * i));
    }
    const std::set<unsigned char> used(b.begin() + 1078, b.end());
    // A photograph-like picture needs the whole table, not a handful of colours.
    EXPECT_GT(tableColours.size(), 240u);
    EXPECT_GT(used.size(), 240u);
}

TEST(SplashPicture, ShowsAGreenAndBlueLandscapeWithThePurpleNameAboveTheMiddle)
{
    const QImage picture = decode(readSourceFile("restore/Splash.bmp"), "BMP");
    ASSERT_EQ(picture.size(), QSize(640, 480));

    auto brightness = [&](int top, int bottom) {
        double sum = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 640; ++x)
                sum += qGray(picture.pixel(x, y));
        return sum / ((bottom - top) * 640);
    };
    // The misty sky lies over the dark foreground: the rows are not upside down.
    EXPECT_GT(brightness(0, 40), brightness(440, 480) + 40);

    double red = 0, green = 0, blue = 0;
    int purple = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const QRgb p = picture.pixel(x, y);
            red += qRed(p);
            green += qGreen(p);
            blue += qBlue(p);
            const bool isPurple = qRed(p) > qGreen(p) + 40 && qBlue(p) > qGreen(p) + 60;
            if (isPurple && (y < 30 || y > 220))
                ADD_FAILURE() << "purple outside the name at " << x << "," << y;
            purple += isPurple;
        }
    }
    // Green and blue tones: red and blue not swapped in the colour table.
    EXPECT_GT(green, red);
    EXPECT_GT(blue, red);
    EXPECT_GT(purple, 5000);
}

struct IconCase
{
    const char* file;
    std::vector<int> coloursShown; // palette indices the picture must use
};

void PrintTo(const IconCase& icon, std::ostream* out)
{
    *out << icon.file;
}

class ProgramIcon : public ::testing::TestWithParam<IconCase>
{
};

TEST_P(ProgramIcon, IsOne32By32FourBitImageWithTheStandardPaletteAndAMask)
{
    const std::vector<unsigned char> b = readSourceFile(GetParam().file);
    ASSERT_EQ(b.size(), 766u);
    // Icon directory and its one entry.
    EXPECT_EQ(u16(b, 0), 0u);
    EXPECT_EQ(u16(b, 2), 1u); // icon, not cursor
    EXPECT_EQ(u16(b, 4), 1u); // one image
    EXPECT_EQ(b[6], 32);      // width
    EXPECT_EQ(b[7], 32);      // height
    EXPECT_EQ(b[8], 16);      // colours
    EXPECT_EQ(b[9], 0);
    EXPECT_EQ(u16(b, 10), 1u); // planes
    EXPECT_EQ(u16(b, 12), 4u); // bits a pixel
    EXPECT_EQ(u32(b, 14), 744u);
    EXPECT_EQ(u32(b, 18), 22u);

    // The image: header, palette, XOR pixels, AND mask.
    constexpr std::size_t image = 22, palette = image + 40, pixels = palette + 64, mask = pixels + 512;
    EXPECT_EQ(mask + 128, b.size());
    EXPECT_EQ(u32(b, image), 40u);
    EXPECT_EQ(s32(b, image + 4), 32);
    EXPECT_EQ(s32(b, image + 8), 64); // XOR and AND rows together
    EXPECT_EQ(u16(b, image + 12), 1u);
    EXPECT_EQ(u16(b, image + 14), 4u);
    EXPECT_EQ(u32(b, image + 16), 0u); // BI_RGB
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(u32(b, palette + 4 * i), standardPalette[i]) << "palette entry " << i;

    // Rows are stored bottom-up: row 0 of the data is the picture's last row.
    auto colour = [&](int x, int y) {
        const unsigned char two = b[pixels + static_cast<std::size_t>(31 - y) * 16 + x / 2];
        return x % 2 == 0 ? two >> 4 : two & 0x0f;
    };
    auto transparent = [&](int x, int y) {
        return (b[mask + static_cast<std::size_t>(31 - y) * 4 + x / 8] >> (7 - x % 8) & 1) != 0;
    };
    int opaque = 0;
    std::set<int> shown;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (transparent(x, y)) {
                EXPECT_EQ(colour(x, y), 0) << "transparent pixel not black at " << x << "," << y;
            } else {
                ++opaque;
                shown.insert(colour(x, y));
            }
        }
    }
    for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}})
        EXPECT_TRUE(transparent(x, y)) << "corner " << x << "," << y;
    EXPECT_GT(opaque, 400);
    for (int index : GetParam().coloursShown)
        EXPECT_TRUE(shown.count(index)) << "palette colour " << index << " not used";

    const QImage decoded = decode(b, "ICO");
    ASSERT_EQ(decoded.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(decoded.pixel(0, 0)), 0);
}

INSTANTIATE_TEST_SUITE_P(Art, ProgramIcon,
                         ::testing::Values(IconCase{"restore/MainIcon.ico", {0, 11}},     // yellow hat
                                           IconCase{"backup/MainIcon.ico", {9, 10, 12}}), // red, green, blue
                         [](const auto& info) { return info.index == 0 ? "Restore" : "Backup"; });

TEST(EmbeddedFile, HoldsTheFileBytesExactly)
{
    const std::vector<unsigned char> splash = readSourceFile("restore/Splash.bmp");
    ASSERT_EQ(embedded::art_test_splash_size, splash.size());
    EXPECT_TRUE(std::equal(splash.begin(), splash.end(), embedded::art_test_splash));
    EXPECT_EQ(embedded::art_test_splash[splash.size()], 0); // the terminating zero

    const std::vector<unsigned char> icon = readSourceFile("restore/MainIcon.ico");
    ASSERT_EQ(embedded::art_test_restore_icon_size, icon.size());
    EXPECT_TRUE(std::equal(icon.begin(), icon.end(), embedded::art_test_restore_icon));
}

} // namespace
