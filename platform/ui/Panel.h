#pragma once

// A panel: a container drawn, from its edge inwards, with an optional sunken
// border (BorderStyle bsSingle), an outer bevel, a band of BorderWidth pixels
// and an inner bevel, each bevel BevelWidth pixels wide.

#include "ui/Control.h"

namespace ui {

class TPanel : public TWinControl
{
public:
    explicit TPanel(TComponent* owner);

    TPanelBevel BevelOuter() const;
    void SetBevelOuter(TPanelBevel bevel);
    TPanelBevel BevelInner() const;
    void SetBevelInner(TPanelBevel bevel);
    int BevelWidth() const;
    void SetBevelWidth(int width);
    int BorderWidth() const;
    void SetBorderWidth(int width);
    TBorderStyle BorderStyle() const;
    void SetBorderStyle(TBorderStyle style);
    TAlignment Alignment() const;
    void SetAlignment(TAlignment alignment);

    bool SetProperty(const std::string& name, const Value& value) override;
    std::string ClassName() const override;

    QWidget* ClientWidget() const override;

protected:
    std::string GetText() const override;
    void SetTextValue(const std::string& text) override;
    void BoundsChanged() override;
    bool GreysWhenDisabled() const override;
    bool Focusable() const override;

private:
    friend class PanelWidget;
    void Redraw();
    std::string m_caption;
    TPanelBevel m_bevelOuter = bvRaised;
    TPanelBevel m_bevelInner = bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    TBorderStyle m_borderStyle = bsNone;
    TAlignment m_alignment = taCenter;
};

} // namespace ui
