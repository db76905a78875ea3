#include "Quantize.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>

namespace art {

namespace {

struct Colour
{
    std::array<int, 3> c; // red, green, blue
    std::uint32_t count;
};

struct Box
{
    std::vector<Colour> colours;
    std::uint64_t pixels = 0;
    int channel = 0; // the channel of the widest range
    int range = 0;

    void measure()
    {
        pixels = 0;
        range = -1;
        std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
        for (const Colour& colour : colours) {
            pixels += colour.count;
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], colour.c[k]);
                hi[k] = std::max(hi[k], colour.c[k]);
            }
        }
        for (int k = 0; k < 3; ++k) {
            if (hi[k] - lo[k] > range) {
                range = hi[k] - lo[k];
                channel = k;
            }
        }
    }
    double priority() const
    {
        return colours.size() < 2 ? -1.0 : range * std::sqrt(static_cast<double>(pixels));
    }
    std::uint32_t mean() const
    {
        std::array<double, 3> sum{};
        for (const Colour& colour : colours)
            for (int k = 0; k < 3; ++k)
                sum[k] += static_cast<double>(colour.c[k]) * colour.count;
        std::uint32_t rgb = 0;
        for (int k = 0; k < 3; ++k)
            rgb = rgb << 8 | static_cast<std::uint32_t>(std::lround(sum[k] / static_cast<double>(pixels)));
        return rgb;
    }
};

std::vector<std::uint32_t> medianCut(const QImage& image, int colours)
{
    std::map<std::uint32_t, std::uint32_t> histogram;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++histogram[line[x] & 0xffffff];
    }
    Box all;
    for (auto [rgb, count] : histogram)
        all.colours.push_back({{int(rgb >> 16 & 0xff), int(rgb >> 8 & 0xff), int(rgb & 0xff)}, count});
    all.measure();
    std::vector<Box> boxes{std::move(all)};
    while (static_cast<int>(boxes.size()) < colours) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return a.priority() < b.priority();
        });
        if (widest->priority() < 0)
            break;
        Box& box = *widest;
        const int k = box.channel;
        std::sort(box.colours.begin(), box.colours.end(),
                  [k](const Colour& a, const Colour& b) { return a.c[k] < b.c[k]; });
        // Split at the pixel median, keeping at least one colour on each side.
        std::uint64_t seen = 0;
        std::size_t cut = 1;
        for (; cut < box.colours.size() - 1; ++cut) {
            seen += box.colours[cut - 1].count;
            if (2 * seen >= box.pixels)
                break;
        }
        Box upper;
        upper.colours.assign(box.colours.begin() + static_cast<std::ptrdiff_t>(cut), box.colours.end());
        box.colours.resize(cut);
        box.measure();
        upper.measure();
        boxes.push_back(std::move(upper));
    }
    std::vector<std::uint32_t> palette;
    for (const Box& box : boxes)
        palette.push_back(box.mean());
    std::sort(palette.begin(), palette.end());
    return palette;
}

int nearest(const std::vector<std::uint32_t>& palette, float r, float g, float b)
{
    int best = 0;
    float bestDistance = std::numeric_limits<float>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const float dr = r - float(palette[i] >> 16 & 0xff);
        const float dg = g - float(palette[i] >> 8 & 0xff);
        const float db = b - float(palette[i] & 0xff);
        const float distance = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

} // namespace

IndexedPicture quantize(const QImage& source, int colours)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    IndexedPicture out;
    out.width = image.width();
    out.height = image.height();
    out.palette = medianCut(image, colours);
    out.pixels.assign(static_cast<std::size_t>(out.width) * out.height, 0);

    // Error of this row and the next, one float a channel, with a pixel of margin each side.
    const int w = out.width;
    std::vector<float> thisRow(static_cast<std::size_t>(w + 2) * 3), nextRow(thisRow.size());
    constexpr float damping = 0.85f; // softer than full diffusion: less speckle in smooth mist
    for (int y = 0; y < out.height; ++y) {
        std::fill(nextRow.begin(), nextRow.end(), 0.0f);
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const bool leftToRight = y % 2 == 0;
        for (int i = 0; i < w; ++i) {
            const int x = leftToRight ? i : w - 1 - i;
            const int dir = leftToRight ? 1 : -1;
            float* e = &thisRow[static_cast<std::size_t>(x + 1) * 3];
            const float want[3] = {std::clamp(float(qRed(line[x])) + e[0], 0.0f, 255.0f),
                                   std::clamp(float(qGreen(line[x])) + e[1], 0.0f, 255.0f),
                                   std::clamp(float(qBlue(line[x])) + e[2], 0.0f, 255.0f)};
            const int index = nearest(out.palette, want[0], want[1], want[2]);
            out.pixels[static_cast<std::size_t>(y) * w + x] = static_cast<std::uint8_t>(index);
            const std::uint32_t got = out.palette[index];
            const float have[3] = {float(got >> 16 & 0xff), float(got >> 8 & 0xff), float(got & 0xff)};
            for (int k = 0; k < 3; ++k) {
                const float err = (want[k] - have[k]) * damping;
                thisRow[static_cast<std::size_t>(x + 1 + dir) * 3 + k] += err * 7 / 16;
                nextRow[static_cast<std::size_t>(x + 1 - dir) * 3 + k] += err * 3 / 16;
                nextRow[static_cast<std::size_t>(x + 1) * 3 + k] += err * 5 / 16;
                nextRow[static_cast<std::size_t>(x + 1 + dir) * 3 + k] += err * 1 / 16;
            }
        }
        std::swap(thisRow, nextRow);
    }
    return out;
}

} // namespace art
