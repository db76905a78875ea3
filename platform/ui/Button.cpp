#include "ui/Button.h"

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Layout.h"
#include "ui/QtSupport.h"

#include <QPushButton>

namespace ui {

namespace {

TForm* ParentForm(TControl* control)
{
    TWinControl* p = control->Parent();
    while (p && p->Parent())
        p = p->Parent();
    return dynamic_cast<TForm*>(p);
}

} // namespace

TButton::TButton(TComponent* owner) : TButton(owner, new QPushButton) {}

TButton::TButton(TComponent* owner, QWidget* widget) : TWinControl(owner, widget)
{
    Init();
}

void TButton::Init()
{
    auto* button = static_cast<QPushButton*>(Widget());
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [button] {
        if (auto* self = dynamic_cast<TButton*>(TControl::FromWidget(button)))
            self->PerformClick();
    });
}

std::string TButton::ClassName() const
{
    return "TButton";
}

std::string TButton::GetText() const
{
    return FromQString(static_cast<QPushButton*>(Widget())->text());
}

void TButton::SetTextValue(const std::string& text)
{
    static_cast<QPushButton*>(Widget())->setText(ToQString(text));
}

bool TButton::Default() const
{
    return m_default;
}

void TButton::SetDefault(bool isDefault)
{
    m_default = isDefault;
    static_cast<QPushButton*>(Widget())->setDefault(isDefault);
}

bool TButton::Cancel() const
{
    return m_cancel;
}

void TButton::SetCancel(bool isCancel)
{
    m_cancel = isCancel;
}

int TButton::ModalResult() const
{
    return m_modalResult;
}

void TButton::SetModalResult(int result)
{
    m_modalResult = result;
}

void TButton::PerformClick()
{
    // The modal result goes to the form before the click handler runs.
    if (TForm* form = ParentForm(this))
        if (m_modalResult != mrNone)
            form->SetModalResult(m_modalResult);
    Click();
}

bool TButton::SetProperty(const std::string& name, const Value& value)
{
    if (name == "Default")
        SetDefault(value.AsBool());
    else if (name == "Cancel")
        SetCancel(value.AsBool());
    else if (name == "ModalResult")
        SetModalResult(value.AsInt());
    else
        return TWinControl::SetProperty(name, value);
    return true;
}

} // namespace ui
