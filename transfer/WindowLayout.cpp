// The transfer window's layout: its controls with their positions, captions,
// hints and fonts, and the exit button's glyph.

#include "transfer/WindowLayout.h"

#include "ui/Bevel.h"
#include "ui/BitBtn.h"
#include "ui/Bitmap.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/DirectoryListBox.h"
#include "ui/DriveComboBox.h"
#include "ui/FileListBox.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"
#include "ui/RadioGroup.h"
#include "ui/ScrollBox.h"

#include <cstdint>

namespace {

using ui::Join;
using ui::Kind;
using ui::Place;
using ui::Ref;

// The exit button's glyph: a red cross, then its greyed form for the
// disabled state, on a background whose colour the lower-left pixel gives.
ui::TBitmap ExitGlyph()
{
    constexpr int Size = 18;
    constexpr std::uint32_t Background = 0x808000;
    constexpr std::uint32_t Red = 0xFF0000;
    constexpr std::uint32_t DarkRed = 0x800000;
    constexpr std::uint32_t Grey = 0x808080;
    constexpr std::uint32_t White = 0xFFFFFF;
    ui::TBitmap glyph(2 * Size, Size, Background);
    auto cross = [&](int left, int offset, std::uint32_t colour) {
        for (int i = 3; i < Size - 3; ++i) {
            for (int thickness = -1; thickness <= 1; ++thickness) {
                const int down = i + thickness;
                if (down < 2 || down > Size - 3)
                    continue;
                glyph.SetPixel(left + i + offset, down + offset, colour);
                glyph.SetPixel(left + Size - 1 - i + offset, down + offset, colour);
            }
        }
    };
    cross(0, 1, DarkRed);
    cross(0, 0, Red);
    cross(Size, 1, White);
    cross(Size, 0, Grey);
    return glyph;
}

// "Times New Roman" in the window-text colour: the labels and the lists.
ui::Properties TimesFont(int height, int style = 0)
{
    return Join({{{"ParentFont", false}}, ui::FontOf("Times New Roman", height, style, ui::clWindowText)});
}

// "新細明體" in black: the copy buttons and the current-file label.
ui::Properties MingFont(int height)
{
    return Join({{{"ParentFont", false}}, ui::FontOf("新細明體", height, 0, ui::clBlack)});
}

ui::Properties HintOf(const char* hint)
{
    return {{"Hint", hint}, {"ShowHint", true}};
}

ui::Layout LayoutFor(const DirectionProfile& profile)
{
    return ui::Layout{
        {
            {"Name", "CopyFiles"},
            {"Caption", profile.title},
            {"ClientWidth", 535},
            {"ClientHeight", 413},
            {"BorderStyle", ui::bsDialog},
            {"Position", ui::poScreenCenter},
            {"Color", ui::clBtnFace},
            {"Font.Name", "新細明體"},
            {"Font.Height", 13},
            {"Font.Style", 0},
            {"Font.Color", ui::clBlack},
            {"OnCreate", "FormCreate"},
            {"OnActivate", "FormActivate"},
            {"OnDestroy", "FormDestroy"},
        },
        {
            {Kind<ui::TLabel>, "Label1",
             Join({Place(7, 5, 34, 15), {{"Caption", "來源:"}}, TimesFont(13, ui::fsBold)})},
            {Kind<ui::TLabel>, "Label2",
             Join({Place(317, 3, 37, 15), {{"Caption", "目的 :"}}, TimesFont(13, ui::fsBold)})},
            {Kind<ui::TLabel>, "SourcePath",
             Join({{{"AutoSize", false}}, Place(8, 44, 205, 16), TimesFont(13)})},
            {Kind<ui::TLabel>, "DestinationPath",
             Join({{{"AutoSize", false}}, Place(317, 42, 200, 16), TimesFont(13)})},
            {Kind<ui::TLabel>, "Label4",
             Join({Place(222, 44, 76, 15), {{"Caption", "篩選副檔名 :"}}, TimesFont(13)})},
            {Kind<ui::TBevel>, "Bevel1",
             Join({Place(6, 312, 209, 49), {{"Shape", ui::bsBox}, {"Style", ui::bsRaised}}})},
            {Kind<ui::TLabel>, "FIleCount",
             Join({Place(14, 320, 76, 15),
                   {{"Caption", "選擇檔案數 :"}},
                   HintOf("要複製檔案總個數"),
                   TimesFont(13)})},
            {Kind<ui::TLabel>, "FilesLength",
             Join({Place(14, 341, 76, 15),
                   {{"Caption", "總檔案大小 :"}},
                   HintOf("要複製檔案總大小"),
                   TimesFont(13)})},
            {Kind<ui::TBevel>, "Bevel2",
             Join({Place(318, 381, 209, 26), {{"Shape", ui::bsBox}, {"Style", ui::bsLowered}}})},
            {Kind<ui::TLabel>, "FreeLabel",
             Join({Place(323, 388, 71, 15),
                   {{"Caption", "剩餘容量 : 0"}},
                   HintOf("目的資料夾磁碟剩餘空間"),
                   TimesFont(13)})},
            {Kind<ui::TLabel>, "CopyingFileLabel",
             Join({Place(7, 366, 3, 13),
                   {{"Caption", ""}},
                   HintOf("File being currently copied"),
                   MingFont(13)})},
            {Kind<ui::TButton>, "CopyFiles",
             Join({Place(223, 285, 88, 29),
                   {{"TabOrder", 7}, {"Caption", profile.copyCaption}},
                   HintOf("拷貝所選擇檔案至目的地"),
                   MingFont(13),
                   {{"OnClick", "CopyFilesClick"}}})},
            {Kind<ui::TDirectoryListBox>, "SourceDirectory",
             Join({Place(7, 62, 208, 89),
                   {{"TabOrder", 1}},
                   HintOf("選擇來源資料夾"),
                   TimesFont(12),
                   {{"Color", ui::clInfoBk},
                    {"Enabled", false},
                    {"DirLabel", Ref{"SourcePath"}},
                    {"FileList", Ref{"SourceFiles"}},
                    {"ItemHeight", 16},
                    {"OnChange", "SourceDirectoryChange"}}})},
            {Kind<ui::TDirectoryListBox>, "DestinationDirectory",
             Join({Place(316, 60, 212, 91),
                   {{"TabOrder", 5}},
                   HintOf("選擇目的資料夾"),
                   TimesFont(12),
                   {{"Color", ui::clInfoBk},
                    {"Enabled", false},
                    {"DirLabel", Ref{"DestinationPath"}},
                    {"FileList", Ref{"DestinationFiles"}},
                    {"ItemHeight", 16},
                    {"OnChange", "DestinationDirectoryChange"}}})},
            {Kind<ui::TDriveComboBox>, "SourceDrive",
             Join({Place(7, 22, 208, 19),
                   {{"TabOrder", 0}},
                   HintOf("選擇來源磁碟機"),
                   {{"Color", ui::clInfoBk},
                    {"Enabled", false},
                    {"DirList", Ref{"SourceDirectory"}},
                    {"TextCase", ui::tcUpperCase}}})},
            {Kind<ui::TDriveComboBox>, "DestinationDrive",
             Join({Place(317, 20, 212, 19),
                   {{"TabOrder", 4}},
                   HintOf("選擇目的磁碟機"),
                   {{"Color", ui::clInfoBk},
                    {"Enabled", false},
                    {"DirList", Ref{"DestinationDirectory"}},
                    {"TextCase", ui::tcUpperCase}}})},
            {Kind<ui::TFileListBox>, "SourceFiles",
             Join(
                 {Place(6, 154, 209, 154),
                  {{"TabOrder", 2}},
                  HintOf("選擇要複製來源之檔案"),
                  TimesFont(12),
                  {{"Color", ui::clWindow}, {"Mask", "*.*"}, {"ItemHeight", 15}, {"IntegralHeight", true}}})},
            {Kind<ui::TFileListBox>, "DestinationFiles",
             Join(
                 {Place(316, 154, 212, 154),
                  {{"TabOrder", 6}},
                  HintOf("目的資料夾之檔案"),
                  TimesFont(12),
                  {{"Color", ui::clInfoBk}, {"Mask", "*.*"}, {"ItemHeight", 15}, {"IntegralHeight", true}}})},
            {Kind<ui::TScrollBox>, "IncludeExtBox",
             Join({Place(221, 62, 90, 217),
                   {{"TabOrder", 3}},
                   HintOf("列出來源資料夾中所包含檔案之副檔名"),
                   {{"Enabled", false}}})},
            {Kind<ui::TRadioGroup>, "WriteOpt",
             Join({Place(318, 316, 209, 59),
                   {{"TabOrder", 10},
                    {"Caption", "  覆蓋檔案選項  "},
                    {"Items", {"總是覆蓋檔案", "詢問後覆蓋檔案"}},
                    {"Columns", 1},
                    {"ItemIndex", 0}},
                   HintOf("選擇覆蓋檔案方式")})},
            {Kind<ui::TProgressBar>, "ProgressBar",
             Join({Place(6, 382, 209, 25),
                   {{"TabOrder", 11}, {"Min", 0}, {"Max", 100}, {"Step", 1}, {"Position", 0}},
                   HintOf("Copy progress")})},
            {Kind<ui::TButton>, "ButtonMkDir",
             Join({Place(223, 316, 88, 28),
                   {{"TabOrder", 8}, {"Caption", "&M> 建立資料夾"}},
                   HintOf("在目的資料夾建立新資料夾"),
                   MingFont(12),
                   {{"OnClick", "ButtonMkDirClick"}}})},
            {Kind<ui::TButton>, "DeleteDir",
             Join({Place(223, 346, 88, 29),
                   {{"TabOrder", 9}, {"Caption", "&D> 刪除資料夾"}},
                   HintOf("刪除已建立之目的資料夾"),
                   MingFont(12),
                   {{"OnClick", "DeleteDirClick"}}})},
            {Kind<ui::TCheckBox>, "CheckBox1",
             Join({Place(230, 22, 71, 17),
                   {{"TabOrder", 12},
                    {"Caption", "所有檔案"},
                    {"Checked", true},
                    {"Enabled", false},
                    {"OnClick", "CheckBox1Click"}}})},
            {Kind<ui::TBitBtn>, "ButtonExit",
             Join({Place(224, 378, 87, 29),
                   {{"TabOrder", 13},
                    {"Caption", "&Q 離開"},
                    {"Glyph", ExitGlyph()},
                    {"NumGlyphs", 2},
                    {"Layout", ui::blGlyphLeft}},
                   MingFont(15),
                   {{"OnClick", "ButtonExitClick"}}})},
        }};
}

} // namespace

namespace transfer {

const ui::Layout& windowLayout(TransferDirection direction)
{
    static const ui::Layout restore = LayoutFor(ProfileOf(TransferDirection::Restore));
    static const ui::Layout backup = LayoutFor(ProfileOf(TransferDirection::Backup));
    return direction == TransferDirection::Restore ? restore : backup;
}

} // namespace transfer
