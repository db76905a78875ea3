#pragma once

// A scrolling area holding controls, which may be added and removed at run time.

#include "ui/Control.h"

namespace ui {

class TScrollBox : public TWinControl
{
public:
    explicit TScrollBox(TComponent* owner);

    // Scrolls so that the control lies in view.
    void ScrollInView(TControl* control);

    void SetVisible(bool visible) override;
    QWidget* ClientWidget() const override;
    std::string ClassName() const override;

protected:
    bool GreysWhenDisabled() const override;
    bool Focusable() const override;
    void ControlsChanged() override;
    void ColorChanged() override;

private:
    void ApplyScrollInView();

    QWidget* m_content = nullptr;
    // A hidden scroll area has no scroll range yet; the control to bring
    // into view is kept until the box is shown.
    TControl* m_inView = nullptr;
};

} // namespace ui
