#include "transfer/CopyFile.h"

#include "database/Database.h"
#include "files/FileSystem.h"
#include "transfer/Extensions.h"
#include "transfer/FolderText.h"
#include "transfer/SettingsFile.h"
#include "ui/Application.h"
#include "ui/Bevel.h"
#include "ui/BitBtn.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Dialogs.h"
#include "ui/DirectoryListBox.h"
#include "ui/DriveComboBox.h"
#include "ui/FileListBox.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"
#include "ui/RadioGroup.h"
#include "ui/Screen.h"
#include "ui/ScrollBox.h"
#include "ui/StringList.h"

#include <cstdint>
#include <exception>
#include <optional>

TCopyFiles* CopyFiles = nullptr;

std::string StartFolder;
std::string SourceFolder;
std::string TargetFolder;
std::string RunSourceFolder;
std::string RunTargetFolder;
std::string ProgramFileName;
int SourceState = 0;
int TargetState = 0;

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

struct DirectionTexts
{
    const char* title;
    const char* copyCaption;
};

DirectionTexts TextsOf(TransferDirection direction)
{
    if (direction == TransferDirection::Restore)
        return {"鷺沅資訊檔案還原程式系統 - V3.05 版", "&C > 還原  >>>"};
    return {"鷺沅資訊檔案備份複製系統 - V3.05 版", "&C > 備份  >>>"};
}

