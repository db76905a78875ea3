#include "ui/ProgressBar.h"

#include "ui/Layout.h"

#include <QProgressBar>

namespace ui {

namespace {

QProgressBar* Bar(const TProgressBar& bar)
{
    return static_cast<QProgressBar*>(bar.Widget());
}

} // namespace

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner, new QProgressBar)
{
    QProgressBar* bar = Bar(*this);
    bar->setTextVisible(false);
    bar->setRange(0, 100);
    bar->setValue(0);
}

std::string TProgressBar::ClassName() const
{
    return "TProgressBar";
}

bool TProgressBar::Focusable() const
{
    return false;
}

int TProgressBar::Min() const
{
    return Bar(*this)->minimum();
}

void TProgressBar::SetMin(int min)
{
    Bar(*this)->setMinimum(min);
}

int TProgressBar::Max() const
{
    return Bar(*this)->maximum();
}

void TProgressBar::SetMax(int max)
{
    Bar(*this)->setMaximum(max);
}

int TProgressBar::Position() const
{
    return Bar(*this)->value();
}

void TProgressBar::SetPosition(int position)
{
    // Shown at once: a running transfer keeps the message loop busy.
    Bar(*this)->setValue(std::clamp(position, Min(), Max()));
    Repaint();
}

int TProgressBar::Step() const
{
    return m_step;
}

void TProgressBar::SetStep(int step)
{
    m_step = step;
}

void TProgressBar::StepIt()
{
    int next = Position() + m_step;
    if (next > Max())
        next = Min() + (next - Max());
    SetPosition(next);
}

bool TProgressBar::SetProperty(const std::string& name, const Value& value)
{
    if (name == "Min")
        SetMin(value.AsInt());
    else if (name == "Max")
        SetMax(value.AsInt());
    else if (name == "Position")
        SetPosition(value.AsInt());
    else if (name == "Step")
        SetStep(value.AsInt());
    else
        return TWinControl::SetProperty(name, value);
    return true;
}

} // namespace ui
