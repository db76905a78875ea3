#pragma once

// The screen: its size and the mouse cursor the program shows.

#include "ui/Types.h"

namespace ui {

class TScreen
{
public:
    TCursor Cursor() const;
    // crHourGlass shows the hourglass over every window; crDefault restores.
    void SetCursor(TCursor cursor);
    int Width() const;
    int Height() const;

private:
    TCursor m_cursor = crDefault;
};

extern TScreen* Screen;

} // namespace ui
