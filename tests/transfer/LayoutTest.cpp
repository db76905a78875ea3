// The transfer window as it is created: its layout in either direction, the
// state creation leaves, and creation away from drive C or without it.

#include "Window.h"
#include "files/FileSystem.h"
#include "ui/Bevel.h"
#include "ui/BitBtn.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/DirectoryListBox.h"
#include "ui/DriveComboBox.h"
#include "ui/FileListBox.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"
#include "ui/RadioGroup.h"
#include "ui/ScrollBox.h"

#include <gtest/gtest.h>

using namespace transfertest;

namespace {

constexpr int AutoSized = -1; // a label sized to its text: no fixed size to check
constexpr int NoFocus = -1;

struct Row
{
    const char* name;
    const char* kind;
    int left, top, width, height;
    int tab;
    const char* text;
    const char* hint;
    bool enabled;
};

// Creation order, places, focus order, texts, hints and enabled states.
const Row Rows[] = {
    {"Label1", "TLabel", 7, 5, AutoSized, AutoSized, NoFocus, "來源:", "", true},
    {"Label2", "TLabel", 317, 3, AutoSized, AutoSized, NoFocus, "目的 :", "", true},
    {"SourcePath", "TLabel", 8, 44, 205, 16, NoFocus, nullptr, "", true},
    {"DestinationPath", "TLabel", 317, 42, 200, 16, NoFocus, nullptr, "", true},
    {"Label4", "TLabel", 222, 44, AutoSized, AutoSized, NoFocus, "篩選副檔名 :", "", true},
    {"Bevel1", "TBevel", 6, 312, 209, 49, NoFocus, "", "", true},
    {"FIleCount", "TLabel", 14, 320, AutoSized, AutoSized, NoFocus, nullptr, "要複製檔案總個數", true},
    {"FilesLength", "TLabel", 14, 341, AutoSized, AutoSized, NoFocus, nullptr, "要複製檔案總大小", true},
    {"Bevel2", "TBevel", 318, 381, 209, 26, NoFocus, "", "", true},
    {"FreeLabel", "TLabel", 323, 388, AutoSized, AutoSized, NoFocus, "剩餘容量 : 0", "目的資料夾磁碟剩餘空間",
     true},
    {"CopyingFileLabel", "TLabel", 7, 366, AutoSized, AutoSized, NoFocus, "", "File being currently copied",
     true},
    {"CopyFiles", "TButton", 223, 285, 88, 29, 7, nullptr, "拷貝所選擇檔案至目的地", true},
    {"SourceDirectory", "TDirectoryListBox", 7, 62, 208, 89, 1, nullptr, "選擇來源資料夾", false},
    {"DestinationDirectory", "TDirectoryListBox", 316, 60, 212, 91, 5, nullptr, "選擇目的資料夾", false},
    {"SourceDrive", "TDriveComboBox", 7, 22, 208, 19, 0, nullptr, "選擇來源磁碟機", false},
    {"DestinationDrive", "TDriveComboBox", 317, 20, 212, 19, 4, nullptr, "選擇目的磁碟機", false},
    {"SourceFiles", "TFileListBox", 6, 154, 209, AutoSized, 2, nullptr, "選擇要複製來源之檔案", true},
    {"DestinationFiles", "TFileListBox", 316, 154, 212, AutoSized, 6, nullptr, "目的資料夾之檔案", true},
    {"IncludeExtBox", "TScrollBox", 221, 62, 90, 217, 3, nullptr, "列出來源資料夾中所包含檔案之副檔名",
     false},
    {"WriteOpt", "TRadioGroup", 318, 316, 209, 59, 10, "  覆蓋檔案選項  ", "選擇覆蓋檔案方式", true},
    {"ProgressBar", "TProgressBar", 6, 382, 209, 25, 11, nullptr, "Copy progress", true},
    {"ButtonMkDir", "TButton", 223, 316, 88, 28, 8, "&M> 建立資料夾", "在目的資料夾建立新資料夾", true},
    {"DeleteDir", "TButton", 223, 346, 88, 29, 9, "&D> 刪除資料夾", "刪除已建立之目的資料夾", true},
    {"CheckBox1", "TCheckBox", 230, 22, 71, 17, 12, "所有檔案", "", false},
    {"ButtonExit", "TBitBtn", 224, 378, 87, 29, 13, "&Q 離開", "", true},
};

ui::TControl& ControlNamed(ui::TForm& form, const std::string& name)
{
    auto* control = dynamic_cast<ui::TControl*>(form.FindComponent(name));
    if (control == nullptr)
        throw std::logic_error("no control " + name);
    return *control;
}

class Layout : public ::testing::TestWithParam<TransferDirection>
{
protected:
    Drives drives{"CD"};
    WindowFixture fixture;
};

} // namespace

