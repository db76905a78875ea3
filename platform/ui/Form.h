#pragma once

// Top-level windows. A form class applies its layout in its constructor
// with Load(); the creation handler runs once the whole layout exists, the
// destruction handler (on Free) while it still exists.

#include "ui/Control.h"
#include "ui/Layout.h"

#include <memory>
#include <vector>

namespace ui {

class TApplication;
struct ShownWindow;

class TForm : public TWinControl
{
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int width);
    void SetClientHeight(int height);

    TBorderStyle BorderStyle() const;
    void SetBorderStyle(TBorderStyle style);
    TPosition Position() const;
    void SetPosition(TPosition position);
    TWindowState WindowState() const;

    void SetVisible(bool visible) override;

    // Show: make visible, bring to the front and give it the focus.
    void Show();
    // Close: a modal form ends with mrCancel; the main form ends the program;
    // any other form is hidden.
    void Close();
    // Shows the form modally and returns its modal result once it closes.
    int ShowModal();
    bool Modal() const;
    int ModalResult() const;
    void SetModalResult(int result);
    // Whether the form holds the application's focus record.
    bool Active() const;

    TNotifyEvent OnCreate;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDestroy;

    bool SetProperty(const std::string& name, const Value& value) override;
    bool SetEvent(const std::string& name, TNotifyEvent handler) override;
    std::string ClassName() const override;

protected:
    // Applies the layout: the form's properties, every component with its
    // properties, the references, the fields, the handlers; then Loaded()
    // for each component and last the creation handler. A property, handler
    // or field the layout cannot satisfy throws std::logic_error.
    void Load(const Layout& layout, const std::vector<Handler>& handlers,
              const std::vector<FieldRef>& fields);

    void BeforeDestruction() override;
    // The title bar's close box, the system menu's close and Alt+F4.
    virtual void TitleBarClose();
    // What the modal script records of this window.
    virtual void DescribeForScript(ShownWindow& shown) const;
    bool GreysWhenDisabled() const override;
    bool Focusable() const override;
    std::string GetText() const override;
    void SetTextValue(const std::string& text) override;
    void BoundsChanged() override;

private:
    friend class TApplication;
    friend class FormWindow;
    friend class ApplicationFilter;
    void ShowAccordingTo(int showCommand);
    void Activated();
    bool DialogKey(bool enter, TControl* focused);
    void PlaceOnShow();
    void FrameKnown();
    void BecomeDialogOf(TForm* focused);
    void Hidden();
    void FocusFirstControl();
    void ShowWindow(int showCommand);
    void ApplyBorderStyle();

    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace ui
