#include "ui/Form.h"

#include "support/ScopeExit.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Internal.h"
#include "ui/ModalScript.h"
#include "ui/QtSupport.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <stdexcept>

namespace ui {

namespace {

// The library's record of the focused form: activation runs only when the
// focus arrives at a form other than the one recorded.
TForm* g_focusRecord = nullptr;

using support::ScopeExit;

// The offscreen platform has no window order to change.
void BringWindowToFront(QWidget* window)
{
    if (QGuiApplication::platformName() != "offscreen")
        window->raise();
    window->activateWindow();
}

[[noreturn]] void LayoutError(const TComponent& component, const std::string& what)
{
    throw std::logic_error(component.ClassName() + " " + component.Name() + ": " + what);
}

bool IsEvent(const Property& p)
{
    return p.name.size() > 2 && p.name.compare(0, 2, "On") == 0 && !p.value.IsRef();
}

void Apply(TComponent& component, const Property& p)
{
    bool known = false;
    try {
        known = component.SetProperty(p.name, p.value);
    } catch (const std::logic_error& e) {
        LayoutError(component, "property " + p.name + ": " + e.what());
    }
    if (!known)
        LayoutError(component, "unknown property " + p.name);
}

TButton* FindButton(const TWinControl& container, bool wantDefault)
{
    for (int i = 0; i < container.ControlCount(); ++i) {
        TControl* c = container.Controls(i);
        if (auto* b = dynamic_cast<TButton*>(c))
            if ((wantDefault ? b->Default() : b->Cancel()) && b->Visible() && b->InputEnabled())
                return b;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (TButton* found = FindButton(*w, wantDefault))
                return found;
    }
    return nullptr;
}

// The frame of the last framed window seen: a window not yet framed by the
// window manager is most likely framed alike.
QMargins g_knownFrame;

} // namespace

QPoint CentredClientPosition(const QRect& area, const QSize& client, const QMargins& frame)
{
    const int width = client.width() + frame.left() + frame.right();
    const int height = client.height() + frame.top() + frame.bottom();
    return {area.x() + std::max(0, (area.width() - width) / 2) + frame.left(),
            area.y() + std::max(0, (area.height() - height) / 2) + frame.top()};
}

void FormDestroyed(TForm* form)
{
    if (g_focusRecord == form)
        g_focusRecord = nullptr;
}

// The form's top-level window.
class FormWindow : public QWidget
{
public:
    FormWindow() : QWidget(nullptr, Qt::Window)
    {
        setAutoFillBackground(true);
    }

protected:
    TForm* Form() const
    {
        return static_cast<TForm*>(TControl::FromWidget(this));
    }

    bool event(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Paint:
        case QEvent::WindowActivate:
            if (TForm* form = Form())
                form->FrameKnown();
            break;
        default:
            break;
        }
        if (e->type() == QEvent::WindowActivate && !(windowState() & Qt::WindowMinimized))
            if (TForm* form = Form())
                form->Activated();
        return QWidget::event(e);
    }

    void changeEvent(QEvent* e) override
    {
        if (e->type() == QEvent::WindowStateChange && !(windowState() & Qt::WindowMinimized) &&
            isActiveWindow())
            if (TForm* form = Form())
                form->Activated();
        QWidget::changeEvent(e);
    }

    void closeEvent(QCloseEvent* e) override
    {
        e->ignore();
        if (TForm* form = Form()) {
            try {
                form->TitleBarClose();
            } catch (...) {
                if (Application)
                    Application->HandleException(std::current_exception());
            }
        }
    }

    void mousePressEvent(QMouseEvent* e) override
    {
        e->accept();
    }

    void mouseReleaseEvent(QMouseEvent* e) override
    {
        e->accept();
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            if (TForm* form = Form())
                form->Click();
    }
};

struct TForm::State
{
    std::string caption;
    TBorderStyle borderStyle = bsSizeable;
    TPosition position = poDesigned;
    int modalResult = mrNone;
    bool modal = false;
    QEventLoop* loop = nullptr;
    bool centredOnce = false;
    bool hasClosedPosition = false;
    QPoint closedPosition;
    bool shownOnce = false;
    // Shown modally at least once: a dialog to the window manager.
    bool dialogWindow = false;
    // Centred with a frame guessed before the window manager framed it.
    bool centreGuessed = false;
    QMargins guessedFrame;
};

TForm::TForm(TComponent* owner) : TWinControl(owner, new FormWindow), m_state(std::make_unique<State>())
{
    StoreVisible(false);
    SetFont(TFont{});
    SetColor(clBtnFace);
    ApplyBorderStyle();
}

