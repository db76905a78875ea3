#include "ui/Screen.h"

#include <QApplication>
#include <QScreen>

namespace ui {

namespace {

TScreen g_screen;

} // namespace

TScreen* Screen = &g_screen;

TCursor TScreen::Cursor() const
{
    return m_cursor;
}

void TScreen::SetCursor(TCursor cursor)
{
    if (cursor == m_cursor)
        return;
    const TCursor previous = m_cursor;
    m_cursor = cursor;
    if (!qApp)
        return;
    if (previous == crHourGlass)
        QApplication::restoreOverrideCursor();
    if (cursor == crHourGlass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

int TScreen::Width() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int TScreen::Height() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

} // namespace ui
