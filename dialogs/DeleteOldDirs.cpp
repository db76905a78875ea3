#include "dialogs/DeleteOldDirs.h"

#include <initializer_list>
#include <vector>

TDeleteOldDirDlg* DeleteOldDirDlg = nullptr;

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
        Join({{{"Caption", "刪除已建立資料夾"},
               {"ClientWidth", 323},
               {"ClientHeight", 185},
               {"BorderStyle", ui::bsDialog},
               {"Position", ui::poScreenCenter},
               {"Color", ui::clBtnFace}},
              FontOf("新細明體", 16, ui::clBlack),
              {{"OnActivate", "FormActivate"}}}),
        {
            {Kind<ui::TBevel>, "Bevel1",
             Join({Place(12, 68, 297, 77), {{"Shape", ui::bsFrame}, {"Style", ui::bsLowered}}})},
            {Kind<ui::TLabel>, "Label1",
             Join({Place(91, 82, 132, 16),
                   {{"AutoSize", true}, {"Caption", "請輸入資料夾名稱 "}},
                   FontOf("新細明體", 16, ui::clBlack)})},
            {Kind<ui::TLabel>, "Label2",
             Join({Place(10, 8, 148, 16), {{"AutoSize", true}, {"Caption", "已存在之目的資料夾:"}}})},
            {Kind<ui::TButton>, "OKBtn",
             Join({Place(71, 154, 75, 24),
                   {{"Caption", "確定"}, {"Default", true}, {"ModalResult", ui::mrOk}, {"TabOrder", 1}},
                   FontOf("新細明體", 15, ui::clBlack)})},
            {Kind<ui::TButton>, "CancelBtn",
             Join({Place(169, 154, 75, 24),
                   {{"Caption", "取消"}, {"Cancel", true}, {"ModalResult", ui::mrCancel}, {"TabOrder", 2}},
                   FontOf("新細明體", 15, ui::clBlack)})},
            {Kind<ui::TEdit>, "OldDir",
             Join({Place(24, 106, 273, 24),
                   {{"Text", ""}, {"TabOrder", 0}},
                   FontOf("新細明體", 16, ui::clBlack)})},
            // Entries stay in the order the caller adds them; the list shows 8 rows at once.
            {Kind<ui::TComboBox>, "ComboBox1",
             Join({Place(44, 30, 231, 24),
                   {{"Text", ""}, {"DropDownCount", 8}, {"TabOrder", 3}, {"OnChange", "ComboBox1Change"}}})},
        }};
}

} // namespace

TDeleteOldDirDlg::TDeleteOldDirDlg(ui::TComponent* owner) : ui::TForm(owner)
{
    SetName("DeleteOldDirDlg");
    static const ui::Layout layout = MakeLayout();
    Load(layout,
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