TForm::~TForm()
{
    Widget()->setProperty("ui.control", QVariant());
    if (m_state->loop)
        m_state->loop->exit();
    FormDestroyed(this);
    if (Application)
        Application->FormGone(this);
}

void TForm::BeforeDestruction()
{
    CallHandler(OnDestroy, this);
}

std::string TForm::ClassName() const
{
    return "TForm";
}

// ---- Layout ----------------------------------------------------------------

void TForm::Load(const Layout& layout, const std::vector<Handler>& handlers,
                 const std::vector<FieldRef>& fields)
{
    struct Deferred
    {
        TComponent* component;
        const Property* property;
    };
    std::vector<Deferred> references;
    std::vector<Deferred> events;
    std::vector<TComponent*> created;

    for (const Property& p : layout.form) {
        if (IsEvent(p))
            events.push_back({this, &p});
        else if (p.value.IsRef())
            references.push_back({this, &p});
        else
            Apply(*this, p);
    }

    for (const ComponentSpec& spec : layout.components) {
        TComponent* component = spec.create(this);
        component->SetName(spec.name);
        created.push_back(component);
        if (auto* control = dynamic_cast<TControl*>(component)) {
            TWinControl* parent = this;
            for (const Property& p : spec.properties) {
                if (p.name != "Parent")
                    continue;
                parent = dynamic_cast<TWinControl*>(FindComponent(p.value.AsRef().name));
                if (!parent)
                    LayoutError(*component,
                                "parent " + p.value.AsRef().name + " is not an earlier container");
            }
            control->SetParent(parent);
        }
        for (const Property& p : spec.properties) {
            if (p.name == "Parent")
                continue;
            if (IsEvent(p))
                events.push_back({component, &p});
            else if (p.value.IsRef())
                references.push_back({component, &p});
            else
                Apply(*component, p);
        }
    }

    for (const Deferred& d : references) {
        TComponent* target = FindComponent(d.property->value.AsRef().name);
        if (!target)
            LayoutError(*d.component,
                        d.property->name + " names no component " + d.property->value.AsRef().name);
        Apply(*d.component, Property{d.property->name, Value(target)});
    }

    for (const FieldRef& field : fields) {
        TComponent* component = FindComponent(field.Name());
        if (!field.Assign(component))
            LayoutError(*this,
                        "field " + field.Name() + (component ? " is of another kind" : " has no component"));
    }

    for (const Deferred& d : events) {
        const std::string& handlerName = d.property->value.AsString();
        auto it = std::find_if(handlers.begin(), handlers.end(),
                               [&](const Handler& h) { return h.name == handlerName; });
        if (it == handlers.end())
            LayoutError(*d.component, d.property->name + ": no handler " + handlerName);
        if (!d.component->SetEvent(d.property->name, it->event))
            LayoutError(*d.component, "unknown event " + d.property->name);
    }

    Loaded();
    for (TComponent* c : created)
        c->Loaded();
    UpdateTabChain();
    CallHandler(OnCreate, this);
}

bool TForm::SetProperty(const std::string& name, const Value& value)
{
    if (name == "ClientWidth")
        SetClientWidth(value.AsInt());
    else if (name == "ClientHeight")
        SetClientHeight(value.AsInt());
    else if (name == "BorderStyle")
        SetBorderStyle(static_cast<TBorderStyle>(value.AsInt()));
    else if (name == "Position")
        SetPosition(static_cast<TPosition>(value.AsInt()));
    else if (name == "Name")
        SetName(value.AsString());
    else
        return TWinControl::SetProperty(name, value);
    return true;
}

bool TForm::SetEvent(const std::string& name, TNotifyEvent handler)
{
    if (name == "OnCreate")
        OnCreate = std::move(handler);
    else if (name == "OnActivate")
        OnActivate = std::move(handler);
    else if (name == "OnDestroy")
        OnDestroy = std::move(handler);
    else
        return TWinControl::SetEvent(name, std::move(handler));
    return true;
}

// ---- Properties ---------------------------------------------------------------

std::string TForm::GetText() const
{
    return m_state->caption;
}

void TForm::SetTextValue(const std::string& text)
{
    m_state->caption = text;
    Widget()->setWindowTitle(ToQString(text));
}

int TForm::ClientWidth() const
{
    return Width();
}

int TForm::ClientHeight() const
{
    return Height();
}

void TForm::SetClientWidth(int width)
{
    SetBounds(Left(), Top(), width, Height());
}

void TForm::SetClientHeight(int height)
{
    SetBounds(Left(), Top(), Width(), height);
}

void TForm::BoundsChanged()
{
    if (m_state && m_state->borderStyle != bsSizeable && !(Widget()->windowState() & Qt::WindowMaximized))
        Widget()->setFixedSize(Width(), Height());
}

