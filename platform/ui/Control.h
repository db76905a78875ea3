#pragma once

// Controls: components with a place on screen. A control lives inside its
// parent (a windowed control) at Left/Top with Width/Height in pixels of a
// 96-dpi screen; a control without a font or colour of its own takes its
// parent's.

#include "ui/Component.h"

#include <string>
#include <vector>

class QWidget;

namespace ui {

class TWinControl;

class TControl : public TComponent
{
public:
    ~TControl() override;

    TWinControl* Parent() const;
    virtual void SetParent(TWinControl* parent);

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    virtual void SetBounds(int left, int top, int width, int height);

    bool Enabled() const;
    virtual void SetEnabled(bool enabled);
    // Enabled, and inside parents that all are: the control takes input.
    bool InputEnabled() const;

    bool Visible() const;
    virtual void SetVisible(bool visible);
    void Show();
    void Hide();

    const std::string& Hint() const;
    void SetHint(const std::string& hint);
    bool ShowHint() const;
    void SetShowHint(bool showHint);

    // The font in effect: the control's own, or its parent's while ParentFont.
    TFont Font() const;
    void SetFont(const TFont& font);
    bool ParentFont() const;
    void SetParentFont(bool parentFont);

    // The background colour in effect: the control's own, or its parent's
    // while ParentColor.
    TColor Color() const;
    void SetColor(TColor color);
    bool ParentColor() const;
    void SetParentColor(bool parentColor);

    // Caption and Text are the same text ("&" marks an access key in captions).
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    std::string Text() const;
    void SetText(const std::string& text);

    int TabOrder() const;
    void SetTabOrder(int tabOrder);
    bool TabStop() const;
    void SetTabStop(bool tabStop);

    bool Focused() const;
    bool CanFocus() const;
    void SetFocus();
    void BringToFront();

    // Paint now, synchronously (Repaint, Update), or at the next chance (Invalidate).
    void Repaint();
    void Update();
    void Invalidate();

    TNotifyEvent OnClick;

    // The underlying widget, for the library's own use.
    QWidget* Widget() const;
    // The control whose widget this is, or nullptr.
    static TControl* FromWidget(const QWidget* widget);

    bool SetProperty(const std::string& name, const Value& value) override;
    bool SetEvent(const std::string& name, TNotifyEvent handler) override;

protected:
    // The control takes ownership of the widget.
    TControl(TComponent* owner, QWidget* widget);

    virtual std::string GetText() const;
    virtual void SetTextValue(const std::string& text);
    // The font or colour in effect changed: show it.
    virtual void FontChanged();
    virtual void ColorChanged();
    // Whether a disabled control is drawn greyed (buttons, edits) or only
    // stops taking input (panels, scroll boxes, forms).
    virtual bool GreysWhenDisabled() const;
    // Whether the control can take the focus at all.
    virtual bool Focusable() const;
    virtual void BoundsChanged();
    // Runs the click handler behind the library's exception boundary.
    void Click();
    // Records the visibility without showing or hiding (forms manage their windows).
    void StoreVisible(bool visible);
    void UpdateInputState();

private:
    friend class TWinControl;
    void ParentFontChanged();
    void ParentColorChanged();

    QWidget* m_widget = nullptr;
    TWinControl* m_parent = nullptr;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_enabled = true;
    bool m_visible = true;
    std::string m_hint;
    bool m_showHint = false;
    TFont m_font;
    bool m_parentFont = true;
    TColor m_color = clBtnFace;
    bool m_parentColor = true;
    int m_tabOrder = -1;
    bool m_tabStop = true;
};

// A control that holds other controls.
class TWinControl : public TControl
{
public:
    ~TWinControl() override;

    int ControlCount() const;
    TControl* Controls(int index) const;

    // Where children's widgets go (a scroll box's content area, for one).
    virtual QWidget* ClientWidget() const;

protected:
    TWinControl(TComponent* owner, QWidget* widget);
    // Qt's focus chain follows the tab orders of the whole window.
    void UpdateTabChain();
    // The focusable controls' widgets in tab order, containers' contents in place.
    void CollectTabChain(std::vector<QWidget*>& chain) const;
    virtual void ControlsChanged();

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    std::vector<TControl*> m_controls;
};

} // namespace ui
