#include "ui/Button.h"

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Internal.h"
#include "ui/Layout.h"
#include "ui/QtSupport.h"

#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionButton>

namespace ui {

namespace {

TForm* ParentForm(TControl* control)
{
    TWinControl* p = control->Parent();
    while (p && p->Parent())
        p = p->Parent();
    return dynamic_cast<TForm*>(p);
}

TButton* ButtonOf(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (TControl* c = TControl::FromWidget(w))
            return dynamic_cast<TButton*>(c);
    return nullptr;
}

// As the classic controls do: the focused button is the one Enter presses
// and carries the default frame; with the focus on anything else, the form's
// default button carries it.
void DrawDefaultFrames(QWidget* window)
{
    // A form on its way out has let go of its window first.
    if (!window || !dynamic_cast<TForm*>(TControl::FromWidget(window)))
        return;
    TButton* focused = ButtonOf(window->focusWidget());
    for (QPushButton* widget : window->findChildren<QPushButton*>()) {
        TButton* button = ButtonOf(widget);
        if (button && button->Widget() == widget)
            widget->setDefault(focused ? button == focused : button->Default());
    }
}

// The Windows style draws the default frame and then paints the button over
// it; the classic button sits inside its frame.
class ClassicStyle : public QProxyStyle
{
public:
    ClassicStyle() : QProxyStyle(QStyleFactory::create("Windows")) {}

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if (element == CE_PushButtonBevel && button &&
            (button->features & QStyleOptionButton::DefaultButton)) {
            painter->save();
            painter->setPen(option->palette.shadow().color());
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            painter->restore();
            QStyleOptionButton inner = *button;
            inner.rect = option->rect.adjusted(1, 1, -1, -1);
            inner.features &= ~QStyleOptionButton::DefaultButton;
            QProxyStyle::drawControl(element, &inner, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

} // namespace

void ButtonFocusChanged(QWidget* old, QWidget* now)
{
    QWidget* oldWindow = old ? old->window() : nullptr;
    QWidget* newWindow = now ? now->window() : nullptr;
    DrawDefaultFrames(oldWindow);
    if (newWindow != oldWindow)
        DrawDefaultFrames(newWindow);
}

QStyle* NewClassicStyle()
{
    return new ClassicStyle;
}

bool IsClassicStyle(const QStyle* style)
{
    return dynamic_cast<const ClassicStyle*>(style) != nullptr;
}

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
    DrawDefaultFrames(Widget()->window() != Widget() ? Widget()->window() : nullptr);
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
