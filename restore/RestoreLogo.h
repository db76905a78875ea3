#pragma once

// The restore program's splash window: shown while the transfer window is
// being created, then destroyed; it takes no input.

#include "startup/LogoForm.h"

class TRestoreLogoForm : public startup::TLogoForm
{
public:
    explicit TRestoreLogoForm(ui::TComponent* owner);
};

// Set by start-up when it creates the splash window, cleared when it destroys it.
extern TRestoreLogoForm* RestoreLogoForm;
