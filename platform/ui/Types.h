#pragma once

// Basic types of the window library: the root object, events, colours,
// fonts, and the enumerations the layouts and handlers use.

#include <cstdint>
#include <functional>
#include <string>

namespace ui {

class TObject
{
public:
    virtual ~TObject() = default;
};

// Every handler the layouts bind: it receives the object that raised the event.
using TNotifyEvent = std::function<void(TObject* sender)>;

// Colours: plain RGB values, or one of the system's colours (resolved
// through the classic Windows palette when drawn).
struct TColor
{
    std::uint32_t value = 0;
    constexpr bool operator==(const TColor&) const = default;
    constexpr bool IsSystem() const
    {
        return (value & 0x80000000u) != 0;
    }
};

constexpr TColor Rgb(int r, int g, int b)
{
    return TColor{static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 |
                  static_cast<std::uint32_t>(b) << 16};
}
constexpr TColor SystemColor(int index)
{
    return TColor{0x80000000u | static_cast<std::uint32_t>(index)};
}

constexpr TColor clBlack = Rgb(0, 0, 0);
constexpr TColor clMaroon = Rgb(128, 0, 0);
constexpr TColor clGreen = Rgb(0, 128, 0);
constexpr TColor clNavy = Rgb(0, 0, 128);
constexpr TColor clGray = Rgb(128, 128, 128);
constexpr TColor clSilver = Rgb(192, 192, 192);
constexpr TColor clRed = Rgb(255, 0, 0);
constexpr TColor clLime = Rgb(0, 255, 0);
constexpr TColor clYellow = Rgb(255, 255, 0);
constexpr TColor clBlue = Rgb(0, 0, 255);
constexpr TColor clWhite = Rgb(255, 255, 255);

constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

// The RGB value a colour is drawn with (system colours from the classic palette).
std::uint32_t ColorToRgb(TColor color);

enum TFontStyle : int
{
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

// A font as the layouts give it: a face name, the character height in pixels
// (without internal leading, at 96 pixels per inch), style bits and colour.
struct TFont
{
    std::string Name = "MS Sans Serif";
    int Height = 11;
    int Style = 0;
    TColor Color = clWindowText;

    // The size in points at 96 pixels per inch; setting it sets Height.
    int Size() const;
    void SetSize(int points);

    bool operator==(const TFont&) const = default;
};

// The installed face that stands in for a face the programs ask for.
std::string StandInFace(const std::string& requestedFace);

// Modal results; the message boxes' answers use the same numbers.
enum TModalResult : int
{
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
};

enum TBorderStyle : int
{
    bsNone,
    bsSingle,
    bsSizeable,
    bsDialog,
};

enum TPosition : int
{
    poDesigned,
    poScreenCenter,
};

enum TWindowState : int
{
    wsNormal,
    wsMinimized,
    wsMaximized,
};

enum TAlignment : int
{
    taLeftJustify,
    taRightJustify,
    taCenter,
};

enum TTextLayout : int
{
    tlTop,
    tlCenter,
    tlBottom,
};

enum TBevelShape : int
{
    bsBox,
    bsFrame,
};

enum TBevelStyle : int
{
    bsLowered,
    bsRaised,
};

enum TPanelBevel : int
{
    bvNone,
    bvLowered,
    bvRaised,
};

enum TButtonLayout : int
{
    blGlyphLeft,
    blGlyphRight,
    blGlyphTop,
    blGlyphBottom,
};

enum TCursor : int
{
    crDefault = 0,
    crHourGlass = -11,
};

} // namespace ui
