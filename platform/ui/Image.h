#pragma once

// A picture on the window, drawn at its size or stretched over the control.

#include "ui/Bitmap.h"
#include "ui/Control.h"

namespace ui {

class TImage : public TControl
{
public:
    explicit TImage(TComponent* owner);

    const TBitmap& Picture() const;
    void SetPicture(const TBitmap& picture);
    bool Stretch() const;
    void SetStretch(bool stretch);

    bool SetProperty(const std::string& name, const Value& value) override;
    std::string ClassName() const override;

protected:
    bool Focusable() const override;

private:
    friend class ImageWidget;
    TBitmap m_picture;
    bool m_stretch = false;
};

} // namespace ui
