#include "dialogs/DeleteOldDirs.h"

#include "dialogs/DialogLayout.h"

TDeleteOldDirDlg* DeleteOldDirDlg = nullptr;

namespace {

using dialogs::FontOf;
using ui::Join;
using ui::Place;

ui::Layout MakeLayout()
{
    return ui::Layout{
        Join({dialogs::DialogWindow("DeleteOldDirDlg", "刪除已建立資料夾", 323, 185),
              FontOf("新細明體", 16, ui::clBlack),
              {{"OnActivate", "FormActivate"}}}),
        {
            dialogs::NameFrame(12, 68),
            {ui::Kind<ui::TLabel>, "Label1",
             Join({Place(91, 82, 132, 16),
                   {{"AutoSize", true}, {"Caption", "請輸入資料夾名稱 "}},
                   FontOf("新細明體", 16, ui::clBlack)})},
            {ui::Kind<ui::TLabel>, "Label2",
             Join({Place(10, 8, 148, 16), {{"AutoSize", true}, {"Caption", "已存在之目的資料夾:"}}})},
            dialogs::OKButton(71, 154),
            dialogs::CancelButton(169, 154),
            dialogs::NameBox("OldDir", 24, 106, FontOf("新細明體", 16, ui::clBlack)),
            // Entries stay in the order the caller adds them; the list shows 8 rows at once.
            {ui::Kind<ui::TComboBox>, "ComboBox1",
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
