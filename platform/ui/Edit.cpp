#include "ui/Edit.h"

#include "ui/Application.h"
#include "ui/Layout.h"
#include "ui/QtSupport.h"

#include <QLineEdit>

namespace ui {

TEdit::TEdit(TComponent* owner) : TWinControl(owner, new QLineEdit)
{
    auto* edit = static_cast<QLineEdit*>(Widget());
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] {
        if (auto* self = static_cast<TEdit*>(TControl::FromWidget(edit)))
            CallHandler(self->OnChange, self);
    });
    SetParentColor(false);
    SetColor(clWindow);
}

std::string TEdit::ClassName() const
{
    return "TEdit";
}

std::string TEdit::GetText() const
{
    return FromQString(static_cast<QLineEdit*>(Widget())->text());
}

void TEdit::SetTextValue(const std::string& text)
{
    static_cast<QLineEdit*>(Widget())->setText(ToQString(text));
}

void TEdit::ColorChanged()
{
    QWidget* w = Widget();
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::Base, ToQColor(Color()));
    w->setPalette(p);
}

char TEdit::PasswordChar() const
{
    return m_passwordChar;
}

void TEdit::SetPasswordChar(char c)
{
    m_passwordChar = c;
    static_cast<QLineEdit*>(Widget())->setEchoMode(c ? QLineEdit::Password : QLineEdit::Normal);
}

int TEdit::MaxLength() const
{
    return m_maxLength;
}

void TEdit::SetMaxLength(int length)
{
    m_maxLength = length;
    static_cast<QLineEdit*>(Widget())->setMaxLength(length > 0 ? length : 32767);
}

bool TEdit::SetProperty(const std::string& name, const Value& value)
{
    if (name == "PasswordChar")
        SetPasswordChar(value.AsString().empty() ? 0 : value.AsString()[0]);
    else if (name == "MaxLength")
        SetMaxLength(value.AsInt());
    else
        return TWinControl::SetProperty(name, value);
    return true;
}

bool TEdit::SetEvent(const std::string& name, TNotifyEvent handler)
{
    if (name == "OnChange") {
        OnChange = std::move(handler);
        return true;
    }
    return TWinControl::SetEvent(name, std::move(handler));
}

} // namespace ui
