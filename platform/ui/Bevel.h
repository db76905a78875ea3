#pragma once

// A three-dimensional box or frame, raised or lowered.

#include "ui/Control.h"

namespace ui {

class TBevel : public TControl
{
public:
    explicit TBevel(TComponent* owner);

    TBevelShape Shape() const;
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const;
    void SetStyle(TBevelStyle style);

    bool SetProperty(const std::string& name, const Value& value) override;
    std::string ClassName() const override;

protected:
    bool Focusable() const override;

private:
    TBevelShape m_shape = bsBox;
    TBevelStyle m_style = bsLowered;
};

} // namespace ui