TBorderStyle TForm::BorderStyle() const
{
    return m_state->borderStyle;
}

void TForm::SetBorderStyle(TBorderStyle style)
{
    m_state->borderStyle = style;
    ApplyBorderStyle();
}

void TForm::ApplyBorderStyle()
{
    QWidget* w = Widget();
    const bool wasVisible = w->isVisible();
    Qt::WindowFlags flags = m_state->dialogWindow ? Qt::Dialog : Qt::Window;
    switch (m_state->borderStyle) {
    case bsNone:
        flags |= Qt::FramelessWindowHint;
        break;
    case bsDialog:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint;
        break;
    case bsSingle:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
        break;
    case bsSizeable:
        break;
    }
    w->setWindowFlags(flags);
    if (m_state->borderStyle == bsSizeable) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else
        w->setFixedSize(Width(), Height());
    if (wasVisible)
        w->show();
}

TPosition TForm::Position() const
{
    return m_state->position;
}

void TForm::SetPosition(TPosition position)
{
    m_state->position = position;
}

TWindowState TForm::WindowState() const
{
    const Qt::WindowStates state = Widget()->windowState();
    if (state & Qt::WindowMinimized)
        return wsMinimized;
    if (state & Qt::WindowMaximized)
        return wsMaximized;
    return wsNormal;
}

bool TForm::GreysWhenDisabled() const
{
    return false;
}

bool TForm::Focusable() const
{
    return false;
}

// ---- Showing ------------------------------------------------------------------

void TForm::PlaceOnShow()
{
    QWidget* w = Widget();
    if (m_state->hasClosedPosition) {
        w->setGeometry(QRect(m_state->closedPosition, w->size()));
        return;
    }
    if (m_state->position == poScreenCenter && !m_state->centredOnce) {
        QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        // The whole window is centred, frame included. Until the window
        // manager has framed this window its frame is taken to be as the
        // last framed window's, and corrected once it is known.
        QMargins frame;
        const QMargins own = w->windowHandle() ? w->windowHandle()->frameMargins() : QMargins();
        if (m_state->borderStyle == bsNone)
            m_state->centreGuessed = false;
        else if (!own.isNull()) {
            frame = own;
            g_knownFrame = own;
            m_state->centreGuessed = false;
        } else {
            frame = g_knownFrame;
            m_state->centreGuessed = QGuiApplication::platformName() != "offscreen";
        }
        m_state->guessedFrame = frame;
        w->setGeometry(QRect(CentredClientPosition(screen->geometry(), w->size(), frame), w->size()));
    } else if (m_state->position == poDesigned && !m_state->shownOnce)
        w->move(Left(), Top());
}

void TForm::FrameKnown()
{
    QWidget* w = Widget();
    if (!m_state->centreGuessed || !w->isVisible() || !w->windowHandle())
        return;
    const QMargins frame = w->windowHandle()->frameMargins();
    if (frame.isNull())
        return;
    m_state->centreGuessed = false;
    g_knownFrame = frame;
    if (frame == m_state->guessedFrame)
        return;
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (screen)
        w->setGeometry(QRect(CentredClientPosition(screen->geometry(), w->size(), frame), w->size()));
}

void TForm::Hidden()
{
    m_state->hasClosedPosition = true;
    m_state->closedPosition = Widget()->geometry().topLeft();
    m_state->centreGuessed = false;
}

