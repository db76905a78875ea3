#pragma once

// A drop-down combo box: an editable text with a list that drops down. Its
// change handler runs when the user chooses an entry and on every edit of
// its text; Enter and Escape while the list is dropped only close the list.

#include "ui/Control.h"
#include "ui/StringList.h"

#include <memory>

namespace ui {

class TComboBox : public TWinControl
{
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    TStrings& Items();
    int ItemIndex() const;
    void SetItemIndex(int index);
    int DropDownCount() const;
    void SetDropDownCount(int count);
    bool DroppedDown() const;
    void SetDroppedDown(bool dropped);

    TNotifyEvent OnChange;

    bool SetProperty(const std::string& name, const Value& value) override;
    bool SetEvent(const std::string& name, TNotifyEvent handler) override;
    std::string ClassName() const override;

protected:
    std::string GetText() const override;
    void SetTextValue(const std::string& text) override;
    void ColorChanged() override;

private:
    class ItemList;
    std::unique_ptr<ItemList> m_items;
    bool m_settingText = false;
};

} // namespace ui
