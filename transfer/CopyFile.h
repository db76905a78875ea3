#pragma once

// The main window of both programs: source and target side by side, the
// extension filter, the counts and free space, the transfer run and the
// registered-subfolder actions. The transfer direction makes it the restore
// window or the backup window.

#include "transfer/DirectionProfile.h"
#include "ui/Form.h"

#include <memory>
#include <string>

namespace database {
class TDatabase;
class TTable;
} // namespace database

namespace ui {
class TBevel;
class TBitBtn;
class TButton;
class TCheckBox;
class TDirectoryListBox;
class TDriveComboBox;
class TFileListBox;
class TLabel;
class TProgressBar;
class TRadioGroup;
class TScrollBox;
class TStringList;
} // namespace ui

class TCopyFiles : public ui::TForm
{
public:
    // The direction is fixed here, before the window is first shown.
    TCopyFiles(ui::TComponent* owner, TransferDirection direction);
    ~TCopyFiles() override;

    TransferDirection Direction() const;
    // What the direction changes: texts, steps and branches.
    const DirectionProfile& Profile() const;

    ui::TLabel* Label1 = nullptr;
    ui::TLabel* Label2 = nullptr;
    ui::TLabel* SourcePath = nullptr;
    ui::TLabel* DestinationPath = nullptr;
    ui::TLabel* Label4 = nullptr;
    ui::TBevel* Bevel1 = nullptr;
    ui::TLabel* FIleCount = nullptr;
    ui::TLabel* FilesLength = nullptr;
    ui::TBevel* Bevel2 = nullptr;
    ui::TLabel* FreeLabel = nullptr;
    ui::TLabel* CopyingFileLabel = nullptr;
    ui::TButton* CopyFiles = nullptr;
    ui::TDirectoryListBox* SourceDirectory = nullptr;
    ui::TDirectoryListBox* DestinationDirectory = nullptr;
    ui::TDriveComboBox* SourceDrive = nullptr;
    ui::TDriveComboBox* DestinationDrive = nullptr;
    ui::TFileListBox* SourceFiles = nullptr;
    ui::TFileListBox* DestinationFiles = nullptr;
    ui::TScrollBox* IncludeExtBox = nullptr;
    ui::TRadioGroup* WriteOpt = nullptr;
    ui::TProgressBar* ProgressBar = nullptr;
    ui::TButton* ButtonMkDir = nullptr;
    ui::TButton* DeleteDir = nullptr;
    ui::TCheckBox* CheckBox1 = nullptr;
    ui::TBitBtn* ButtonExit = nullptr;
    // The non-visual components, destroyed with the window.
    std::unique_ptr<database::TDatabase> Database1;
    std::unique_ptr<database::TTable> Table1;
    std::unique_ptr<database::TTable> TblPath;

    void FormActivate(ui::TObject* sender);
    void FormCreate(ui::TObject* sender);
    void FormDestroy(ui::TObject* sender);
    void SourceDirectoryChange(ui::TObject* sender);
    void DestinationDirectoryChange(ui::TObject* sender);
    void CopyFilesClick(ui::TObject* sender);
    void ButtonMkDirClick(ui::TObject* sender);
    void DeleteDirClick(ui::TObject* sender);
    void CheckBox1Click(ui::TObject* sender);
    void ButtonExitClick(ui::TObject* sender);

protected:
    // Protected rather than private so that tests can reach them through a
    // class of their own.
    void RefreshPaths();
    char DriveLetter(const std::string& path) const;
    void RebuildExtensions();
    void UpdateMask();
    void ExtClick(ui::TObject* sender);

private:
    void ScanExtensions();

    const TransferDirection m_direction;
    std::unique_ptr<ui::TStringList> ExtList;
};

// The window, created once at start-up.
extern TCopyFiles* CopyFiles;

// State shared by the window's operations; empty and 0 when the program starts.
extern std::string StartFolder;     // the working folder when the window was created
extern std::string SourceFolder;    // the source folder of the transfer direction
extern std::string TargetFolder;    // the target folder of the transfer direction
extern std::string RunSourceFolder; // the source list's folder when a run began its first pass
extern std::string RunTargetFolder; // the target list's folder at the same moment
extern std::string ProgramFileName; // the program's own file name (restore direction)
// 0: as activation read the folders, a missing one falls back to its drive
// root; 2: a run has ended since, the target side returns to RunTargetFolder.
extern int SourceState;
extern int TargetState;
