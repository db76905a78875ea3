#include "dialogs/DeleteOldDirs.h"

TDeleteOldDirDlg* DeleteOldDirDlg = nullptr;

namespace {

using ui::Kind;

const ui::Layout kLayout{{
                             {"Caption", "刪除已建立資料夾"},
                             {"ClientWidth", 323},
                             {"ClientHeight", 185},
                             {"BorderStyle", ui::bsDialog},
                             {"Position", ui::poScreenCenter},
                             {"Color", ui::clBtnFace},
                             {"Font.Name", "新細明體"},
                             {"Font.Height", 16},
                             {"Font.Color", ui::clBlack},
                             {"Font.Style", 0},
                             {"OnActivate", "FormActivate"},
                         },
                         {
                             {Kind<ui::TBevel>,
                              "Bevel1",
                              {{"Left", 12},
                               {"Top", 68},
                               {"Width", 297},
                               {"Height", 77},
                               {"Shape", ui::bsFrame},
                               {"Style", ui::bsLowered}}},
                             {Kind<ui::TLabel>,
                              "Label1",
                              {{"Left", 91},
                               {"Top", 82},
                               {"Width", 132},
                               {"Height", 16},
                               {"AutoSize", true},
                               {"Caption", "請輸入資料夾名稱 "},
                               {"ParentFont", false},
                               {"Font.Name", "新細明體"},
                               {"Font.Height", 16},
                               {"Font.Color", ui::clBlack},
                               {"Font.Style", 0}}},
                             {Kind<ui::TLabel>,
                              "Label2",
                              {{"Left", 10},
                               {"Top", 8},
                               {"Width", 148},
                               {"Height", 16},
                               {"AutoSize", true},
                               {"Caption", "已存在之目的資料夾:"}}},
                             {Kind<ui::TButton>,
                              "OKBtn",
                              {{"Left", 71},
                               {"Top", 154},
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
                              {{"Left", 169},
                               {"Top", 154},
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
                              "OldDir",
                              {{"Left", 24},
                               {"Top", 106},
                               {"Width", 273},
                               {"Height", 24},
                               {"Text", ""},
                               {"ParentFont", false},
                               {"Font.Name", "新細明體"},
                               {"Font.Height", 16},
                               {"Font.Color", ui::clBlack},
                               {"Font.Style", 0},
                               {"TabOrder", 0}}},
                             {Kind<ui::TComboBox>,
                              "ComboBox1",
                              {{"Left", 44},
                               {"Top", 30},
                               {"Width", 231},
                               {"Height", 24},
                               {"Text", ""},
                               {"DropDownCount", 8},
                               {"TabOrder", 3},
                               {"OnChange", "ComboBox1Change"}}},
                         }};

} // namespace

TDeleteOldDirDlg::TDeleteOldDirDlg(ui::TComponent* owner) : ui::TForm(owner)
{
    SetName("DeleteOldDirDlg");
    Load(kLayout,
         {{"FormActivate", this, &TDeleteOldDirDlg::FormActivate},
          {"ComboBox1Change", this, &TDeleteOldDirDlg::ComboBox1Change}},
         {{"OKBtn", OKBtn},
          {"CancelBtn", CancelBtn},
          {"Bevel1", Bevel1},
          {"Label1", Label1},
          {"OldDir", OldDir},
          {"ComboBox1", ComboBox1},
          {"Label2", Label2}});
}

// Once per showing, after the caller filled the combo box and before any
// input; the combo box keeps what the caller set.
void TDeleteOldDirDlg::FormActivate(ui::TObject*)
{
    OldDir->SetText("");
}

// On a choice from the list and on every edit of the combo box's text.
void TDeleteOldDirDlg::ComboBox1Change(ui::TObject*)
{
    OldDir->SetText(ComboBox1->Text());
}
