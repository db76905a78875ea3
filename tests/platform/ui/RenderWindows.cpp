// Renders the library's windows to PNG files on the offscreen platform, for
// a person to look at: a window with every kind of control, and each kind of
// message window.
//   render_windows <folder>

#include "ui/Application.h"
#include "ui/Bevel.h"
#include "ui/BitBtn.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/ModalScript.h"
#include "ui/Panel.h"
#include "ui/ProgressBar.h"
#include "ui/RadioGroup.h"
#include "ui/Render.h"
#include "ui/ScrollBox.h"

#include <QApplication>
#include <cstdio>
#include <string>

namespace {

// A red cross and its greyed form, side by side.
ui::TBitmap ExitGlyph()
{
    ui::TBitmap glyph(36, 18, 0x008080);
    for (int half = 0; half < 2; ++half)
        for (int i = 3; i < 15; ++i)
            for (int d = 0; d < 2; ++d) {
                const std::uint32_t color = half == 0 ? 0xFF0000 : 0x808080;
                glyph.SetPixel(half * 18 + i + d, i, color);
                glyph.SetPixel(half * 18 + 17 - i - d, i, color);
            }
    return glyph;
}

ui::TBitmap Landscape()
{
    ui::TBitmap picture(64, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            picture.SetPixel(x, y,
                             y < 24 ? 0x6090C0 + static_cast<std::uint32_t>(y)
                                    : 0x206030 + static_cast<std::uint32_t>(x));
    return picture;
}

const ui::Layout kSampleLayout{
    {{"Caption", "鷺沅資訊檔案還原程式系統 - V3.05 版"},
     {"ClientWidth", 535},
     {"ClientHeight", 413},
     {"BorderStyle", ui::bsDialog},
     {"Position", ui::poScreenCenter},
     {"Font.Name", "新細明體"},
     {"Font.Height", 13},
     {"Font.Color", ui::clBlack}},
    {
        {ui::Kind<ui::TLabel>,
         "Label1",
         {{"Left", 7},
          {"Top", 5},
          {"Caption", "來源:"},
          {"Font.Name", "Times New Roman"},
          {"Font.Style", ui::fsBold},
          {"Font.Color", ui::clWindowText}}},
        {ui::Kind<ui::TLabel>,
         "Label4",
         {{"Left", 222},
          {"Top", 44},
          {"Caption", "篩選副檔名 :"},
          {"Font.Name", "Times New Roman"},
          {"Font.Color", ui::clWindowText}}},
        {ui::Kind<ui::TBevel>,
         "Bevel1",
         {{"Left", 6}, {"Top", 312}, {"Width", 209}, {"Height", 49}, {"Style", ui::bsRaised}}},
        {ui::Kind<ui::TLabel>,
         "FIleCount",
         {{"Left", 14},
          {"Top", 320},
          {"Caption", "選擇檔案數 :  12"},
          {"Font.Name", "Times New Roman"},
          {"Hint", "要複製檔案總個數"},
          {"ShowHint", true}}},
        {ui::Kind<ui::TLabel>,
         "FilesLength",
         {{"Left", 14},
          {"Top", 341},
          {"Caption", "總檔案大小 :  1234 KB"},
          {"Font.Name", "Times New Roman"}}},
        {ui::Kind<ui::TBevel>, "Bevel2", {{"Left", 318}, {"Top", 381}, {"Width", 209}, {"Height", 26}}},
        {ui::Kind<ui::TLabel>,
         "FreeLabel",
         {{"Left", 323}, {"Top", 388}, {"Caption", "剩餘容量: 51200 KB"}, {"Font.Name", "Times New Roman"}}},
        {ui::Kind<ui::TButton>,
         "CopyFiles",
         {{"Left", 223},
          {"Top", 285},
          {"Width", 88},
          {"Height", 29},
          {"Caption", "&C > 還原  >>>"},
          {"TabOrder", 0}}},
        {ui::Kind<ui::TScrollBox>,
         "IncludeExtBox",
         {{"Left", 221}, {"Top", 62}, {"Width", 90}, {"Height", 217}, {"Enabled", false}}},
        {ui::Kind<ui::TRadioGroup>,
         "WriteOpt",
         {{"Left", 318},
          {"Top", 316},
          {"Width", 209},
          {"Height", 59},
          {"Caption", "  覆蓋檔案選項  "},
          {"Items", {"總是覆蓋檔案", "詢問後覆蓋檔案"}},
          {"ItemIndex", 0}}},
        {ui::Kind<ui::TProgressBar>,
         "ProgressBar",
         {{"Left", 6}, {"Top", 382}, {"Width", 209}, {"Height", 25}, {"Position", 40}}},
        {ui::Kind<ui::TButton>,
         "ButtonMkDir",
         {{"Left", 223},
          {"Top", 316},
          {"Width", 88},
          {"Height", 28},
          {"Caption", "&M> 建立資料夾"},
          {"Font.Height", 12}}},
        {ui::Kind<ui::TButton>,
         "DeleteDir",
         {{"Left", 223},
          {"Top", 346},
          {"Width", 88},
          {"Height", 29},
          {"Caption", "&D> 刪除資料夾"},
          {"Font.Height", 12},
          {"Enabled", false}}},
        {ui::Kind<ui::TCheckBox>,
         "CheckBox1",
         {{"Left", 230},
          {"Top", 22},
          {"Width", 71},
          {"Height", 17},
          {"Caption", "所有檔案"},
          {"Checked", true},
          {"Enabled", false}}},
        {ui::Kind<ui::TBitBtn>,
         "ButtonExit",
         {{"Left", 224},
          {"Top", 378},
          {"Width", 87},
          {"Height", 29},
          {"Caption", "&Q 離開"},
          {"Font.Height", 15},
          {"Glyph", ExitGlyph()},
          {"NumGlyphs", 2}}},
        {ui::Kind<ui::TEdit>,
         "NewDir",
         {{"Left", 7}, {"Top", 22}, {"Width", 208}, {"Height", 21}, {"Text", "SUB\\DATA"}}},
        {ui::Kind<ui::TComboBox>,
         "ComboBox1",
         {{"Left", 317},
          {"Top", 20},
          {"Width", 212},
          {"Height", 21},
          {"Items", {"DATA", "BAK"}},
          {"Text", "DATA"}}},
        {ui::Kind<ui::TPanel>,
         "Panel1",
         {{"Left", 7},
          {"Top", 62},
          {"Width", 208},
          {"Height", 120},
          {"BorderStyle", ui::bsSingle},
          {"BevelWidth", 5},
          {"BorderWidth", 3},
          {"BevelInner", ui::bvRaised},
          {"Color", ui::clGreen}}},
        {ui::Kind<ui::TImage>,
         "Image1",
         {{"Parent", ui::Ref{"Panel1"}},
          {"Left", 13},
          {"Top", 13},
          {"Width", 178},
          {"Height", 90},
          {"Picture", Landscape()},
          {"Stretch", true}}},
        {ui::Kind<ui::TLabel>,
         "Label3",
         {{"Parent", ui::Ref{"Panel1"}},
          {"Left", 20},
          {"Top", 19},
          {"Caption", "Ver 3.05"},
          {"Font.Name", "標楷體"},
          {"Font.Height", 24},
          {"Font.Style", ui::fsBold | ui::fsItalic},
          {"Font.Color", ui::clYellow},
          {"Transparent", true}}},
        {ui::Kind<ui::TPanel>,
         "Inner",
         {{"Left", 7}, {"Top", 190}, {"Width", 161}, {"Height", 33}, {"BorderStyle", ui::bsSingle}}},
        {ui::Kind<ui::TLabel>,
         "Label2",
         {{"Parent", ui::Ref{"Inner"}},
          {"Left", 2},
          {"Top", 2},
          {"Width", 153},
          {"Height", 25},
          {"AutoSize", false},
          {"Caption", "主程式登入中 ..."},
          {"Font.Height", 19},
          {"Font.Style", ui::fsBold},
          {"Font.Color", ui::clBlue},
          {"Color", ui::clLime},
          {"Alignment", ui::taCenter}}},
        {ui::Kind<ui::TBevel>,
         "Frame",
         {{"Left", 7}, {"Top", 230}, {"Width", 208}, {"Height", 70}, {"Shape", ui::bsFrame}}},
    }};

class TSampleForm : public ui::TForm
{
public:
    explicit TSampleForm(ui::TComponent* owner) : TForm(owner)
    {
        Load(kSampleLayout, {}, {{"IncludeExtBox", IncludeExtBox}});
        const char* extensions[] = {"DB", "exe", "PX", "txt"};
        for (int i = 0; i < 4; ++i) {
            auto* box = new ui::TCheckBox(IncludeExtBox);
            box->SetParent(IncludeExtBox);
            box->SetBounds(4, 4 + 17 * i, 50, 17);
            box->SetCaption(extensions[i]);
            box->SetChecked(true);
            ui::TFont font = box->Font();
            font.Name = "Times New Roman";
            font.SetSize(8);
            box->SetFont(font);
        }
    }

    ui::TScrollBox* IncludeExtBox = nullptr;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_windows <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    ui::TApplication app(argc, argv);
    int failures = 0;
    auto render = [&](ui::TForm& form, const std::string& name) {
        const std::string path = folder + "/" + name + ".png";
        if (ui::RenderToPng(form, path))
            std::printf("%s\n", path.c_str());
        else
            ++failures;
    };

    auto* sample = new TSampleForm(&app);
    render(*sample, "controls");
    sample->Free();

    ui::ModalScript script;
    auto next = [&](const std::string& name) {
        script.Answer(ui::mrCancel, [&, name](ui::TForm& f) { render(f, name); });
    };
    next("error-abort-retry-ignore");
    ui::MessageDlg("讀取檔案錯誤! \r\nPARAM.DB", ui::mtError, ui::mbAbortRetryIgnore);
    next("confirm-yes-no-all");
    ui::MessageDlg("檔案 BAKPATH.DB 已存在! \r\n是否覆蓋 ?", ui::mtConfirmation,
                   ui::mbYes | ui::mbNo | ui::mbAll);
    next("confirm-yes-no");
    ui::MessageDlg("是否確定刪除資料夾?\r\n C:\\TARN\\SUB", ui::mtConfirmation, ui::mbYes | ui::mbNo);
    next("error-ok");
    ui::MessageDlg("無法建立資料夾! \r\nC:\\TARN\\SUB", ui::mtError, ui::mbOK);
    next("box-ok");
    ui::MessageBox(
        "本程式無法單獨使用!!\r\n請配合本公司軟體方可執行!\r\n\r\n或 請檢查 Tarn.ini 中網路路徑設定是否正確!",
        "資訊");
    next("box-yes-no");
    ui::MessageBox("是否確定還原 ?", "確定時請按「是」按鈕!", ui::MB_YESNO);
    next("plain-message");
    ui::ShowMessage("不可刪除!");
    next("error-box");
    app.ShowException(std::runtime_error("File access denied"));
    next("password");
    std::string password;
    ui::PasswordDialog("param.db", password);
    return failures == 0 ? 0 : 1;
}
