#include "ui/Control.h"

#include "ui/Application.h"
#include "ui/Layout.h"
#include "ui/QtSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <stdexcept>

namespace ui {

namespace {

const char* const kControlProperty = "ui.control";

} // namespace

// ---- TControl -------------------------------------------------------------

TControl::TControl(TComponent* owner, QWidget* widget) : TComponent(owner), m_widget(widget)
{
    m_widget->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(this)));
    m_widget->hide();
    m_widget->setFocusPolicy(Qt::NoFocus);
}

TControl::~TControl()
{
    m_widget->setProperty(kControlProperty, QVariant());
    m_widget->blockSignals(true);
    if (m_parent)
        m_parent->RemoveControl(this);
    delete m_widget;
}

QWidget* TControl::Widget() const
{
    return m_widget;
}

TControl* TControl::FromWidget(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    return static_cast<TControl*>(widget->property(kControlProperty).value<void*>());
}

TWinControl* TControl::Parent() const
{
    return m_parent;
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == m_parent)
        return;
    if (m_parent)
        m_parent->RemoveControl(this);
    m_parent = nullptr;
    if (parent)
        parent->InsertControl(this);
    else
        m_widget->hide();
}

int TControl::Left() const
{
    return m_left;
}
int TControl::Top() const
{
    return m_top;
}
int TControl::Width() const
{
    return m_width;
}
int TControl::Height() const
{
    return m_height;
}
void TControl::SetLeft(int left)
{
    SetBounds(left, m_top, m_width, m_height);
}
void TControl::SetTop(int top)
{
    SetBounds(m_left, top, m_width, m_height);
}
void TControl::SetWidth(int width)
{
    SetBounds(m_left, m_top, width, m_height);
}
void TControl::SetHeight(int height)
{
    SetBounds(m_left, m_top, m_width, height);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    m_widget->setGeometry(m_left, m_top, m_width, m_height);
    BoundsChanged();
    if (m_parent)
        m_parent->ControlsChanged();
}

void TControl::BoundsChanged() {}

bool TControl::Enabled() const
{
    return m_enabled;
}

void TControl::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    if (GreysWhenDisabled())
        m_widget->setEnabled(enabled);
    UpdateInputState();
}

bool TControl::InputEnabled() const
{
    return m_enabled && (!m_parent || m_parent->InputEnabled());
}

bool TControl::GreysWhenDisabled() const
{
    return true;
}

bool TControl::Focusable() const
{
    return true;
}

void TControl::UpdateInputState()
{
    const bool takesFocus = Focusable() && m_tabStop && InputEnabled();
    m_widget->setFocusPolicy(takesFocus ? Qt::StrongFocus : Qt::NoFocus);
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (TControl* child : self->m_controls)
            child->UpdateInputState();
}

bool TControl::Visible() const
{
    return m_visible;
}

void TControl::SetVisible(bool visible)
{
    m_visible = visible;
    m_widget->setVisible(visible && m_parent);
}

void TControl::StoreVisible(bool visible)
{
    m_visible = visible;
}

void TControl::Show()
{
    SetVisible(true);
}

void TControl::Hide()
{
    SetVisible(false);
}

const std::string& TControl::Hint() const
{
    return m_hint;
}

void TControl::SetHint(const std::string& hint)
{
    m_hint = hint;
    m_widget->setToolTip(m_showHint ? ToQString(m_hint) : QString());
}

bool TControl::ShowHint() const
{
    return m_showHint;
}

void TControl::SetShowHint(bool showHint)
{
    m_showHint = showHint;
    SetHint(m_hint);
}

TFont TControl::Font() const
{
    return m_parentFont && m_parent ? m_parent->Font() : m_font;
}

void TControl::SetFont(const TFont& font)
{
    m_font = font;
    m_parentFont = false;
    ParentFontChanged();
}

bool TControl::ParentFont() const
{
    return m_parentFont;
}

void TControl::SetParentFont(bool parentFont)
{
    if (parentFont == m_parentFont)
        return;
    if (!parentFont)
        m_font = Font();
    m_parentFont = parentFont;
    ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    FontChanged();
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (TControl* child : self->m_controls)
            if (child->m_parentFont)
                child->ParentFontChanged();
}

void TControl::FontChanged()
{
    const TFont font = Font();
    m_widget->setFont(ToQFont(font));
    QPalette p = m_widget->palette();
    const QColor text = ToQColor(font.Color);
    for (auto group : {QPalette::Active, QPalette::Inactive})
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            p.setColor(group, role, text);
    m_widget->setPalette(p);
}

TColor TControl::Color() const
{
    return m_parentColor && m_parent ? m_parent->Color() : m_color;
}

void TControl::SetColor(TColor color)
{
    m_color = color;
    m_parentColor = false;
    ParentColorChanged();
}

bool TControl::ParentColor() const
{
    return m_parentColor;
}

void TControl::SetParentColor(bool parentColor)
{
    if (parentColor == m_parentColor)
        return;
    if (!parentColor)
        m_color = Color();
    m_parentColor = parentColor;
    ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    ColorChanged();
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (TControl* child : self->m_controls)
            if (child->m_parentColor)
                child->ParentColorChanged();
}

void TControl::ColorChanged()
{
    QPalette p = m_widget->palette();
    const QColor color = ToQColor(Color());
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Window, color);
        p.setColor(group, QPalette::Button, color);
    }
    m_widget->setPalette(p);
    m_widget->update();
}

std::string TControl::Caption() const
{
    return GetText();
}

void TControl::SetCaption(const std::string& caption)
{
    SetTextValue(caption);
}

std::string TControl::Text() const
{
    return GetText();
}

void TControl::SetText(const std::string& text)
{
    SetTextValue(text);
}