ui::Layout LayoutFor(TransferDirection direction)
{
    const DirectionTexts texts = TextsOf(direction);
    return ui::Layout{
        {
            {"Name", "CopyFiles"},
            {"Caption", texts.title},
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
                   {{"TabOrder", 7}, {"Caption", texts.copyCaption}},
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

const ui::Layout& LayoutOf(TransferDirection direction)
{
    static const ui::Layout restore = LayoutFor(TransferDirection::Restore);
    static const ui::Layout backup = LayoutFor(TransferDirection::Backup);
    return direction == TransferDirection::Restore ? restore : backup;
}

} // namespace

TCopyFiles::TCopyFiles(ui::TComponent* owner, TransferDirection direction)
    : ui::TForm(owner), m_direction(direction)
{
    // The non-visual components exist, with their properties, before the
    // creation handler runs at the end of Load.
    Database1 = std::make_unique<database::TDatabase>();
    Database1->SetDatabaseName("tarn");
    Database1->SetDriverName("STANDARD");
    Database1->SetSessionName("Default");
    Table1 = std::make_unique<database::TTable>();
    Table1->SetDatabaseName("TARN");
    Table1->SetTableName("param.db");
    TblPath = std::make_unique<database::TTable>();
    TblPath->SetDatabaseName("tarn");
    TblPath->SetTableName("BakPath");
    // A table none of the registered passwords opens asks the user.
    database::Session().SetPasswordPrompt([](const std::string& tableName) -> std::optional<std::string> {
        std::string password;
        if (ui::PasswordDialog(tableName, password))
            return password;
        return std::nullopt;
    });

    Load(LayoutOf(direction),
         {
             {"FormActivate", this, &TCopyFiles::FormActivate},
             {"FormCreate", this, &TCopyFiles::FormCreate},
             {"FormDestroy", this, &TCopyFiles::FormDestroy},
             {"SourceDirectoryChange", this, &TCopyFiles::SourceDirectoryChange},
             {"DestinationDirectoryChange", this, &TCopyFiles::DestinationDirectoryChange},
             {"CopyFilesClick", this, &TCopyFiles::CopyFilesClick},
             {"ButtonMkDirClick", this, &TCopyFiles::ButtonMkDirClick},
             {"DeleteDirClick", this, &TCopyFiles::DeleteDirClick},
             {"CheckBox1Click", this, &TCopyFiles::CheckBox1Click},
             {"ButtonExitClick", this, &TCopyFiles::ButtonExitClick},
         },
         {
             {"Label1", Label1},
             {"Label2", Label2},
             {"SourcePath", SourcePath},
             {"DestinationPath", DestinationPath},
             {"Label4", Label4},
             {"Bevel1", Bevel1},
             {"FIleCount", FIleCount},
             {"FilesLength", FilesLength},
             {"Bevel2", Bevel2},
             {"FreeLabel", FreeLabel},
             {"CopyingFileLabel", CopyingFileLabel},
             {"CopyFiles", CopyFiles},
             {"SourceDirectory", SourceDirectory},
             {"DestinationDirectory", DestinationDirectory},
             {"SourceDrive", SourceDrive},
             {"DestinationDrive", DestinationDrive},
             {"SourceFiles", SourceFiles},
             {"DestinationFiles", DestinationFiles},
             {"IncludeExtBox", IncludeExtBox},
             {"WriteOpt", WriteOpt},
             {"ProgressBar", ProgressBar},
             {"ButtonMkDir", ButtonMkDir},
             {"DeleteDir", DeleteDir},
             {"CheckBox1", CheckBox1},
             {"ButtonExit", ButtonExit},
         });
}

TCopyFiles::~TCopyFiles() = default;

TransferDirection TCopyFiles::Direction() const
{
    return m_direction;
}

// ---- Creation, destruction, exit ----------------------------------------

void TCopyFiles::FormCreate(ui::TObject*)
{
    // First, before the drive selection below moves the current folder.
    StartFolder = files::currentFolder();

    // Without a drive C the window is still made whole; the error is shown
    // once the extension list exists.
    std::exception_ptr driveFailure;
    try {
        SourceDrive->SetDrive(DriveLetter("C:"));
        DestinationDrive->SetDrive(DriveLetter("C:"));
    } catch (...) {
        driveFailure = std::current_exception();
    }

    ExtList = std::make_unique<ui::TStringList>();
    ExtList->SetSorted(true);
    ExtList->SetDuplicates(ui::dupIgnore);

    RebuildExtensions();

    if (driveFailure)
        ui::Application->HandleException(driveFailure);
}

void TCopyFiles::FormDestroy(ui::TObject*)
{
    ExtList.reset();
}

void TCopyFiles::ButtonExitClick(ui::TObject*)
{
    Close();
}

void TCopyFiles::SourceDirectoryChange(ui::TObject*) {}

void TCopyFiles::DestinationDirectoryChange(ui::TObject*) {}

// ---- Activation and database set-up -------------------------------------

namespace {

constexpr const char* InfoCaption = "資訊";
constexpr const char* TestDatabasePath = "E:\\test\\TEST-BOM2";
constexpr const char* DataFolderKey = "5-BAKS";
constexpr const char* BackupFolderKey = "5-BAKD";

// The suite's table passwords, registered in this order.
constexpr const char* TablePasswords[] = {
    "604217",    "qzwrt402617", "mvb417306", "kdr528149", "wgl639275", "hjoy702318", "fxeu813046",
    "nyc924157", "tzq135860",   "ubx246971", "739582",    "rme357028", "jkw468139",
};

struct ActivationTexts
{
    const char* targetRowMissing;
    const char* sourceMissing;
    const char* sameFolders;
};

ActivationTexts ActivationTextsOf(TransferDirection direction)
{
    if (direction == TransferDirection::Restore)
        return {"找不到「還原目的資料夾」路徑設定參數!", "找不到「來源資料夾」!\r\n請重新設定參數表內之路徑!",
                "「來源資料夾」與「目的資料夾」相同,不可還原!\r\n請重新設定參數表內之路徑!"};
    return {"找不到「備份目的資料夾」路徑設定參數!", "找不到「來源資料夾」路徑!\r\n請重新設定參數表內之路徑!",
            "「來源資料夾」與「目的資料夾」相同,不可備份!\r\n請重新設定參數表內之路徑!"};
}

void ShowInfo(const std::string& text)
{
    ui::MessageBox(text, InfoCaption, ui::MB_OK);
}

// The file name of a host path, without its folder.
std::string FileNameOf(const std::string& hostPath)
{
    const std::size_t slash = hostPath.find_last_of('/');
    return slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
}

} // namespace

void TCopyFiles::FormActivate(ui::TObject*)
{
    const ActivationTexts texts = ActivationTextsOf(m_direction);
    const bool backup = m_direction == TransferDirection::Backup;

    files::setCurrentFolder(StartFolder);
    if (!backup)
        ProgramFileName = FileNameOf(ui::Application->ExeName());
    SourceState = 0;
    TargetState = 0;

    Database1->Close();
    Database1->Params().clear();

    // The database folder: the test path, the start folder itself, or the
    // folder the settings file names.
    std::string netFileDir;
    if (files::fileExists("check.txt")) {
        Database1->Params().push_back(std::string("PATH=") + TestDatabasePath);
    } else if (files::fileExists("Inst.Db")) {
        netFileDir = files::currentFolder();
    } else {
        const std::string settings = files::joinName(files::currentFolder(), "Tarn.ini");
        if (!files::fileExists(settings)) {
            ui::Beep();
            ShowInfo("本程式無法單獨使用!!\r\n請配合本公司軟體方可執行!\r\n\r\n或 請檢查 Tarn.ini "
                     "中網路路徑設定是否正確!");
            Close();
            return;
        }
        const std::string folder = transfer::readDatabaseFolder(settings);
        if (!files::fileExists(folder + "\\inst.DB")) {
            ui::Beep();
            ShowInfo("找不到網路磁碟機上之檔案，請確定路徑是否正確！");
            Close();
            return;
        }
        Database1->Params().push_back("PATH=" + folder + "\\");
        netFileDir = folder + "\\";
    }

    Database1->Open();
    if (backup)
        database::Session().SetNetFileDir(netFileDir);
    for (const char* password : TablePasswords)
        database::Session().AddPassword(password);

    const char* sourceKey = backup ? DataFolderKey : BackupFolderKey;
    const char* targetKey = backup ? BackupFolderKey : DataFolderKey;
    Table1->Open();
    if (!Table1->FindKey(sourceKey)) {
        ui::Beep();
        Table1->Close();
        ShowInfo("找不到「來源資料夾」路徑設定參數!");
        SourceFolder = "C:\\";
        return;
    }
    SourceFolder = Table1->FieldByName("Value").AsString();
    if (!Table1->FindKey(targetKey)) {
        ui::Beep();
        Table1->Close();
        ShowInfo(texts.targetRowMissing);
        TargetFolder = "C:\\";
        return;
    }
    TargetFolder = Table1->FieldByName("Value").AsString();
    Table1->Close();

    if (!files::directoryExists(SourceFolder)) {
        ShowInfo(texts.sourceMissing);
        Close();
        return;
    }
    // Exact comparison: letter case and a trailing "\" count.
    if (SourceFolder == TargetFolder) {
        ShowInfo(texts.sameFolders);
        Close();
        return;
    }
    // A target that still does not exist afterwards is left to the refresh.
    if (!files::directoryExists(TargetFolder))
        files::forceDirectories(TargetFolder);

    SourceDrive->SetDrive(DriveLetter(SourceFolder));
    DestinationDrive->SetDrive(DriveLetter(TargetFolder));
    RefreshPaths();

    const std::string current = files::currentFolder();
    FreeLabel->SetCaption(transfer::freeSpaceCaption(current.empty() ? -1 : files::diskFree(current[0])));
}

// ---- Source and target views --------------------------------------------

char TCopyFiles::DriveLetter(const std::string& path) const
{
    return transfer::driveLetterOf(path);
}

void TCopyFiles::RefreshPaths()
{
    // Both letters come from the folder texts as they stand now.
    SourceDrive->SetDrive(DriveLetter(SourceFolder));
    DestinationDrive->SetDrive(DriveLetter(TargetFolder));

    if (SourceState == 0 && !files::directoryExists(SourceFolder))
        SourceFolder = transfer::firstCp950Bytes(SourceFolder, 3);
    // The drive-root step makes the list move, and so re-read, even when it
    // already shows the folder.
    SourceDirectory->SetDirectory(transfer::firstCp950Bytes(SourceFolder, 3));
    SourceDirectory->SetDirectory(SourceFolder);
    SourcePath->SetCaption(SourceFolder);

    RebuildExtensions();

    if (TargetState == 0 && !files::directoryExists(TargetFolder))
        TargetFolder = transfer::firstCp950Bytes(TargetFolder, 3);
    if (m_direction == TransferDirection::Restore) {
        DestinationDirectory->SetDirectory(transfer::firstCp950Bytes(TargetFolder, 3));
        if (TargetState == 2)
            TargetFolder = RunTargetFolder;
        DestinationDirectory->SetDirectory(TargetFolder);
    } else {
        if (TargetState == 2)
            TargetFolder = RunTargetFolder;
        DestinationDirectory->SetDirectory(TargetFolder);
    }
    DestinationPath->SetCaption(TargetFolder);
}

// ---- Extension filter and file counts -----------------------------------

void TCopyFiles::RebuildExtensions()
{
    // The scroll box is shown again and the counts renewed however the scan ends.
    try {
        ScanExtensions();
    } catch (...) {
        IncludeExtBox->Show();
        UpdateMask();
        throw;
    }
    IncludeExtBox->Show();
    UpdateMask();
}

void TCopyFiles::ScanExtensions()
{
    IncludeExtBox->Hide();
    while (IncludeExtBox->ControlCount() > 0) {
        ui::TControl* box = IncludeExtBox->Controls(0);
        box->SetParent(nullptr);
        box->Free();
    }
    ExtList->Clear();

    const std::string pattern = files::joinName(SourceDirectory->Directory(), "*.*");
    constexpr int EveryFile = files::ReadOnly | files::Hidden | files::SysFile | files::Archive;
    files::FolderSearch search;
    files::SearchRec entry;
    if (search.findFirst(pattern, EveryFile, entry) == 0) {
        do {
            const std::string extension = transfer::extensionBoxText(entry.name);
            if (!extension.empty())
                ExtList->Add(extension);
        } while (search.findNext(entry) == 0);
        search.close();
    }

    ui::TCheckBox* last = nullptr;
    for (int i = 0; i < ExtList->Count(); ++i) {
        auto* box = new ui::TCheckBox(IncludeExtBox);
        box->SetParent(IncludeExtBox);
        box->SetWidth(50);
        box->SetHeight(17);
        box->SetTop(4 + i * box->Height());
        box->SetLeft(4);
        box->SetCaption(ExtList->Get(i));
        box->SetChecked(true);
        ui::TFont font = box->Font();
        font.Name = "Times New Roman";
        font.SetSize(8);
        box->SetFont(font);
        box->OnClick = [this](ui::TObject* sender) { ExtClick(sender); };
        last = box;
    }
    if (last != nullptr)
        IncludeExtBox->ScrollInView(last);
}

void TCopyFiles::UpdateMask()
{
    ui::Screen->SetCursor(ui::crHourGlass);

    std::string mask;
    for (int i = 0; i < IncludeExtBox->ControlCount(); ++i) {
        auto* box = dynamic_cast<ui::TCheckBox*>(IncludeExtBox->Controls(i));
        if (box != nullptr && box->Checked())
            mask += "*." + box->Caption() + ";";
    }
    SourceFiles->SetMask(mask);
    if (CheckBox1->Checked())
        SourceFiles->SetMask("*.*");

    const ui::TStrings& items = SourceFiles->Items();
    FIleCount->SetCaption(transfer::fileCountCaption(items.Count()));

    // Sizes are summed in 64 bits: totals of 2 GiB and more, and files of
    // 4 GiB and more, show their real size.
    std::int64_t total = 0;
    for (int i = 0; i < items.Count(); ++i) {
        files::FolderSearch search;
        files::SearchRec entry;
        if (search.findFirst(items.Get(i), files::AnyFile, entry) == 0) {
            total += entry.size;
            search.close();
        }
    }
    FilesLength->SetCaption(transfer::filesLengthCaption(total));

    ui::Screen->SetCursor(ui::crDefault);
}

void TCopyFiles::ExtClick(ui::TObject*)
{
    CheckBox1->SetChecked(false);
    UpdateMask();
}

void TCopyFiles::CheckBox1Click(ui::TObject*)
{
    UpdateMask();
}
