#pragma once

#ifndef TARN_UI_PRIVATE
#error "private to the window library: include its public headers instead"
#endif

// Declarations shared between the library's own sources.

#include <string>

class QEventLoop;
class QMargins;
class QPoint;
class QRect;
class QSize;
class QStyle;
class QWidget;

namespace ui {

enum class ModalKind;
class TForm;

// The modal loops running now; the application's end ends them all.
void EnterModalLoop(QEventLoop* loop);
void LeaveModalLoop(QEventLoop* loop);
void ExitModalLoops();

// The form holding the focus record, cleared when it goes.
void FormDestroyed(TForm* form);

// A box with the error icon and one OK button: the default handler's box
// and the run-time's start-up error box.
void ShowErrorBox(ModalKind kind, const std::string& text, const std::string& caption);

// The focus moved: the buttons of the windows it left and entered are drawn
// as the default button anew.
void ButtonFocusChanged(QWidget* old, QWidget* now);

// Where a window's client area goes so that the whole window, its frame
// included, stands in the middle of the area (never left of or above it).
QPoint CentredClientPosition(const QRect& area, const QSize& client, const QMargins& frame);

// The classic look over the platform's "Windows" style.
QStyle* NewClassicStyle();
bool IsClassicStyle(const QStyle* style);

} // namespace ui
