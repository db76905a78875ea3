#pragma once

// The testing seam for modal windows. While a ModalScript exists, every modal
// window (ShowModal, the message windows, the password prompt) takes the next
// scripted answer instead of waiting for the user, and is recorded with what
// it showed. A modal window without an answer left is recorded as unexpected
// and closed with mrCancel. Beeps are recorded in the same log.
//
//   ui::ModalScript script;
//   script.Answer(ui::mrYes);                                       // the next box: Yes
//   script.Answer(ui::mrOk, [](ui::TForm& f) { ui::TypeText(f, "abc"); }); // typed into the focus
//   ... run the code under test ...
//   EXPECT_TRUE(script.Unexpected().empty());

#include "ui/Dialogs.h"
#include "ui/Types.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace ui {

class TControl;
class TForm;

enum class ModalKind
{
    Form,          // a form shown with ShowModal
    SystemBox,     // MessageBox
    MessageDialog, // MessageDlg
    PlainMessage,  // ShowMessage
    ErrorBox,      // the default exception handler's box
    RuntimeError,  // the start-up failure box
    Password,      // the password prompt
    Beep,
};

struct ShownWindow
{
    ModalKind kind = ModalKind::Form;
    std::string formName; // forms: their Name
    std::string caption;
    std::string text;
    std::vector<std::string> buttons; // captions, left to right
    std::string defaultButton;        // caption of the default button, or empty
    int result = mrNone;
};

class ModalScript
{
public:
    using Action = std::function<void(TForm& window)>;

    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // The next modal window: runs the action while it is open (pressing keys,
    // typing), then, when the action did not close it, closes it with result.
    void Answer(int result, Action action = {});

    const std::vector<ShownWindow>& Shown() const;
    // Texts of the modal windows that came without an answer left.
    const std::vector<std::string>& Unexpected() const;
    // The number of answers not used yet.
    int Pending() const;

    // The active script, or nullptr.
    static ModalScript* Current();

    // Used by the library when a modal window is about to wait for the user.
    // Returns the window's result.
    int Run(TForm& window, const ShownWindow& shown);
    void Record(const ShownWindow& shown);

private:
    struct Entry
    {
        int result;
        Action action;
    };
    std::vector<Entry> m_answers;
    std::size_t m_next = 0;
    std::vector<ShownWindow> m_shown;
    std::vector<std::string> m_unexpected;
    ModalScript* m_previous = nullptr;
};

// Input as the user gives it, for tests and scripted answers. Keys go to the
// window's focused control.
enum class Key
{
    Enter,
    Escape,
    Tab,
    Down,
    Up,
};
enum KeyModifier : int
{
    NoModifier = 0,
    ShiftHeld = 1,
    CtrlHeld = 2,
    AltHeld = 4,
};
void PressKey(TForm& window, Key key, int modifiers = NoModifier);
// Types text into the control that has the focus.
void TypeText(TForm& window, const std::string& text);
// Clicks a control (its centre) or a point of a control.
void ClickControl(TControl& control);
void ClickAt(TControl& control, int x, int y);
// The title bar's close box (and Alt+F4, the system menu's close).
void ClickCloseBox(TForm& window);
// The button of a message window whose caption is given ("&Yes").
void ClickButton(TForm& window, const std::string& caption);
// Focus moves to this window, as when the user clicks it.
void FocusWindow(TForm& window);
// The user switches to another application, and back to a window.
void SwitchToOtherApplication();
void SwitchBackTo(TForm& window);
// Handles the messages waiting now.
void ProcessMessages();

} // namespace ui
