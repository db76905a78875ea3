#include "ui/ComboBox.h"

#include "ui/Application.h"
#include "ui/Layout.h"
#include "ui/QtSupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <stdexcept>

namespace ui {

namespace {

QComboBox* Combo(const TComboBox& box)
{
    return static_cast<QComboBox*>(box.Widget());
}

// Enter in a dropped list with no entry under the cursor still closes it.
class DroppedListKeys : public QObject
{
public:
    explicit DroppedListKeys(QComboBox* combo) : QObject(combo), m_combo(combo) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_combo->view()->currentIndex().isValid()) {
            m_combo->hidePopup();
            return true;
        }
        return false;
    }

private:
    QComboBox* m_combo;
};

} // namespace

// The entries; adding or removing them leaves the edit text alone, as the
// classic drop-down combo box does.
class TComboBox::ItemList : public TStrings
{
public:
    explicit ItemList(TComboBox& box) : m_box(box) {}

    int Count() const override
    {
        return Combo(m_box)->count();
    }

    std::string Get(int index) const override
    {
        if (index < 0 || index >= Count())
            throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
        return FromQString(Combo(m_box)->itemText(index));
    }

    int Add(const std::string& s) override
    {
        KeepText keep(m_box);
        Combo(m_box)->addItem(ToQString(s));
        return Count() - 1;
    }

    void Clear() override
    {
        KeepText keep(m_box);
        Combo(m_box)->clear();
    }

    void Delete(int index) override
    {
        KeepText keep(m_box);
        Combo(m_box)->removeItem(index);
    }

private:
    struct KeepText
    {
        explicit KeepText(TComboBox& box)
            : box(box), text(Combo(box)->currentText()), index(Combo(box)->currentIndex())
        {
            box.m_settingText = true;
        }
        ~KeepText()
        {
            QComboBox* combo = Combo(box);
            combo->setCurrentIndex(index < combo->count() ? index : -1);
            combo->setEditText(text);
            box.m_settingText = false;
        }
        TComboBox& box;
        QString text;
        int index;
    };

    TComboBox& m_box;
};

TComboBox::TComboBox(TComponent* owner)
    : TWinControl(owner, new QComboBox), m_items(std::make_unique<ItemList>(*this))
{
    QComboBox* combo = Combo(*this);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setMaxVisibleItems(8);
    combo->setDuplicatesEnabled(true);
    combo->view()->installEventFilter(new DroppedListKeys(combo));
    auto changed = [combo] {
        auto* self = static_cast<TComboBox*>(TControl::FromWidget(combo));
        if (self && !self->m_settingText)
            CallHandler(self->OnChange, self);
    };
    // Leaving the text field matches its text against the entries and reports
    // that as a choice; the user chose nothing, so the handler must not run.
    QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    QObject::connect(combo, &QComboBox::activated, combo, changed);
    QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo, changed);
    SetParentColor(false);
    SetColor(clWindow);
}

TComboBox::~TComboBox() = default;

std::string TComboBox::ClassName() const
{
    return "TComboBox";
}

TStrings& TComboBox::Items()
{
    return *m_items;
}

int TComboBox::ItemIndex() const
{
    QComboBox* combo = Combo(*this);
    const int index = combo->currentIndex();
    return index >= 0 && combo->itemText(index) == combo->currentText() ? index : -1;
}

void TComboBox::SetItemIndex(int index)
{
    m_settingText = true;
    Combo(*this)->setCurrentIndex(index);
    if (index < 0)
        Combo(*this)->setEditText(QString());
    m_settingText = false;
}

int TComboBox::DropDownCount() const
{
    return Combo(*this)->maxVisibleItems();
}

void TComboBox::SetDropDownCount(int count)
{
    Combo(*this)->setMaxVisibleItems(count);
}

bool TComboBox::DroppedDown() const
{
    return Combo(*this)->view()->isVisible();
}

void TComboBox::SetDroppedDown(bool dropped)
{
    if (dropped)
        Combo(*this)->showPopup();
    else
        Combo(*this)->hidePopup();
}

std::string TComboBox::GetText() const
{
    return FromQString(Combo(*this)->currentText());
}

void TComboBox::SetTextValue(const std::string& text)
{
    m_settingText = true;
    Combo(*this)->setEditText(ToQString(text));
    m_settingText = false;
}

void TComboBox::ColorChanged()
{
    QWidget* w = Widget();
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::Base, ToQColor(Color()));
    w->setPalette(p);
}

bool TComboBox::SetProperty(const std::string& name, const Value& value)
{
    if (name == "Items")
        m_items->Assign(value.AsStrings());
    else if (name == "ItemIndex")
        SetItemIndex(value.AsInt());
    else if (name == "DropDownCount")
        SetDropDownCount(value.AsInt());
    else
        return TWinControl::SetProperty(name, value);
    return true;
}

bool TComboBox::SetEvent(const std::string& name, TNotifyEvent handler)
{
    if (name == "OnChange") {
        OnChange = std::move(handler);
        return true;
    }
    return TWinControl::SetEvent(name, std::move(handler));
}

} // namespace ui
