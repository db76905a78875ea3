#include "ui/Panel.h"

#include "ui/Layout.h"
#include "ui/QtSupport.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace ui {

namespace {

constexpr int kClientEdge = 2;

void BevelColors(TPanelBevel bevel, QColor& top, QColor& bottom)
{
    top = ToQColor(bevel == bvLowered ? clBtnShadow : clBtnHighlight);
    bottom = ToQColor(bevel == bvLowered ? clBtnHighlight : clBtnShadow);
}

} // namespace

// The panel's client area: bevels, the band between them, the colour and
// the caption. Its parent draws the sunken client edge around it.
class PanelWidget : public QWidget
{
public:
    explicit PanelWidget(QWidget* edge) : QWidget(edge) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        auto* panel = static_cast<TPanel*>(TControl::FromWidget(parentWidget()));
        if (!panel)
            return;
        QPainter painter(this);
        QRect r = rect();
        QColor top;
        QColor bottom;
        if (panel->BevelOuter() != bvNone) {
            BevelColors(panel->BevelOuter(), top, bottom);
            DrawFrame3D(painter, r, top, bottom, panel->BevelWidth());
        }
        const QColor color = ToQColor(panel->Color());
        DrawFrame3D(painter, r, color, color, panel->BorderWidth());
        if (panel->BevelInner() != bvNone) {
            BevelColors(panel->BevelInner(), top, bottom);
            DrawFrame3D(painter, r, top, bottom, panel->BevelWidth());
        }
        painter.fillRect(r, color);
        if (!panel->m_caption.empty()) {
            int flags = Qt::AlignVCenter | Qt::TextShowMnemonic;
            flags |= panel->Alignment() == taLeftJustify    ? Qt::AlignLeft
                     : panel->Alignment() == taRightJustify ? Qt::AlignRight
                                                            : Qt::AlignHCenter;
            painter.setFont(font());
            painter.setPen(ToQColor(panel->Font().Color));
            painter.drawText(r, flags, ToDisplayText(panel->m_caption));
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
            if (auto* panel = static_cast<TPanel*>(TControl::FromWidget(parentWidget())))
                panel->Click();
    }
};

// The panel's whole rectangle: the sunken client edge of a single border.
class PanelEdge : public QWidget
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        auto* panel = static_cast<TPanel*>(TControl::FromWidget(this));
        if (!panel || panel->BorderStyle() != bsSingle)
            return;
        QPainter painter(this);
        QRect r = rect();
        DrawFrame3D(painter, r, ToQColor(clBtnShadow), ToQColor(clBtnHighlight), 1);
        DrawFrame3D(painter, r, ToQColor(cl3DDkShadow), ToQColor(cl3DLight), 1);
    }
};

TPanel::TPanel(TComponent* owner) : TWinControl(owner, new PanelEdge)
{
    new PanelWidget(Widget());
    SetTabStop(false);
    BoundsChanged();
}

std::string TPanel::ClassName() const
{
    return "TPanel";
}

QWidget* TPanel::ClientWidget() const
{
    return Widget()->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

void TPanel::BoundsChanged()
{
    const int edge = m_borderStyle == bsSingle ? kClientEdge : 0;
    if (QWidget* client = ClientWidget()) {
        client->setGeometry(edge, edge, std::max(0, Width() - 2 * edge), std::max(0, Height() - 2 * edge));
        client->show();
    }
}

bool TPanel::GreysWhenDisabled() const
{
    return false;
}

bool TPanel::Focusable() const
{
    return false;
}

std::string TPanel::GetText() const
{
    return m_caption;
}

void TPanel::SetTextValue(const std::string& text)
{
    m_caption = text;
    Widget()->update();
    ClientWidget()->update();
}

void TPanel::Redraw()
{
    BoundsChanged();
    Widget()->update();
    ClientWidget()->update();
}

TPanelBevel TPanel::BevelOuter() const
{
    return m_bevelOuter;
}

void TPanel::SetBevelOuter(TPanelBevel value)
{
    m_bevelOuter = value;
    Redraw();
}

TPanelBevel TPanel::BevelInner() const
{
    return m_bevelInner;
}

void TPanel::SetBevelInner(TPanelBevel value)
{
    m_bevelInner = value;
    Redraw();
}

int TPanel::BevelWidth() const
{
    return m_bevelWidth;
}

void TPanel::SetBevelWidth(int value)
{
    m_bevelWidth = value;
    Redraw();
}

int TPanel::BorderWidth() const
{
    return m_borderWidth;
}

void TPanel::SetBorderWidth(int value)
{
    m_borderWidth = value;
    Redraw();
}

TBorderStyle TPanel::BorderStyle() const
{
    return m_borderStyle;
}

void TPanel::SetBorderStyle(TBorderStyle value)
{
    m_borderStyle = value;
    Redraw();
}

TAlignment TPanel::Alignment() const
{
    return m_alignment;
}

void TPanel::SetAlignment(TAlignment value)
{
    m_alignment = value;
    Redraw();
}

bool TPanel::SetProperty(const std::string& name, const Value& value)
{
    if (name == "BevelOuter")
        SetBevelOuter(static_cast<TPanelBevel>(value.AsInt()));
    else if (name == "BevelInner")
        SetBevelInner(static_cast<TPanelBevel>(value.AsInt()));
    else if (name == "BevelWidth")
        SetBevelWidth(value.AsInt());
    else if (name == "BorderWidth")
        SetBorderWidth(value.AsInt());
    else if (name == "BorderStyle")
        SetBorderStyle(static_cast<TBorderStyle>(value.AsInt()));
    else if (name == "Alignment")
        SetAlignment(static_cast<TAlignment>(value.AsInt()));
    else
        return TWinControl::SetProperty(name, value);
    return true;
}

} // namespace ui
