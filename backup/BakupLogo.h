#pragma once

// The backup program's splash window: shown while the transfer window is
// being created, then destroyed; it takes no input.

#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"

class TBakupLogoForm : public ui::TForm
{
public:
    explicit TBakupLogoForm(ui::TComponent* owner);

    ui::TPanel* Panel1 = nullptr;
    ui::TImage* Image1 = nullptr;
    ui::TLabel* Label1 = nullptr;
    ui::TLabel* Label3 = nullptr;
    ui::TLabel* Label2 = nullptr;
    ui::TLabel* Label4 = nullptr;
};

// Set by start-up when it creates the splash window, cleared when it destroys it.
extern TBakupLogoForm* BakupLogoForm;
