#include "ui/ScrollBox.h"

#include "ui/QtSupport.h"

#include <QCoreApplication>
#include <QScrollArea>
#include <QScrollBar>

namespace ui {

namespace {

QScrollArea* Area(const TScrollBox& box)
{
    return static_cast<QScrollArea*>(box.Widget());
}

} // namespace

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner, new QScrollArea)
{
    QScrollArea* area = Area(*this);
    area->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    area->setWidgetResizable(false);
    m_content = new QWidget;
    m_content->setAutoFillBackground(true);
    area->setWidget(m_content);
    area->viewport()->setAutoFillBackground(true);
}

std::string TScrollBox::ClassName() const
{
    return "TScrollBox";
}

QWidget* TScrollBox::ClientWidget() const
{
    return m_content;
}

bool TScrollBox::GreysWhenDisabled() const
{
    return false;
}

bool TScrollBox::Focusable() const
{
    return false;
}

void TScrollBox::ControlsChanged()
{
    // The content area reaches to the farthest child.
    int right = 0;
    int bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        right = std::max(right, c->Left() + c->Width());
        bottom = std::max(bottom, c->Top() + c->Height());
    }
    m_content->resize(right, bottom);
    bool stillHere = false;
    for (int i = 0; i < ControlCount(); ++i)
        stillHere = stillHere || Controls(i) == m_inView;
    if (!stillHere)
        m_inView = nullptr;
}

void TScrollBox::ColorChanged()
{
    TWinControl::ColorChanged();
    for (QWidget* w : {static_cast<QWidget*>(m_content), Area(*this)->viewport()}) {
        QPalette p = w->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            p.setColor(group, QPalette::Window, ToQColor(Color()));
        w->setPalette(p);
    }
}

void TScrollBox::ScrollInView(TControl* control)
{
    if (!control || control->Parent() != this)
        return;
    m_inView = control;
    ControlsChanged();
    ApplyScrollInView();
}

void TScrollBox::SetVisible(bool visible)
{
    TWinControl::SetVisible(visible);
    if (visible)
        ApplyScrollInView();
}

void TScrollBox::ApplyScrollInView()
{
    QScrollArea* area = Area(*this);
    if (!m_inView || !area->isVisible())
        return;
    // The content's resize reaches the scroll bars only once the area shows.
    QCoreApplication::sendPostedEvents(area, QEvent::LayoutRequest);
    area->ensureWidgetVisible(m_inView->Widget(), 0, 0);
    m_inView = nullptr;
}

} // namespace ui
