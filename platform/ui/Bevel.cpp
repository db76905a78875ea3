#include "ui/Bevel.h"

#include "ui/Layout.h"
#include "ui/QtSupport.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace ui {

// Takes the clicks inside it, so they do not reach the form.
class BevelWidget : public QWidget
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        auto* bevel = static_cast<TBevel*>(TControl::FromWidget(this));
        if (!bevel)
            return;
        QPainter painter(this);
        QColor first = ToQColor(clBtnShadow);
        QColor second = ToQColor(clBtnHighlight);
        if (bevel->Style() == bsRaised)
            std::swap(first, second);
        const int w = width();
        const int h = height();
        if (bevel->Shape() == bsBox) {
            DrawBevelRect(painter, 0, 0, w - 1, h - 1, first, second);
        } else {
            // An etched frame: the second colour offset by one, the first on top.
            DrawBevelRect(painter, 1, 1, w - 1, h - 1, second, second);
            DrawBevelRect(painter, 0, 0, w - 2, h - 2, first, first);
        }
    }

    void mousePressEvent(QMouseEvent* e) override
    {
        e->accept();
    }

    void mouseReleaseEvent(QMouseEvent* e) override
    {
        e->accept();
    }
};

TBevel::TBevel(TComponent* owner) : TControl(owner, new BevelWidget)
{
    SetTabStop(false);
}

std::string TBevel::ClassName() const
{
    return "TBevel";
}

bool TBevel::Focusable() const
{
    return false;
}

TBevelShape TBevel::Shape() const
{
    return m_shape;
}

void TBevel::SetShape(TBevelShape shape)
{
    m_shape = shape;
    Widget()->update();
}

TBevelStyle TBevel::Style() const
{
    return m_style;
}

void TBevel::SetStyle(TBevelStyle style)
{
    m_style = style;
    Widget()->update();
}

bool TBevel::SetProperty(const std::string& name, const Value& value)
{
    if (name == "Shape")
        SetShape(static_cast<TBevelShape>(value.AsInt()));
    else if (name == "Style")
        SetStyle(static_cast<TBevelStyle>(value.AsInt()));
    else
        return TControl::SetProperty(name, value);
    return true;
}

} // namespace ui
