#pragma once

// The splash window of both programs: shown while the transfer window is
// being created, then destroyed; it takes no input. The programs' windows
// differ only in Label4, which names the program.

#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"

#include <string>

namespace startup {

class TLogoForm : public ui::TForm
{
public:
    ui::TPanel* Panel1 = nullptr;
    ui::TImage* Image1 = nullptr;
    ui::TLabel* Label1 = nullptr;
    ui::TLabel* Label3 = nullptr;
    ui::TLabel* Label2 = nullptr;
    ui::TLabel* Label4 = nullptr;

protected:
    TLogoForm(ui::TComponent* owner, const std::string& formName, const std::string& programText);
};

} // namespace startup