TEST_P(Layout, EveryControlInCreationOrder)
{
    Window& w = fixture.make(GetParam());
    const int count = static_cast<int>(std::size(Rows));
    ASSERT_GE(w.ComponentCount(), count);
    for (int i = 0; i < count; ++i) {
        const Row& row = Rows[i];
        SCOPED_TRACE(row.name);
        ASSERT_EQ(w.Components(i)->Name(), row.name);
        auto& control = ControlNamed(w, row.name);
        EXPECT_EQ(control.ClassName(), row.kind);
        EXPECT_EQ(control.Left(), row.left);
        EXPECT_EQ(control.Top(), row.top);
        if (row.width != AutoSized) {
            EXPECT_EQ(control.Width(), row.width);
        }
        if (row.height != AutoSized) {
            EXPECT_EQ(control.Height(), row.height);
        }
        if (row.tab != NoFocus) {
            EXPECT_EQ(control.TabOrder(), row.tab);
        }
        if (row.text != nullptr) {
            EXPECT_EQ(control.Caption(), row.text);
        }
        EXPECT_EQ(control.Hint(), row.hint);
        EXPECT_EQ(control.ShowHint(), std::string(row.hint) != "");
        EXPECT_EQ(control.Enabled(), row.enabled);
    }
}

TEST_P(Layout, WindowFontsAndColours)
{
    Window& w = fixture.make(GetParam());
    EXPECT_EQ(w.ClientWidth(), 535);
    EXPECT_EQ(w.ClientHeight(), 413);
    EXPECT_EQ(w.BorderStyle(), ui::bsDialog);
    EXPECT_EQ(w.Position(), ui::poScreenCenter);
    EXPECT_EQ(w.Color(), ui::clBtnFace);

    const ui::TFont windowFont{"新細明體", 13, 0, ui::clBlack};
    EXPECT_EQ(w.Font(), windowFont);
    const struct
    {
        const char* name;
        ui::TFont font;
    } fonts[] = {
        {"Label1", {"Times New Roman", 13, ui::fsBold, ui::clWindowText}},
        {"Label2", {"Times New Roman", 13, ui::fsBold, ui::clWindowText}},
        {"SourcePath", {"Times New Roman", 13, 0, ui::clWindowText}},
        {"FreeLabel", {"Times New Roman", 13, 0, ui::clWindowText}},
        {"CopyingFileLabel", windowFont},
        {"CopyFiles", windowFont},
        {"SourceDirectory", {"Times New Roman", 12, 0, ui::clWindowText}},
        {"DestinationFiles", {"Times New Roman", 12, 0, ui::clWindowText}},
        {"SourceDrive", windowFont},
        {"IncludeExtBox", windowFont},
        {"WriteOpt", windowFont},
        {"ButtonMkDir", {"新細明體", 12, 0, ui::clBlack}},
        {"DeleteDir", {"新細明體", 12, 0, ui::clBlack}},
        {"ButtonExit", {"新細明體", 15, 0, ui::clBlack}},
    };
    for (const auto& f : fonts)
        EXPECT_EQ(ControlNamed(w, f.name).Font(), f.font) << f.name;

    EXPECT_EQ(w.SourceDirectory->Color(), ui::clInfoBk);
    EXPECT_EQ(w.DestinationDirectory->Color(), ui::clInfoBk);
    EXPECT_EQ(w.SourceDrive->Color(), ui::clInfoBk);
    EXPECT_EQ(w.DestinationDrive->Color(), ui::clInfoBk);
    EXPECT_EQ(w.SourceFiles->Color(), ui::clWindow);
    EXPECT_EQ(w.DestinationFiles->Color(), ui::clInfoBk);
}