std::string TControl::GetText() const
{
    return {};
}

void TControl::SetTextValue(const std::string&) {}

int TControl::TabOrder() const
{
    return m_tabOrder;
}

void TControl::SetTabOrder(int tabOrder)
{
    m_tabOrder = tabOrder;
    if (m_parent)
        m_parent->UpdateTabChain();
}

bool TControl::TabStop() const
{
    return m_tabStop;
}

void TControl::SetTabStop(bool tabStop)
{
    m_tabStop = tabStop;
    UpdateInputState();
}

bool TControl::Focused() const
{
    const QWidget* focus = m_widget->window()->focusWidget();
    return focus && (focus == m_widget || m_widget->isAncestorOf(focus));
}

bool TControl::CanFocus() const
{
    return Focusable() && InputEnabled() && m_visible;
}

void TControl::SetFocus()
{
    m_widget->setFocus(Qt::OtherFocusReason);
}

void TControl::BringToFront()
{
    m_widget->raise();
}

void TControl::Repaint()
{
    if (!m_widget->isVisible())
        return;
    // A window just shown can be painted only once the window system has
    // exposed it; wait for that without handling any input.
    if (QWindow* window = m_widget->window()->windowHandle()) {
        QElapsedTimer waited;
        waited.start();
        while (!window->isExposed() && waited.elapsed() < 1000)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
    }
    m_widget->repaint();
}

void TControl::Update()
{
    Repaint();
}

void TControl::Invalidate()
{
    m_widget->update();
}

void TControl::Click()
{
    CallHandler(OnClick, this);
}

bool TControl::SetProperty(const std::string& name, const Value& value)
{
    if (name == "Left")
        SetLeft(value.AsInt());
    else if (name == "Top")
        SetTop(value.AsInt());
    else if (name == "Width")
        SetWidth(value.AsInt());
    else if (name == "Height")
        SetHeight(value.AsInt());
    else if (name == "Caption")
        SetCaption(value.AsString());
    else if (name == "Text")
        SetText(value.AsString());
    else if (name == "Hint")
        SetHint(value.AsString());
    else if (name == "ShowHint")
        SetShowHint(value.AsBool());
    else if (name == "Enabled")
        SetEnabled(value.AsBool());
    else if (name == "Visible")
        SetVisible(value.AsBool());
    else if (name == "Color")
        SetColor(value.AsColor());
    else if (name == "ParentColor")
        SetParentColor(value.AsBool());
    else if (name == "ParentFont")
        SetParentFont(value.AsBool());
    else if (name == "TabOrder")
        SetTabOrder(value.AsInt());
    else if (name == "TabStop")
        SetTabStop(value.AsBool());
    else if (name.rfind("Font.", 0) == 0) {
        TFont font = Font();
        const std::string part = name.substr(5);
        if (part == "Name")
            font.Name = value.AsString();
        else if (part == "Height")
            font.Height = value.AsInt();
        else if (part == "Size")
            font.SetSize(value.AsInt());
        else if (part == "Style")
            font.Style = value.AsInt();
        else if (part == "Color")
            font.Color = value.AsColor();
        else
            return false;
        SetFont(font);
    } else
        return TComponent::SetProperty(name, value);
    return true;
}

bool TControl::SetEvent(const std::string& name, TNotifyEvent handler)
{
    if (name == "OnClick") {
        OnClick = std::move(handler);
        return true;
    }
    return TComponent::SetEvent(name, std::move(handler));
}

// ---- TWinControl ----------------------------------------------------------

TWinControl::TWinControl(TComponent* owner, QWidget* widget) : TControl(owner, widget) {}

TWinControl::~TWinControl()
{
    Widget()->setProperty(kControlProperty, QVariant());
    while (!m_controls.empty())
        m_controls.back()->Free();
}

int TWinControl::ControlCount() const
{
    return static_cast<int>(m_controls.size());
}

TControl* TWinControl::Controls(int index) const
{
    return m_controls.at(static_cast<std::size_t>(index));
}

QWidget* TWinControl::ClientWidget() const
{
    return Widget();
}

void TWinControl::ControlsChanged() {}

void TWinControl::InsertControl(TControl* control)
{
    if (control->m_tabOrder < 0) {
        int focusable = 0;
        for (TControl* c : m_controls)
            focusable += c->Focusable() ? 1 : 0;
        control->m_tabOrder = focusable;
    }
    m_controls.push_back(control);
    control->m_parent = this;
    QWidget* w = control->Widget();
    w->setParent(ClientWidget());
    w->setGeometry(control->m_left, control->m_top, control->m_width, control->m_height);
    if (control->m_parentFont)
        control->ParentFontChanged();
    if (control->m_parentColor)
        control->ParentColorChanged();
    control->UpdateInputState();
    w->setVisible(control->m_visible);
    ControlsChanged();
    UpdateTabChain();
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it == m_controls.end())
        return;
    m_controls.erase(it);
    control->m_parent = nullptr;
    control->Widget()->hide();
    control->Widget()->setParent(nullptr);
    ControlsChanged();
}

void TWinControl::CollectTabChain(std::vector<QWidget*>& chain) const
{
    std::vector<TControl*> ordered = m_controls;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const TControl* a, const TControl* b) { return a->m_tabOrder < b->m_tabOrder; });
    for (TControl* c : ordered) {
        if (c->Focusable())
            chain.push_back(c->Widget());
        if (auto* container = dynamic_cast<TWinControl*>(c))
            container->CollectTabChain(chain);
    }
}

void TWinControl::UpdateTabChain()
{
    const TWinControl* top = this;
    while (top->Parent())
        top = top->Parent();
    std::vector<QWidget*> chain;
    top->CollectTabChain(chain);
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

} // namespace ui
