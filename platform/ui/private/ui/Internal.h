#pragma once

#ifndef TARN_UI_PRIVATE
#error "private to the window library: include its public headers instead"
#endif

// Declarations shared between the library's own sources.

#include <string>

class QEventLoop;

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

} // namespace ui
