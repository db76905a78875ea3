#pragma once

// A framed group of radio buttons, one per item; ItemIndex is the selected one.

#include "ui/Control.h"
#include "ui/StringList.h"

#include <memory>

namespace ui {

class TRadioGroup : public TWinControl
{
public:
    explicit TRadioGroup(TComponent* owner);
    ~TRadioGroup() override;

    TStrings& Items();
    // -1 when none is selected.
    int ItemIndex() const;
    void SetItemIndex(int index);
    int Columns() const;
    void SetColumns(int columns);

    bool SetProperty(const std::string& name, const Value& value) override;
    std::string ClassName() const override;

protected:
    std::string GetText() const override;
    void SetTextValue(const std::string& text) override;
    void FontChanged() override;
    void BoundsChanged() override;
    bool Focusable() const override;

private:
    class ItemList;
    friend class ItemList;
    void RebuildButtons();
    void ButtonChosen(int index);

    std::unique_ptr<ItemList> m_items;
    int m_itemIndex = -1;
    int m_columns = 1;
};

} // namespace ui
