#pragma once

#ifndef TARN_UI_PRIVATE
#error "private to the window library: include its public headers instead"
#endif

// Qt helpers for the library's own sources; subsystems never include this.

#include "ui/Bitmap.h"
#include "ui/Types.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QString>
#include <string>

namespace ui {

QString ToQString(const std::string& text);
std::string FromQString(const QString& text);
// "\r\n" in message texts is one line break.
QString ToDisplayText(const std::string& text);

QColor ToQColor(TColor color);
// The face names asked for are mapped to their installed stand-ins; Latin
// stand-ins fall back to AR PL UMing TW for Chinese characters.
QFont ToQFont(const TFont& font);
void InstallFontStandIns();
// The classic Windows system colours.
QPalette ClassicPalette();

QImage ToQImage(const TBitmap& bitmap);
TBitmap FromQImage(const QImage& image);

// Draws the classic 3D rectangle edges exactly as GDI polylines do: the top
// and left edges in one colour, the bottom and right in the other.
void DrawBevelRect(QPainter& painter, int left, int top, int right, int bottom, const QColor& topLeft,
                   const QColor& bottomRight);
void DrawFrame3D(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight, int width);

} // namespace ui
