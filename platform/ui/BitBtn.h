#pragma once

// A push button with a picture (glyph) beside its caption. A glyph may hold
// several images side by side: the first for the normal state, the second
// for the disabled state. The colour of the glyph's lower-left pixel is
// transparent.

#include "ui/Bitmap.h"
#include "ui/Button.h"

namespace ui {

class TBitBtn : public TButton
{
public:
    explicit TBitBtn(TComponent* owner);

    const TBitmap& Glyph() const;
    void SetGlyph(const TBitmap& glyph);
    int NumGlyphs() const;
    void SetNumGlyphs(int count);
    TButtonLayout Layout() const;
    void SetLayout(TButtonLayout layout);

    bool SetProperty(const std::string& name, const Value& value) override;
    std::string ClassName() const override;

private:
    void UpdateGlyph();

    TBitmap m_glyph;
    int m_numGlyphs = 1;
    TButtonLayout m_layout = blGlyphLeft;
};

} // namespace ui
