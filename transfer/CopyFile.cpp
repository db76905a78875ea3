// The transfer window itself: its components, its state, creation,
// destruction and the exit button. Its operations live beside it, one file
// each: activation, the views, the extension filter and counts, the run and
// the subfolder actions.

#include "transfer/CopyFile.h"

#include "database/Database.h"
#include "files/FileSystem.h"
#include "transfer/WindowLayout.h"
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
#include "ui/ScrollBox.h"
#include "ui/StringList.h"

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

    Load(transfer::windowLayout(direction),
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

const DirectionProfile& TCopyFiles::Profile() const
{
    return ProfileOf(m_direction);
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
