#include "ui/RadioGroup.h"

#include "ui/Application.h"
#include "ui/Layout.h"
#include "ui/QtSupport.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QRadioButton>
#include <stdexcept>

namespace ui {

namespace {

QGroupBox* Group(const TRadioGroup& group)
{
    return static_cast<QGroupBox*>(group.Widget());
}

std::vector<QRadioButton*> Buttons(const TRadioGroup& group)
{
    const auto list = Group(group)->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    return std::vector<QRadioButton*>(list.begin(), list.end());
}

} // namespace

class TRadioGroup::ItemList : public TStrings
{
public:
    explicit ItemList(TRadioGroup& group) : m_group(group) {}

    int Count() const override
    {
        return static_cast<int>(m_items.size());
    }

    std::string Get(int index) const override
    {
        if (index < 0 || index >= Count())
            throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
        return m_items[static_cast<std::size_t>(index)];
    }

    int Add(const std::string& s) override
    {
        m_items.push_back(s);
        m_group.RebuildButtons();
        return Count() - 1;
    }

    void Clear() override
    {
        m_items.clear();
        m_group.m_itemIndex = -1;
        m_group.RebuildButtons();
    }

    void Delete(int index) override
    {
        m_items.erase(m_items.begin() + index);
        if (m_group.m_itemIndex >= Count())
            m_group.m_itemIndex = -1;
        m_group.RebuildButtons();
    }

private:
    TRadioGroup& m_group;
    std::vector<std::string> m_items;
};

TRadioGroup::TRadioGroup(TComponent* owner)
    : TWinControl(owner, new QGroupBox), m_items(std::make_unique<ItemList>(*this))
{
}

TRadioGroup::~TRadioGroup() = default;

std::string TRadioGroup::ClassName() const
{
    return "TRadioGroup";
}

TStrings& TRadioGroup::Items()
{
    return *m_items;
}

int TRadioGroup::ItemIndex() const
{
    return m_itemIndex;
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index < -1 || index >= m_items->Count())
        index = -1;
    m_itemIndex = index;
    const auto buttons = Buttons(*this);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->setAutoExclusive(false);
        buttons[i]->setChecked(static_cast<int>(i) == index);
        buttons[i]->setAutoExclusive(true);
    }
    if (index >= 0)
        Group(*this)->setFocusProxy(buttons[static_cast<std::size_t>(index)]);
}

int TRadioGroup::Columns() const
{
    return m_columns;
}

void TRadioGroup::SetColumns(int columns)
{
    m_columns = std::max(1, columns);
    BoundsChanged();
}

void TRadioGroup::ButtonChosen(int index)
{
    if (index == m_itemIndex)
        return;
    m_itemIndex = index;
    Group(*this)->setFocusProxy(Buttons(*this)[static_cast<std::size_t>(index)]);
    Click();
}

void TRadioGroup::RebuildButtons()
{
    QGroupBox* group = Group(*this);
    group->setFocusProxy(nullptr);
    for (QRadioButton* b : Buttons(*this))
        delete b;
    for (int i = 0; i < m_items->Count(); ++i) {
        auto* button = new QRadioButton(ToQString(m_items->Get(i)), group);
        button->setFocusPolicy(Qt::StrongFocus);
        QObject::connect(button, &QRadioButton::toggled, button, [this, i](bool checked) {
            if (checked && TControl::FromWidget(Widget()))
                ButtonChosen(i);
        });
        button->show();
    }
    SetItemIndex(m_itemIndex);
    BoundsChanged();
}

void TRadioGroup::BoundsChanged()
{
    // The classic arrangement: columns of equal width, rows sharing the
    // height below the caption.
    const auto buttons = Buttons(*this);
    if (buttons.empty())
        return;
    const int count = static_cast<int>(buttons.size());
    const int perColumn = (count + m_columns - 1) / m_columns;
    const int buttonWidth = (Width() - 10) / m_columns;
    const int textHeight = QFontMetrics(ToQFont(Font())).height();
    const int space = Height() - textHeight - 5;
    const int buttonHeight = space / perColumn;
    const int topMargin = textHeight + 1 + (space % perColumn) / 2;
    for (int i = 0; i < count; ++i)
        buttons[static_cast<std::size_t>(i)]->setGeometry((i / perColumn) * buttonWidth + 8,
                                                          (i % perColumn) * buttonHeight + topMargin,
                                                          buttonWidth, buttonHeight);
}

bool TRadioGroup::Focusable() const
{
    return true;
}

std::string TRadioGroup::GetText() const
{
    return FromQString(Group(*this)->title());
}

void TRadioGroup::SetTextValue(const std::string& text)
{
    Group(*this)->setTitle(ToQString(text));
}

void TRadioGroup::FontChanged()
{
    TWinControl::FontChanged();
    BoundsChanged();
}

bool TRadioGroup::SetProperty(const std::string& name, const Value& value)
{
    if (name == "Items")
        m_items->Assign(value.AsStrings());
    else if (name == "ItemIndex")
        SetItemIndex(value.AsInt());
    else if (name == "Columns")
        SetColumns(value.AsInt());
    else
        return TWinControl::SetProperty(name, value);
    return true;
}

} // namespace ui