TEST_P(Layout, BindingsAndControlProperties)
{
    Window& w = fixture.make(GetParam());
    EXPECT_EQ(w.SourceDrive->DirList(), w.SourceDirectory);
    EXPECT_EQ(w.DestinationDrive->DirList(), w.DestinationDirectory);
    EXPECT_EQ(w.SourceDirectory->FileList(), w.SourceFiles);
    EXPECT_EQ(w.DestinationDirectory->FileList(), w.DestinationFiles);
    EXPECT_EQ(w.SourceDirectory->DirLabel(), w.SourcePath);
    EXPECT_EQ(w.DestinationDirectory->DirLabel(), w.DestinationPath);
    EXPECT_EQ(w.SourceDrive->TextCase(), ui::tcUpperCase);
    EXPECT_EQ(w.SourceDirectory->ItemHeight(), 16);
    EXPECT_EQ(w.SourceFiles->ItemHeight(), 15);
    EXPECT_TRUE(w.SourceFiles->IntegralHeight());
    EXPECT_FALSE(w.SourcePath->AutoSize());
    EXPECT_FALSE(w.DestinationPath->AutoSize());
    EXPECT_TRUE(w.FreeLabel->AutoSize());
    EXPECT_EQ(w.Bevel1->Style(), ui::bsRaised);
    EXPECT_EQ(w.Bevel2->Style(), ui::bsLowered);
    EXPECT_EQ(w.Bevel1->Shape(), ui::bsBox);
    EXPECT_EQ(w.WriteOpt->Items().ToVector(), (std::vector<std::string>{"總是覆蓋檔案", "詢問後覆蓋檔案"}));
    EXPECT_EQ(w.WriteOpt->Columns(), 1);
    EXPECT_EQ(w.ProgressBar->Min(), 0);
    EXPECT_EQ(w.ProgressBar->Max(), 100);
    EXPECT_EQ(w.ProgressBar->Step(), 1);
    EXPECT_EQ(w.ButtonExit->NumGlyphs(), 2);
    EXPECT_EQ(w.ButtonExit->Glyph().Width(), 36);
    EXPECT_EQ(w.ButtonExit->Glyph().Height(), 18);
    EXPECT_EQ(w.ButtonExit->Layout(), ui::blGlyphLeft);

    // Nothing the user could operate moves a view or the filter.
    for (ui::TControl* c :
         std::initializer_list<ui::TControl*>{w.SourceDrive, w.DestinationDrive, w.SourceDirectory,
                                              w.DestinationDirectory, w.IncludeExtBox, w.CheckBox1})
        EXPECT_FALSE(c->InputEnabled()) << c->Name();
}

TEST_P(Layout, RightAfterCreation)
{
    drives.file("C:\\one.txt", "x");
    Window& w = fixture.make(GetParam());
    EXPECT_EQ(w.FreeLabel->Caption(), "剩餘容量 : 0");
    EXPECT_EQ(w.CopyingFileLabel->Caption(), "");
    EXPECT_EQ(w.WriteOpt->ItemIndex(), 0);
    EXPECT_TRUE(w.CheckBox1->Checked());
    EXPECT_EQ(w.ProgressBar->Position(), 0);
    EXPECT_EQ(w.SourceFiles->Mask(), "*.*");
    // The counts ran during creation, over the folder the source list shows.
    EXPECT_EQ(w.FIleCount->Caption(), "選擇檔案數 :  1");
    EXPECT_EQ(w.FilesLength->Caption(), "總檔案大小 :  0 KB");
    EXPECT_EQ(extensionBoxes(w), std::vector<std::string>{"txt"});
    EXPECT_TRUE(fixture.script.Unexpected().empty());
}

INSTANTIATE_TEST_SUITE_P(BothDirections, Layout,
                         ::testing::Values(TransferDirection::Restore, TransferDirection::Backup),
                         transfertest::DirectionName);

