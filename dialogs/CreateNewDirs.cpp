#include "dialogs/CreateNewDirs.h"

#include "ui/Dialogs.h"

#include <initializer_list>
#include <vector>

TCreateNewDirDlg* CreateNewDirDlg = nullptr;

const char* const SuiteMessage = "Arvel,Kolmin,Tavro,Ostrel,Bevkin,Pelvan,商務資訊整合管理系統";

namespace {

using ui::Kind;
using Properties = std::vector<ui::Property>;

Properties Join(std::initializer_list<Properties> parts)
{
    Properties all;
    for (const Properties& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Properties Place(int left, int top, int width, int height)
{
    return {{"Left", left}, {"Top", top}, {"Width", width}, {"Height", height}};
}

Properties FontOf(const char* name, int height, ui::TColor color)
{
    return {{"Font.Name", name}, {"Font.Height", height}, {"Font.Style", 0}, {"Font.Color", color}};
}

ui::Layout MakeLayout()
{
    return ui::Layout{
        Join({{{"Caption", "建立新資料夾"},
               {"ClientWidth", 313},
               {"ClientHeight", 130},
               {"BorderStyle", ui::bsDialog},
               {"Position", ui::poScreenCenter},
               {"Color", ui::clBtnFace}},
              FontOf("MS Sans Serif", 11, ui::clWindowText),
              {{"OnActivate", "FormActivate"}, {"OnClick", "FormClick"}}}),
        {
            {Kind<ui::TBevel>, "Bevel1",
             Join({Place(10, 12, 297, 77), {{"Shape", ui::bsFrame}, {"Style", ui::bsLowered}}})},
            {Kind<ui::TLabel>, "Label1",
             Join({Place(91, 26, 139, 17),
                   {{"AutoSize", true}, {"Caption", "請輸入新資料夾名稱 "}},
                   FontOf("Times New Roman", 15, ui::clWindowText)})},
            {Kind<ui::TButton>, "OKBtn",
             Join({Place(71, 98, 75, 24),
                   {{"Caption", "確定"}, {"Default", true}, {"ModalResult", ui::mrOk}, {"TabOrder", 1}},
                   FontOf("新細明體", 15, ui::clBlack)})},
            {Kind<ui::TButton>, "CancelBtn",
             Join({Place(167, 98, 75, 24),
                   {{"Caption", "取消"}, {"Cancel", true}, {"ModalResult", ui::mrCancel}, {"TabOrder", 2}},
                   FontOf("新細明體", 15, ui::clBlack)})},
            {Kind<ui::TEdit>, "NewDir",
             Join({Place(20, 52, 273, 24),
                   {{"Text", ""}, {"TabOrder", 0}},
                   FontOf("MS Sans Serif", 13, ui::clBlack)})},
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
