#include "ui/BitBtn.h"

#include "ui/Layout.h"
#include "ui/QtSupport.h"

#include <QIcon>
#include <QPushButton>

namespace ui {

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

std::string TBitBtn::ClassName() const
{
    return "TBitBtn";
}

const TBitmap& TBitBtn::Glyph() const
{
    return m_glyph;
}

void TBitBtn::SetGlyph(const TBitmap& glyph)
{
    m_glyph = glyph;
    UpdateGlyph();
}

int TBitBtn::NumGlyphs() const
{
    return m_numGlyphs;
}

void TBitBtn::SetNumGlyphs(int count)
{
    m_numGlyphs = std::clamp(count, 1, 4);
    UpdateGlyph();
}

TButtonLayout TBitBtn::Layout() const
{
    return m_layout;
}

void TBitBtn::SetLayout(TButtonLayout layout)
{
    m_layout = layout;
    auto* button = static_cast<QPushButton*>(Widget());
    button->setLayoutDirection(layout == blGlyphRight ? Qt::RightToLeft : Qt::LeftToRight);
}

void TBitBtn::UpdateGlyph()
{
    auto* button = static_cast<QPushButton*>(Widget());
    if (m_glyph.Empty()) {
        button->setIcon(QIcon());
        return;
    }
    const QImage whole = ToQImage(m_glyph);
    // The lower-left pixel's colour is transparent.
    const QRgb transparent = whole.pixel(0, whole.height() - 1);
    const int width = whole.width() / m_numGlyphs;
    auto image = [&](int index) {
        QImage part =
            whole.copy(index * width, 0, width, whole.height()).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x)
                if (part.pixel(x, y) == transparent)
                    part.setPixel(x, y, 0);
        return QPixmap::fromImage(part);
    };
    QIcon icon;
    icon.addPixmap(image(0), QIcon::Normal);
    icon.addPixmap(image(0), QIcon::Active);
    if (m_numGlyphs >= 2)
        icon.addPixmap(image(1), QIcon::Disabled);
    button->setIcon(icon);
    button->setIconSize(QSize(width, whole.height()));
}

bool TBitBtn::SetProperty(const std::string& name, const Value& value)
{
    if (name == "Glyph")
        SetGlyph(value.AsBitmap());
    else if (name == "NumGlyphs")
        SetNumGlyphs(value.AsInt());
    else if (name == "Layout")
        SetLayout(static_cast<TButtonLayout>(value.AsInt()));
    else
        return TButton::SetProperty(name, value);
    return true;
}

} // namespace ui
