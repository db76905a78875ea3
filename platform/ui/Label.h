#pragma once

// A text on the window. A label sized to its text (AutoSize) takes the text's
// width and height in its font whenever the text or font changes.

#include "ui/Control.h"

namespace ui {

class TLabel : public TControl
{
public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const;
    void SetAutoSize(bool autoSize);
    bool Transparent() const;
    void SetTransparent(bool transparent);
    TAlignment Alignment() const;
    void SetAlignment(TAlignment alignment);
    TTextLayout TextLayout() const;
    void SetTextLayout(TTextLayout layout);
    bool ShowAccelChar() const;
    void SetShowAccelChar(bool show);
    // Breaks lines at the label's width (the width then stays as it is).
    bool WordWrap() const;
    void SetWordWrap(bool wrap);

    bool SetProperty(const std::string& name, const Value& value) override;
    std::string ClassName() const override;

protected:
    std::string GetText() const override;
    void SetTextValue(const std::string& text) override;
    void FontChanged() override;
    void ColorChanged() override;
    bool Focusable() const override;

private:
    friend class LabelWidget;
    void AdjustSize();

    std::string m_caption;
    bool m_autoSize = true;
    bool m_transparent = false;
    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    bool m_showAccelChar = true;
    bool m_wordWrap = false;
};

} // namespace ui
