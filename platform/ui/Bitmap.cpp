#include "ui/Bitmap.h"

#include <QImage>
#include <stdexcept>

namespace ui {

struct TBitmap::Data
{
    std::vector<unsigned char> encoded;
    bool decoded = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, std::uint32_t rgb) : m_data(std::make_shared<Data>())
{
    m_data->decoded = true;
    m_data->width = std::max(0, width);
    m_data->height = std::max(0, height);
    m_data->pixels.assign(static_cast<std::size_t>(m_data->width) * static_cast<std::size_t>(m_data->height),
                          rgb & 0xFFFFFFu);
}

TBitmap TBitmap::FromBmp(std::span<const unsigned char> bytes)
{
    TBitmap bitmap;
    bitmap.m_data = std::make_shared<Data>();
    bitmap.m_data->encoded.assign(bytes.begin(), bytes.end());
    return bitmap;
}

void TBitmap::Decode() const
{
    if (!m_data || m_data->decoded)
        return;
    m_data->decoded = true;
    const QImage image =
        QImage::fromData(m_data->encoded.data(), static_cast<int>(m_data->encoded.size()), "BMP")
            .convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        throw std::runtime_error("Bitmap image is not valid");
    m_data->width = image.width();
    m_data->height = image.height();
    m_data->pixels.resize(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            m_data->pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width()) +
                           static_cast<std::size_t>(x)] = line[x] & 0xFFFFFFu;
    }
    m_data->encoded.clear();
}

void TBitmap::Detach()
{
    Decode();
    if (m_data && m_data.use_count() > 1)
        m_data = std::make_shared<Data>(*m_data);
}

bool TBitmap::Empty() const
{
    return Width() == 0 || Height() == 0;
}

int TBitmap::Width() const
{
    Decode();
    return m_data ? m_data->width : 0;
}

int TBitmap::Height() const
{
    Decode();
    return m_data ? m_data->height : 0;
}

std::uint32_t TBitmap::Pixel(int x, int y) const
{
    Decode();
    if (!m_data || x < 0 || y < 0 || x >= m_data->width || y >= m_data->height)
        return 0;
    return m_data->pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_data->width) +
                          static_cast<std::size_t>(x)];
}

void TBitmap::SetPixel(int x, int y, std::uint32_t rgb)
{
    Detach();
    if (!m_data || x < 0 || y < 0 || x >= m_data->width || y >= m_data->height)
        return;
    m_data->pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_data->width) +
                   static_cast<std::size_t>(x)] = rgb & 0xFFFFFFu;
}

} // namespace ui
