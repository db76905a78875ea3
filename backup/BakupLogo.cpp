#include "backup/BakupLogo.h"

TBakupLogoForm* BakupLogoForm = nullptr;

TBakupLogoForm::TBakupLogoForm(ui::TComponent* owner) : startup::TLogoForm(owner, "BakupLogoForm", "備份程式")
{
}
