#pragma once

// The file list: the names of its folder's files that match its mask,
// sorted as the user's locale sorts file names, case ignored; hidden and
// system files and folders are not listed. At most one name is selected.
//
// The list reads its folder only while its window exists, that is while it
// has a parent: it reads when it gets one, and again on every change of
// folder or mask and on Update().

#include "ui/Control.h"
#include "ui/StringList.h"

#include <memory>

namespace ui {

class TDirectoryListBox;

class TFileListBox : public TWinControl
{
public:
    explicit TFileListBox(TComponent* owner);
    ~TFileListBox() override;

    std::string Directory() const;
    // Nothing for the folder it shows (letter case ignored). Otherwise it
    // makes the folder current (files::InOutError when it cannot) and reads it.
    void SetDirectory(const std::string& directory);
    // "*.*" at first; parts separated by ";". Nothing when the text is the
    // same, letter case included; otherwise the list reads its folder again.
    std::string Mask() const;
    void SetMask(const std::string& mask);

    // Reads the folder again (makes it current first).
    void Update();

    const TStrings& Items() const;
    int ItemIndex() const;
    void SetItemIndex(int index);
    int ItemHeight() const;
    void SetItemHeight(int height);
    // The height is cut to whole items.
    bool IntegralHeight() const;
    void SetIntegralHeight(bool integral);

    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    bool SetProperty(const std::string& name, const Value& value) override;
    std::string ClassName() const override;

protected:
    void ColorChanged() override;

private:
    bool WindowExists() const;
    void ReadFileNames();

    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace ui
