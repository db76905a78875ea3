#pragma once

// The drive selector: the machine's drives A to Z, each by its letter, one
// of them selected. Selecting another drive moves the bound folder list to
// that drive's current folder.

#include "ui/Control.h"
#include "ui/StringList.h"

#include <memory>

namespace ui {

class TDirectoryListBox;

enum TTextCase : int
{
    tcLowerCase,
    tcUpperCase,
};

class TDriveComboBox : public TWinControl
{
public:
    explicit TDriveComboBox(TComponent* owner);
    ~TDriveComboBox() override;

    // The selected drive's letter, in the case TextCase gives.
    char Drive() const;
    // Nothing when the drive is the one shown. Otherwise the folder list goes
    // to the new drive's current folder; when it cannot, files::InOutError is
    // raised and the selector keeps its drive.
    void SetDrive(char drive);

    TDirectoryListBox* DirList() const;
    void SetDirList(TDirectoryListBox* dirList);

    TTextCase TextCase() const;
    void SetTextCase(TTextCase textCase);

    // The entries: "C:", one for each drive.
    const TStrings& Items() const;
    int ItemIndex() const;

    bool SetProperty(const std::string& name, const Value& value) override;
    std::string ClassName() const override;

protected:
    void ColorChanged() override;

private:
    friend class TDirectoryListBox;
    // The folder list moved to another drive: show it, move nothing back.
    void ShowDrive(char drive);

    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace ui