void TForm::FocusFirstControl()
{
    QWidget* w = Widget();
    QWidget* focus = w->focusWidget();
    if (focus && focus->isVisibleTo(w) && focus->isEnabled() && focus->focusPolicy() != Qt::NoFocus)
        return;
    std::vector<QWidget*> chain;
    CollectTabChain(chain);
    for (QWidget* candidate : chain) {
        if (candidate->isVisibleTo(w) && candidate->isEnabled() &&
            (candidate->focusPolicy() & Qt::TabFocus)) {
            candidate->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void TForm::ShowWindow(int showCommand)
{
    QWidget* w = Widget();
    UpdateTabChain();
    PlaceOnShow();
    StoreVisible(true);
    if (showCommand == SW_SHOWMAXIMIZED) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        w->showMaximized();
    } else if (showCommand == SW_SHOWMINNOACTIVE) {
        w->setAttribute(Qt::WA_ShowWithoutActivating, true);
        w->showMinimized();
        w->setAttribute(Qt::WA_ShowWithoutActivating, false);
        m_state->shownOnce = true;
        return;
    } else {
        w->show();
        if (m_state->position == poScreenCenter && !m_state->centredOnce)
            PlaceOnShow();
    }
    if (m_state->position == poScreenCenter)
        m_state->centredOnce = true;
    m_state->shownOnce = true;
    FocusFirstControl();
    BringWindowToFront(w);
    Activated();
}

void TForm::ShowAccordingTo(int showCommand)
{
    ShowWindow(showCommand);
}

void TForm::SetVisible(bool visible)
{
    QWidget* w = Widget();
    if (!visible) {
        if (w->isVisible()) {
            Hidden();
            w->hide();
        }
        StoreVisible(false);
        return;
    }
    if (w->isVisible()) {
        BringWindowToFront(w);
        Activated();
        return;
    }
    ShowWindow(SW_SHOWNORMAL);
}

void TForm::Show()
{
    SetVisible(true);
}

void TForm::Activated()
{
    if (g_focusRecord == this || !Widget()->isVisible())
        return;
    g_focusRecord = this;
    CallHandler(OnActivate, this);
}

bool TForm::Active() const
{
    return g_focusRecord == this;
}

void TForm::Close()
{
    if (m_state->modal) {
        SetModalResult(mrCancel);
        return;
    }
    SetVisible(false);
    if (Application && Application->MainForm() == this)
        Application->Terminate();
}

void TForm::TitleBarClose()
{
    Close();
}

bool TForm::Modal() const
{
    return m_state->modal;
}

int TForm::ModalResult() const
{
    return m_state->modalResult;
}

void TForm::SetModalResult(int result)
{
    m_state->modalResult = result;
    if (m_state->modal && result != mrNone && m_state->loop)
        m_state->loop->exit();
}

void TForm::DescribeForScript(ShownWindow& shown) const
{
    shown.kind = ModalKind::Form;
    shown.formName = Name();
    shown.caption = Caption();
}

int TForm::ShowModal()
{
    if (Visible() || !Enabled())
        throw std::logic_error("Cannot make a visible window modal");
    QWidget* w = Widget();
    TForm* savedRecord = g_focusRecord;
    m_state->modal = true;
    m_state->modalResult = mrNone;
    ScopeExit restore([&] {
        g_focusRecord = savedRecord;
        m_state->modal = false;
        if (w->isVisible()) {
            Hidden();
            w->hide();
        }
        StoreVisible(false);
        w->setWindowModality(Qt::NonModal);
        if (w->windowHandle())
            w->windowHandle()->setTransientParent(nullptr);
        // Without a window manager nobody hands the focus back.
        if (savedRecord && savedRecord->Widget()->isVisible())
            savedRecord->Widget()->activateWindow();
    });
    BecomeDialogOf(savedRecord);
    w->setWindowModality(Qt::ApplicationModal);
    ShowWindow(SW_SHOWNORMAL);
    m_state->modalResult = mrNone;

    if (ModalScript* script = ModalScript::Current()) {
        ShownWindow shown;
        DescribeForScript(shown);
        m_state->modalResult = script->Run(*this, shown);
    } else {
        // The loop ends with a modal result, or without one when the
        // application ends.
        if (m_state->modalResult == mrNone && !(Application && Application->Terminated())) {
            QEventLoop loop;
            m_state->loop = &loop;
            EnterModalLoop(&loop);
            loop.exec(QEventLoop::DialogExec);
            LeaveModalLoop(&loop);
            m_state->loop = nullptr;
        }
        if (Application && Application->Terminated())
            m_state->modalResult = mrCancel;
    }
    if (m_state->modalResult == mrNone)
        m_state->modalResult = mrCancel;
    return m_state->modalResult;
}

// A modal window belongs to the window that had the focus, or else to the
// main window: the window manager keeps it above that one and minimises
// it with it.
void TForm::BecomeDialogOf(TForm* focused)
{
    QWidget* w = Widget();
    if (!m_state->dialogWindow) {
        m_state->dialogWindow = true;
        w->setWindowFlags((w->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    }
    TForm* owner = focused;
    if (!owner || owner == this || !owner->Widget()->isVisible())
        owner = Application ? Application->MainForm() : nullptr;
    if (owner == this || (owner && !owner->Widget()->isVisible()))
        owner = nullptr;
    w->winId();
    if (QWindow* window = w->windowHandle())
        window->setTransientParent(owner ? owner->Widget()->windowHandle() : nullptr);
}

bool TForm::DialogKey(bool enter, TControl* focused)
{
    if (enter) {
        if (auto* button = dynamic_cast<TButton*>(focused)) {
            if (button->InputEnabled()) {
                button->PerformClick();
                return true;
            }
        }
        if (TButton* button = FindButton(*this, true)) {
            button->PerformClick();
            return true;
        }
        return false;
    }
    if (TButton* button = FindButton(*this, false)) {
        button->PerformClick();
        return true;
    }
    return false;
}

} // namespace ui
