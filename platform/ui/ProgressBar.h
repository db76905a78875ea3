#pragma once

// A progress bar from Min to Max.

#include "ui/Control.h"

namespace ui {

class TProgressBar : public TWinControl
{
public:
    explicit TProgressBar(TComponent* owner);

    int Min() const;
    void SetMin(int min);
    int Max() const;
    void SetMax(int max);
    int Position() const;
    void SetPosition(int position);
    int Step() const;
    void SetStep(int step);
    void StepIt();

    bool SetProperty(const std::string& name, const Value& value) override;
    std::string ClassName() const override;

protected:
    bool Focusable() const override;

private:
    int m_step = 10;
};

} // namespace ui
