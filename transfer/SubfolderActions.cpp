// The registered-subfolder actions of the transfer window: a new subfolder
// under the target, registered in BakPath, and the removal of one with its
// row.

#include "database/Database.h"
#include "dialogs/CreateNewDirs.h"
#include "dialogs/DeleteOldDirs.h"
#include "files/FileSystem.h"
#include "transfer/CopyFile.h"
#include "transfer/FolderText.h"
#include "ui/ComboBox.h"
#include "ui/Dialogs.h"
#include "ui/DirectoryListBox.h"
#include "ui/Edit.h"
#include "ui/StringList.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

// The delete action offers at most this many registered names.
constexpr int NameListCapacity = 100;

} // namespace

void TCopyFiles::ButtonMkDirClick(ui::TObject*)
{
    if (CreateNewDirDlg->ShowModal() != ui::mrOk)
        return;

    const std::string name = CreateNewDirDlg->NewDir->Text();
    const std::string path = files::joinName(DestinationDirectory->Directory(), name);

    // A name that would lead out of the target folder is neither registered
    // nor made; it fails as a folder that cannot be created. The empty name
    // stands for the target folder itself.
    const bool allowed = name.empty() || transfer::usableSubfolderName(name);
    if (!name.empty() && allowed) {
        database::OpenTable open(*TblPath);
        if (TblPath->FindKey(name))
            TblPath->Edit();
        else
            TblPath->Append();
        TblPath->FieldByName("PathName").SetAsString(name);
        TblPath->Post();
    }

    // One level only: a name whose parent is missing fails like any other.
    if (!allowed || !files::createDir(path)) {
        ui::MessageDlg("無法建立資料夾! \r\n" + path, ui::mtError, ui::mbOK);
        return;
    }
    RefreshPaths();
}

void TCopyFiles::DeleteDirClick(ui::TObject*)
{
    std::array<std::string, NameListCapacity> names;
    int rows = 0;
    {
        database::OpenTable open(*TblPath);
        rows = TblPath->RecordCount();
        int read = 0;
        TblPath->First();
        // Rows beyond the list's room are neither read nor offered.
        while (!TblPath->Eof() && read < NameListCapacity) {
            names[read++] = TblPath->FieldByName("PathName").AsString();
            TblPath->Next();
        }
    }

    ui::TComboBox* combo = DeleteOldDirDlg->ComboBox1;
    combo->Items().Clear();
    for (int i = 0; i < std::min(rows, NameListCapacity); ++i)
        combo->Items().Add(names[i]);
    combo->SetText(names[0]);

    if (DeleteOldDirDlg->ShowModal() != ui::mrOk)
        return;

    const std::string name = DeleteOldDirDlg->OldDir->Text();
    const std::string targetPath = files::joinName(DestinationDirectory->Directory(), name);
    const std::string sourcePath = files::joinName(SourceDirectory->Directory(), name);

    if (ui::MessageDlg("是否確定刪除資料夾?\r\n " + targetPath, ui::mtConfirmation, ui::mbYes | ui::mbNo) !=
        ui::mrYes)
        return;

    // A name that would lead out of the top folders looks at nothing and
    // removes nothing there, so that its row can still be cleared. The empty
    // name stands for the top folders themselves.
    const bool allowed = name.empty() || transfer::usableSubfolderName(name);

    // A folder the source still holds would come back with the next run.
    if (allowed && files::directoryExists(sourcePath)) {
        if (Profile().deleteRefusal == RefusalForm::PlainMessage)
            ui::ShowMessage("不可刪除!");
        else
            ui::MessageBox("不可刪除!", "資訊", ui::MB_OK);
        return;
    }

    // Only an empty folder goes; a failure is not reported, and the name is
    // unregistered all the same.
    if (allowed && files::removeDir(targetPath))
        RefreshPaths();

    database::OpenTable open(*TblPath);
    if (TblPath->FindKey(name))
        TblPath->Delete();
}
