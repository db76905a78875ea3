#pragma once

// A push button. The form's default button answers Enter, its cancel button
// Escape; a button with a modal result closes its modal form with it.

#include "ui/Control.h"

namespace ui {

class TButton : public TWinControl
{
public:
    explicit TButton(TComponent* owner);

    bool Default() const;
    void SetDefault(bool isDefault);
    bool Cancel() const;
    void SetCancel(bool isCancel);
    int ModalResult() const;
    void SetModalResult(int result);

    // As a user's click: the click handler, then the modal result.
    void PerformClick();

    bool SetProperty(const std::string& name, const Value& value) override;
    std::string ClassName() const override;

protected:
    TButton(TComponent* owner, QWidget* widget);
    std::string GetText() const override;
    void SetTextValue(const std::string& text) override;

private:
    void Init();

    bool m_default = false;
    bool m_cancel = false;
    int m_modalResult = mrNone;
};

} // namespace ui