TEST(LayoutDirection, TitleAndCopyButtonByDirection)
{
    Drives drives;
    std::vector<std::vector<std::string>> otherTexts;
    const struct
    {
        TransferDirection direction;
        const char* title;
        const char* copy;
    } cases[] = {
        {TransferDirection::Restore, "鷺沅資訊檔案還原程式系統 - V3.05 版", "&C > 還原  >>>"},
        {TransferDirection::Backup, "鷺沅資訊檔案備份複製系統 - V3.05 版", "&C > 備份  >>>"},
    };
    for (const auto& c : cases) {
        WindowFixture fixture;
        Window& w = fixture.make(c.direction);
        EXPECT_EQ(w.Direction(), c.direction);
        EXPECT_EQ(w.Name(), "CopyFiles");
        EXPECT_EQ(w.Caption(), c.title);
        EXPECT_EQ(w.CopyFiles->Caption(), c.copy);
        std::vector<std::string> texts;
        for (int i = 0; i < w.ComponentCount(); ++i) {
            auto* control = dynamic_cast<ui::TControl*>(w.Components(i));
            if (control == nullptr || control == w.CopyFiles)
                continue;
            texts.push_back(control->Name() + "|" + control->Caption() + "|" + control->Hint() + "|" +
                            std::to_string(control->Left()) + "," + std::to_string(control->Top()));
        }
        otherTexts.push_back(texts);
    }
    EXPECT_EQ(otherTexts[0], otherTexts[1]);
}

TEST(Creation, StartedOnDriveDMovesBothListsToDriveC)
{
    Drives drives{"CD"};
    drives.folder("C:\\WORK");
    drives.folder("D:\\SUITE");
    drives.file("C:\\WORK\\c.db");
    drives.file("D:\\SUITE\\d.txt");
    files::setCurrentFolder("C:\\WORK");
    files::setCurrentFolder("D:\\SUITE");
    WindowFixture fixture;
    Window& w = fixture.make(TransferDirection::Backup);
    EXPECT_EQ(StartFolder, "D:\\SUITE");
    EXPECT_EQ(w.SourceDrive->Drive(), 'C');
    EXPECT_EQ(w.DestinationDrive->Drive(), 'C');
    EXPECT_EQ(w.SourceDirectory->Directory(), "C:\\WORK");
    EXPECT_EQ(w.DestinationDirectory->Directory(), "C:\\WORK");
    EXPECT_EQ(files::currentFolder(), "C:\\WORK");
    EXPECT_EQ(extensionBoxes(w), std::vector<std::string>{"db"});
}

TEST(Creation, WithoutADriveCTheWindowIsStillMade)
{
    for (bool driveMissing : {true, false}) {
        SCOPED_TRACE(driveMissing ? "no drive C" : "drive C not ready");
        Drives drives{driveMissing ? "D" : "DC"};
        if (!driveMissing)
            drives.eject('C');
        drives.file("D:\\a.txt");
        WindowFixture fixture;
        fixture.script.Answer(ui::mrOk);
        Window& w = fixture.make(TransferDirection::Restore);
        EXPECT_EQ(StartFolder, "D:\\");
        ASSERT_EQ(fixture.shown(ui::ModalKind::ErrorBox).size(), 1u);
        EXPECT_EQ(w.SourceDirectory->Directory(), "D:\\");
        EXPECT_EQ(extensionBoxes(w), std::vector<std::string>{"txt"});
        EXPECT_EQ(w.FIleCount->Caption(), "選擇檔案數 :  1");
        EXPECT_TRUE(fixture.script.Unexpected().empty());
    }
}

TEST(Creation, ExitButtonClosesTheWindow)
{
    Drives drives;
    WindowFixture fixture;
    Window& w = fixture.make(TransferDirection::Backup);
    w.ButtonExit->PerformClick();
    EXPECT_FALSE(w.Visible());
    EXPECT_TRUE(fixture.application.Terminated());
    EXPECT_TRUE(fixture.script.Shown().empty());
}
