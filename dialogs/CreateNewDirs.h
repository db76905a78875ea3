#pragma once

// The new-folder dialog: takes the name of a new registered subfolder. The
// caller reads NewDir's text after a modal result of 1; the dialog checks
// and creates nothing.

#include "ui/Bevel.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"

class TCreateNewDirDlg : public ui::TForm
{
public:
    explicit TCreateNewDirDlg(ui::TComponent* owner);

    ui::TButton* OKBtn = nullptr;
    ui::TButton* CancelBtn = nullptr;
    ui::TBevel* Bevel1 = nullptr;
    ui::TLabel* Label1 = nullptr;
    ui::TEdit* NewDir = nullptr;

    void FormClick(ui::TObject* sender);
    void FormActivate(ui::TObject* sender);
};

// The one instance, created hidden at start-up.
extern TCreateNewDirDlg* CreateNewDirDlg;

// What a click on the dialog's bare background shows.
extern const char* const SuiteMessage;
