#pragma once

// The three kinds of message window, the beep and the password prompt.

#include "ui/Types.h"

#include <string>

namespace ui {

// The system message box: the caption given, no icon, modal over the
// application. A Yes/No box closes only through its buttons.
constexpr int MB_OK = 0x0;
constexpr int MB_YESNO = 0x4;
constexpr int MB_ICONERROR = 0x10;
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
int MessageBox(const std::string& text, const std::string& caption, int flags = MB_OK);

// The message dialog: centred, icon and caption by its kind, the buttons
// asked for. Returns the button pressed, or mrCancel when it is closed
// from its title bar.
enum TMsgDlgType : int
{
    mtWarning,
    mtError,
    mtInformation,
    mtConfirmation,
    mtCustom,
};

enum TMsgDlgBtn : unsigned
{
    mbOK = 1,
    mbYes = 2,
    mbNo = 4,
    mbAll = 8,
    mbAbort = 16,
    mbRetry = 32,
    mbIgnore = 64,
};
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);

// The plain message window: the text, one "OK", captioned with the
// application's title.
void ShowMessage(const std::string& text);

// The system's default beep.
void Beep();

// The standard password dialog of the database components: the table's
// name, a masked password field, OK and Cancel. True with the password on OK.
bool PasswordDialog(const std::string& tableName, std::string& password);

} // namespace ui
