#include "ui/ModalScript.h"

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/QtSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace ui {

namespace {

ModalScript* g_current = nullptr;

std::string KindName(ModalKind kind)
{
    switch (kind) {
    case ModalKind::Form:
        return "form";
    case ModalKind::SystemBox:
        return "message box";
    case ModalKind::MessageDialog:
        return "message dialog";
    case ModalKind::PlainMessage:
        return "message window";
    case ModalKind::ErrorBox:
        return "error box";
    case ModalKind::RuntimeError:
        return "run-time error box";
    case ModalKind::Password:
        return "password dialog";
    case ModalKind::Beep:
        return "beep";
    }
    return "window";
}

QWidget* FocusTarget(TForm& window)
{
    QWidget* w = window.Widget();
    QWidget* focus = w->focusWidget();
    return focus ? focus : w;
}

void SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

TButton* FindButtonByCaption(const TWinControl& container, const std::string& caption)
{
    for (int i = 0; i < container.ControlCount(); ++i) {
        TControl* c = container.Controls(i);
        if (auto* b = dynamic_cast<TButton*>(c))
            if (b->Caption() == caption)
                return b;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (TButton* found = FindButtonByCaption(*w, caption))
                return found;
    }
    return nullptr;
}

} // namespace

ModalScript::ModalScript() : m_previous(g_current)
{
    g_current = this;
}

ModalScript::~ModalScript()
{
    g_current = m_previous;
}

ModalScript* ModalScript::Current()
{
    return g_current;
}

void ModalScript::Answer(int result, Action action)
{
    m_answers.push_back({result, std::move(action)});
}

const std::vector<ShownWindow>& ModalScript::Shown() const
{
    return m_shown;
}

const std::vector<std::string>& ModalScript::Unexpected() const
{
    return m_unexpected;
}

int ModalScript::Pending() const
{
    return static_cast<int>(m_answers.size() - m_next);
}

void ModalScript::Record(const ShownWindow& shown)
{
    m_shown.push_back(shown);
}

int ModalScript::Run(TForm& window, const ShownWindow& shown)
{
    const std::size_t index = m_shown.size();
    m_shown.push_back(shown);
    if (m_next >= m_answers.size()) {
        std::string description = KindName(shown.kind);
        if (!shown.formName.empty())
            description += " " + shown.formName;
        description += " \"" + shown.caption + "\"";
        if (!shown.text.empty())
            description += ": " + shown.text;
        m_unexpected.push_back(description);
        m_shown[index].result = mrCancel;
        return mrCancel;
    }
    const Entry entry = m_answers[m_next++];
    if (entry.action)
        entry.action(window);
    int result = window.ModalResult();
    if (result == mrNone)
        result = entry.result;
    if (Application && Application->Terminated())
        result = mrCancel;
    m_shown[index].result = result;
    return result;
}

// ---- Input as the user gives it ------------------------------------------------

void PressKey(TForm& window, Key key, int modifiers)
{
    Qt::KeyboardModifiers held = Qt::NoModifier;
    if (modifiers & ShiftHeld)
        held |= Qt::ShiftModifier;
    if (modifiers & CtrlHeld)
        held |= Qt::ControlModifier;
    if (modifiers & AltHeld)
        held |= Qt::AltModifier;
    int code = Qt::Key_Return;
    switch (key) {
    case Key::Enter:
        code = Qt::Key_Return;
        break;
    case Key::Escape:
        code = Qt::Key_Escape;
        break;
    case Key::Tab:
        code = Qt::Key_Tab;
        break;
    case Key::Down:
        code = Qt::Key_Down;
        break;
    case Key::Up:
        code = Qt::Key_Up;
        break;
    }
    // A dropped-down list takes the keys while it is open.
    QWidget* target = QApplication::activePopupWidget();
    if (!target)
        target = FocusTarget(window);
    else if (QWidget* focus = target->focusWidget())
        target = focus;
    else if (auto* view = target->findChild<QAbstractItemView*>())
        target = view;
    SendKey(target, code, held);
}

void TypeText(TForm& window, const std::string& text)
{
    QWidget* target = FocusTarget(window);
    for (const QChar c : ToQString(text))
        SendKey(target, 0, Qt::NoModifier, QString(c));
}

void ClickAt(TControl& control, int x, int y)
{
    QWidget* top = control.Widget();
    QPoint point(x, y);
    QWidget* target = top->childAt(point);
    if (!target)
        target = top;
    const QPoint local = target->mapFrom(top, point);
    const QPointF window = target->mapTo(target->window(), local);
    const QPointF global = target->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, window, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, window, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

void ClickControl(TControl& control)
{
    // A check box is hit on its box, anything else in its middle.
    if (control.ClassName() == "TCheckBox")
        ClickAt(control, 6, control.Height() / 2);
    else
        ClickAt(control, control.Width() / 2, control.Height() / 2);
}

void ClickCloseBox(TForm& window)
{
    QCloseEvent close;
    QApplication::sendEvent(window.Widget(), &close);
}

void ClickButton(TForm& window, const std::string& caption)
{
    if (TButton* button = FindButtonByCaption(window, caption))
        ClickControl(*button);
}

void FocusWindow(TForm& window)
{
    QApplication::setActiveWindow(window.Widget());
}

void SwitchToOtherApplication()
{
    QApplication::setActiveWindow(nullptr);
}

void SwitchBackTo(TForm& window)
{
    QApplication::setActiveWindow(window.Widget());
}

void ProcessMessages()
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

} // namespace ui
