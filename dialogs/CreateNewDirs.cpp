#include "dialogs/CreateNewDirs.h"

#include "ui/Dialogs.h"

TCreateNewDirDlg* CreateNewDirDlg = nullptr;

const char* const SuiteMessage = "Arvel,Kolmin,Tavro,Ostrel,Bevkin,Pelvan,商務資訊整合管理系統";

namespace {

using ui::Kind;

const ui::Layout kLayout{{
                             {"Caption", "建立新資料夾"},
                             {"ClientWidth", 313},
                             {"ClientHeight", 130},
                             {"BorderStyle", ui::bsDialog},
                             {"Position", ui::poScreenCenter},
                             {"Color", ui::clBtnFace},
                             {"Font.Name", "MS Sans Serif"},
                             {"Font.Height", 11},
                             {"Font.Color", ui::clWindowText},
                             {"Font.Style", 0},
                             {"OnActivate", "FormActivate"},
                             {"OnClick", "FormClick"},
                         },
                         {
                             {Kind<ui::TBevel>,
                              "Bevel1",
                              {{"Left", 10},
                               {"Top", 12},
                               {"Width", 297},
                               {"Height", 77},
                               {"Shape", ui::bsFrame},
                               {"Style", ui::bsLowered}}},
                             {Kind<ui::TLabel>,
                              "Label1",
                              {{"Left", 91},
                               {"Top", 26},
                               {"Width", 139},
                               {"Height", 17},
                               {"AutoSize", true},
                               {"Caption", "請輸入新資料夾名稱 "},
                               {"ParentFont", false},
                               {"Font.Name", "Times New Roman"},
                               {"Font.Height", 15},
                               {"Font.Color", ui::clWindowText},
                               {"Font.Style", 0}}},
                             {Kind<ui::TButton>,
                              "OKBtn",
                              {{"Left", 71},
                               {"Top", 98},
                               {"Width", 75},
                               {"Height", 24},
                               {"Caption", "確定"},
                               {"Default", true},
                               {"ModalResult", ui::mrOk},
                               {"ParentFont", false},
                               {"Font.Name", "新細明體"},
                               {"Font.Height", 15},
                               {"Font.Color", ui::clBlack},
                               {"Font.Style", 0},
                               {"TabOrder", 1}}},
                             {Kind<ui::TButton>,
                              "CancelBtn",
                              {{"Left", 167},
                               {"Top", 98},
                               {"Width", 75},
                               {"Height", 24},
                               {"Caption", "取消"},
                               {"Cancel", true},
                               {"ModalResult", ui::mrCancel},
                               {"ParentFont", false},
                               {"Font.Name", "新細明體"},
                               {"Font.Height", 15},
                               {"Font.Color", ui::clBlack},
                               {"Font.Style", 0},
                               {"TabOrder", 2}}},
                             {Kind<ui::TEdit>,
                              "NewDir",
                              {{"Left", 20},
                               {"Top", 52},
                               {"Width", 273},
                               {"Height", 24},
                               {"Text", ""},
                               {"ParentFont", false},
                               {"Font.Name", "MS Sans Serif"},
                               {"Font.Height", 13},
                               {"Font.Color", ui::clBlack},
                               {"Font.Style", 0},
                               {"TabOrder", 0}}},
                         }};

} // namespace

TCreateNewDirDlg::TCreateNewDirDlg(ui::TComponent* owner) : ui::TForm(owner)
{
    SetName("CreateNewDirDlg");
    Load(kLayout,
         {{"FormClick", this, &TCreateNewDirDlg::FormClick},
          {"FormActivate", this, &TCreateNewDirDlg::FormActivate}},
         {{"OKBtn", OKBtn},
          {"CancelBtn", CancelBtn},
          {"Bevel1", Bevel1},
          {"Label1", Label1},
          {"NewDir", NewDir}});
}

void TCreateNewDirDlg::FormClick(ui::TObject*)
{
    ui::ShowMessage(SuiteMessage);
}

// Once per showing, before any input: every showing starts with an empty name.
void TCreateNewDirDlg::FormActivate(ui::TObject*)
{
    NewDir->SetText("");
}
