#pragma once

// The backup program's splash window: shown while the transfer window is
// being created, then destroyed; it takes no input.

#include "startup/LogoForm.h"

class TBakupLogoForm : public startup::TLogoForm
{
public:
    explicit TBakupLogoForm(ui::TComponent* owner);
};

// Set by start-up when it creates the splash window, cleared when it destroys it.
extern TBakupLogoForm* BakupLogoForm;
