#include "dialogs/CreateNewDirs.h"

#include "dialogs/DialogLayout.h"
#include "ui/Dialogs.h"

TCreateNewDirDlg* CreateNewDirDlg = nullptr;

const char* const SuiteMessage = "Arvel,Kolmin,Tavro,Ostrel,Bevkin,Pelvan,商務資訊整合管理系統";

namespace {

using dialogs::FontOf;
using ui::Join;
using ui::Place;

ui::Layout MakeLayout()
{
    return ui::Layout{Join({dialogs::DialogWindow("CreateNewDirDlg", "建立新資料夾", 313, 130),
                            FontOf("MS Sans Serif", 11, ui::clWindowText),
                            {{"OnActivate", "FormActivate"}, {"OnClick", "FormClick"}}}),
                      {
                          dialogs::NameFrame(10, 12),
                          {ui::Kind<ui::TLabel>, "Label1",
                           Join({Place(91, 26, 139, 17),
                                 {{"AutoSize", true}, {"Caption", "請輸入新資料夾名稱 "}},
                                 FontOf("Times New Roman", 15, ui::clWindowText)})},
                          dialogs::OKButton(71, 98),
                          dialogs::CancelButton(167, 98),
                          dialogs::NameBox("NewDir", 20, 52, FontOf("MS Sans Serif", 13, ui::clBlack)),
                      }};
}

} // namespace

TCreateNewDirDlg::TCreateNewDirDlg(ui::TComponent* owner) : ui::TForm(owner)
{
    SetName("CreateNewDirDlg");
    static const ui::Layout layout = MakeLayout();
    Load(layout,
         {{"FormClick", this, &TCreateNewDirDlg::FormClick},
          {"FormActivate", this, &TCreateNewDirDlg::FormActivate}},
         {{"OKBtn", OKBtn},
          {"CancelBtn", CancelBtn},
          {"Bevel1", Bevel1},
          {"Label1", Label1},
          {"NewDir", NewDir}});
}

// Only the bare background raises it: the frame and the prompt keep their clicks.
void TCreateNewDirDlg::FormClick(ui::TObject*)
{
    ui::ShowMessage(SuiteMessage);
}

// Once per showing, before any input: every showing starts with an empty name.
void TCreateNewDirDlg::FormActivate(ui::TObject*)
{
    NewDir->SetText("");
}
