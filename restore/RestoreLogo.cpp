#include "restore/RestoreLogo.h"

TRestoreLogoForm* RestoreLogoForm = nullptr;

TRestoreLogoForm::TRestoreLogoForm(ui::TComponent* owner)
    : startup::TLogoForm(owner, "RestoreLogoForm", "還原程式")
{
}
