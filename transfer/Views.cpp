// The source and target views: the drive selectors, folder lists and path
// labels pointed at the two folders.

#include "files/FileSystem.h"
#include "transfer/CopyFile.h"
#include "transfer/FolderText.h"
#include "ui/DirectoryListBox.h"
#include "ui/DriveComboBox.h"
#include "ui/Label.h"

void TCopyFiles::SourceDirectoryChange(ui::TObject*) {}

void TCopyFiles::DestinationDirectoryChange(ui::TObject*) {}

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
    // The drive root first, from the folder as activation or the cut above
    // left it, before a run's end puts the run's target back.
    if (Profile().targetViaDriveRoot)
        DestinationDirectory->SetDirectory(transfer::firstCp950Bytes(TargetFolder, 3));
    if (TargetState == 2)
        TargetFolder = RunTargetFolder;
    DestinationDirectory->SetDirectory(TargetFolder);
    DestinationPath->SetCaption(TargetFolder);
}
