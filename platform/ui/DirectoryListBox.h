#pragma once

// The folder list: one line for each level from the drive's root down to its
// folder (that line selected), then the folder's subfolders in order, hidden
// and system folders left out. Entering a folder makes it the process's
// current folder, hands it to the file list and shows it in the path label.

#include "ui/Control.h"
#include "ui/StringList.h"

#include <memory>

namespace ui {

class TDriveComboBox;
class TFileListBox;
class TLabel;

class TDirectoryListBox : public TWinControl
{
public:
    explicit TDirectoryListBox(TComponent* owner);
    ~TDirectoryListBox() override;

    // The folder shown, spelt as the file system reports the current folder.
    std::string Directory() const;
    // Nothing for an empty text or the folder shown (letter case ignored).
    // Otherwise a folder on another drive first moves the drive selector, then
    // the list enters the folder. A folder that cannot be entered raises
    // files::InOutError; the list then keeps its folder and lines.
    void SetDirectory(const std::string& directory);
    // The drive of the folder shown, upper case.
    char Drive() const;

    TFileListBox* FileList() const;
    void SetFileList(TFileListBox* fileList);
    // The label that shows the folder, shortened to its width.
    TLabel* DirLabel() const;
    void SetDirLabel(TLabel* label);
    // The drive selector whose DirList this is.
    TDriveComboBox* DriveCombo() const;

    const TStrings& Items() const;
    int ItemIndex() const;
    int ItemHeight() const;
    void SetItemHeight(int height);

    // Runs after every folder the list enters.
    TNotifyEvent OnChange;

    bool SetProperty(const std::string& name, const Value& value) override;
    bool SetEvent(const std::string& name, TNotifyEvent handler) override;
    std::string ClassName() const override;

protected:
    void ColorChanged() override;

private:
    friend class TDriveComboBox;
    // The drive selector selected another drive.
    void DriveChanged(char drive);
    void SetDriveCombo(TDriveComboBox* combo);
    void Enter(const std::string& directory);
    void ReadLines();
    void ShowInLabel();

    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace ui
