#pragma once

// A single-line edit box.

#include "ui/Control.h"

namespace ui {

class TEdit : public TWinControl
{
public:
    explicit TEdit(TComponent* owner);

    // A masking character (the password field), or 0.
    char PasswordChar() const;
    void SetPasswordChar(char c);
    int MaxLength() const;
    void SetMaxLength(int length);

    // Runs on every change of the text.
    TNotifyEvent OnChange;

    bool SetProperty(const std::string& name, const Value& value) override;
    bool SetEvent(const std::string& name, TNotifyEvent handler) override;
    std::string ClassName() const override;

protected:
    std::string GetText() const override;
    void SetTextValue(const std::string& text) override;
    void ColorChanged() override;

private:
    char m_passwordChar = 0;
    int m_maxLength = 0;
};

} // namespace ui
