#include "ui/QtSupport.h"

#include <QApplication>

namespace ui {

namespace {

const char* const kChineseFallback = "AR PL UMing TW";

} // namespace

QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string FromQString(const QString& text)
{
    return text.toStdString();
}

QString ToDisplayText(const std::string& text)
{
    QString s = ToQString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    return s;
}

QColor ToQColor(TColor color)
{
    return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | ColorToRgb(color)));
}

QFont ToQFont(const TFont& font)
{
    const std::string face = StandInFace(font.Name);
    QStringList families{ToQString(face)};
    if (face != kChineseFallback && face != "AR PL UKai TW")
        families << kChineseFallback;
    QFont q;
    q.setFamilies(families);
    q.setPixelSize(std::max(1, font.Height));
    q.setBold((font.Style & fsBold) != 0);
    q.setItalic((font.Style & fsItalic) != 0);
    q.setUnderline((font.Style & fsUnderline) != 0);
    q.setStrikeOut((font.Style & fsStrikeOut) != 0);
    return q;
}

void InstallFontStandIns()
{
    const QString fallback = kChineseFallback;
    QFont::insertSubstitutions("Times New Roman", {"Liberation Serif", fallback});
    QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", fallback});
    QFont::insertSubstitution("新細明體", fallback);
    QFont::insertSubstitution("標楷體", "AR PL UKai TW");
    for (const char* latin : {"Liberation Serif", "Liberation Sans"})
        if (!QFont::substitutes(latin).contains(fallback))
            QFont::insertSubstitution(latin, fallback);
}

QPalette ClassicPalette()
{
    const QColor face = ToQColor(clBtnFace);
    const QColor text = ToQColor(clWindowText);
    const QColor grey = ToQColor(clGrayText);
    QPalette p(face);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        p.setColor(group, QPalette::Window, face);
        p.setColor(group, QPalette::Button, face);
        p.setColor(group, QPalette::Base, disabled ? face : ToQColor(clWindow));
        p.setColor(group, QPalette::AlternateBase, ToQColor(clWindow));
        p.setColor(group, QPalette::WindowText, disabled ? grey : text);
        p.setColor(group, QPalette::Text, disabled ? grey : text);
        p.setColor(group, QPalette::ButtonText, disabled ? grey : text);
        p.setColor(group, QPalette::PlaceholderText, grey);
        p.setColor(group, QPalette::BrightText, ToQColor(clWhite));
        p.setColor(group, QPalette::Light, ToQColor(clBtnHighlight));
        p.setColor(group, QPalette::Midlight, ToQColor(cl3DLight));
        p.setColor(group, QPalette::Mid, QColor(0xA0, 0xA0, 0xA0));
        p.setColor(group, QPalette::Dark, ToQColor(clBtnShadow));
        p.setColor(group, QPalette::Shadow, ToQColor(cl3DDkShadow));
        p.setColor(group, QPalette::Highlight, disabled ? grey : ToQColor(clHighlight));
        p.setColor(group, QPalette::HighlightedText, ToQColor(clHighlightText));
        p.setColor(group, QPalette::ToolTipBase, ToQColor(clInfoBk));
        p.setColor(group, QPalette::ToolTipText, ToQColor(clInfoText));
        p.setColor(group, QPalette::Link, ToQColor(clBlue));
    }
    return p;
}

QImage ToQImage(const TBitmap& bitmap)
{
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.Width(); ++x)
            line[x] = 0xFF000000u | bitmap.Pixel(x, y);
    }
    return image;
}

TBitmap FromQImage(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    TBitmap bitmap(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            bitmap.SetPixel(x, y, line[x] & 0xFFFFFFu);
    }
    return bitmap;
}

void DrawBevelRect(QPainter& painter, int left, int top, int right, int bottom, const QColor& topLeft,
                   const QColor& bottomRight)
{
    // Polyline (left,bottom)-(left,top)-(right,top) in the first colour, then
    // (right,top)-(right,bottom)-(left,bottom) in the second; a polyline leaves
    // out its last point.
    painter.fillRect(QRect(QPoint(left, top), QPoint(left, bottom)), topLeft);
    painter.fillRect(QRect(QPoint(left, top), QPoint(right - 1, top)), topLeft);
    painter.fillRect(QRect(QPoint(right, top), QPoint(right, bottom)), bottomRight);
    if (right - 1 >= left + 1)
        painter.fillRect(QRect(QPoint(left + 1, bottom), QPoint(right - 1, bottom)), bottomRight);
}

void DrawFrame3D(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight, int width)
{
    // As the classic library's Frame3D: each ring's bottom-right corner pixels
    // go to the second colour; the rectangle shrinks by one pixel per ring.
    int left = rect.left();
    int top = rect.top();
    int right = rect.right();
    int bottom = rect.bottom();
    for (int i = 0; i < width && left <= right && top <= bottom; ++i) {
        painter.fillRect(QRect(QPoint(left, top), QPoint(left, bottom - 1)), topLeft);
        painter.fillRect(QRect(QPoint(left, top), QPoint(right - 1, top)), topLeft);
        painter.fillRect(QRect(QPoint(right, top), QPoint(right, bottom)), bottomRight);
        painter.fillRect(QRect(QPoint(left, bottom), QPoint(right, bottom)), bottomRight);
        ++left;
        ++top;
        --right;
        --bottom;
    }
    rect = QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace ui
