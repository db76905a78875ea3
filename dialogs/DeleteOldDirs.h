#pragma once

// The delete-folder dialog: offers the registered subfolders in ComboBox1
// (filled by the caller) and takes the name of the one to remove in OldDir,
// which the caller reads after a modal result of 1. The dialog checks and
// deletes nothing.

#include "ui/Bevel.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"

class TDeleteOldDirDlg : public ui::TForm
{
public:
    explicit TDeleteOldDirDlg(ui::TComponent* owner);

    ui::TButton* OKBtn = nullptr;
    ui::TButton* CancelBtn = nullptr;
    ui::TBevel* Bevel1 = nullptr;
    ui::TLabel* Label1 = nullptr;
    ui::TEdit* OldDir = nullptr;
    ui::TComboBox* ComboBox1 = nullptr;
    ui::TLabel* Label2 = nullptr;

    void FormActivate(ui::TObject* sender);
    void ComboBox1Change(ui::TObject* sender);
};

// The one instance, created hidden at start-up.
extern TDeleteOldDirDlg* DeleteOldDirDlg;
