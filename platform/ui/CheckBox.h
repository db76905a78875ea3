#pragma once

// A check box. Its click handler runs on every change of its checked state,
// by the user or by code, and not when it is set to the state it has.

#include "ui/Control.h"

namespace ui {

class TCheckBox : public TWinControl
{
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const;
    void SetChecked(bool checked);

    bool SetProperty(const std::string& name, const Value& value) override;
    std::string ClassName() const override;

protected:
    std::string GetText() const override;
    void SetTextValue(const std::string& text) override;

private:
    friend class CheckBoxWidget;
    void UserToggled();

    bool m_checked = false;
};

} // namespace ui
