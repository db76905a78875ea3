#include "ui/CheckBox.h"

#include "ui/Application.h"
#include "ui/Layout.h"
#include "ui/QtSupport.h"

#include <QCheckBox>

namespace ui {

class CheckBoxWidget : public QCheckBox
{
public:
    CheckBoxWidget()
    {
        connect(this, &QCheckBox::toggled, this, [this](bool checked) {
            if (m_byCode)
                return;
            if (auto* box = static_cast<TCheckBox*>(TControl::FromWidget(this)))
                if (checked != box->m_checked)
                    box->UserToggled();
        });
    }

    void SetCheckedByCode(bool checked)
    {
        m_byCode = true;
        setChecked(checked);
        m_byCode = false;
    }

private:
    bool m_byCode = false;
};

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner, new CheckBoxWidget) {}

std::string TCheckBox::ClassName() const
{
    return "TCheckBox";
}

bool TCheckBox::Checked() const
{
    return m_checked;
}

void TCheckBox::SetChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    static_cast<CheckBoxWidget*>(Widget())->SetCheckedByCode(checked);
    // A change by code runs the handler too; its exceptions go to the caller.
    if (OnClick)
        OnClick(this);
}

void TCheckBox::UserToggled()
{
    m_checked = !m_checked;
    Click();
}

std::string TCheckBox::GetText() const
{
    return FromQString(static_cast<QCheckBox*>(Widget())->text());
}

void TCheckBox::SetTextValue(const std::string& text)
{
    static_cast<QCheckBox*>(Widget())->setText(ToQString(text));
}

bool TCheckBox::SetProperty(const std::string& name, const Value& value)
{
    if (name == "Checked")
        SetChecked(value.AsBool());
    else
        return TWinControl::SetProperty(name, value);
    return true;
}

} // namespace ui
