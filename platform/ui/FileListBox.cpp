#include "ui/FileListBox.h"

#include "files/FileSystem.h"
#include "ui/FileNameOrder.h"
#include "ui/Layout.h"
#include "ui/ViewsPrivate.h"

namespace ui {

struct TFileListBox::State
{
    QListView* view = nullptr;
    QStringListModel* model = nullptr;
    detail::RowDelegate* delegate = nullptr;
    std::unique_ptr<detail::ViewItems> items;
    std::string directory;
    std::string mask = "*.*";
    int itemHeight = 13;
    bool integralHeight = false;
    int requestedHeight = 0; // the height asked for, before the cut to whole items
};

TFileListBox::TFileListBox(TComponent* owner)
    : TWinControl(owner, detail::NewListView()), m_state(std::make_unique<State>())
{
    m_state->view = static_cast<QListView*>(Widget());
    m_state->model = detail::ModelOf(m_state->view);
    m_state->delegate = detail::DelegateOf(m_state->view);
    m_state->delegate->SetRowHeight(m_state->itemHeight);
    m_state->items = std::make_unique<detail::ViewItems>(m_state->model);
    m_state->directory = files::currentFolder();
    m_state->requestedHeight = Height();
}

TFileListBox::~TFileListBox() = default;

std::string TFileListBox::Directory() const
{
    return m_state->directory;
}

void TFileListBox::SetDirectory(const std::string& directory)
{
    if (detail::SameFileName(directory, m_state->directory))
        return;
    files::setCurrentFolder(directory);
    m_state->directory = files::currentFolder();
    if (WindowExists())
        ReadFileNames();
}

std::string TFileListBox::Mask() const
{
    return m_state->mask;
}

void TFileListBox::SetMask(const std::string& mask)
{
    if (mask == m_state->mask)
        return;
    m_state->mask = mask;
    if (WindowExists())
        ReadFileNames();
}

void TFileListBox::Update()
{
    if (WindowExists())
        ReadFileNames();
    TWinControl::Update();
}

bool TFileListBox::WindowExists() const
{
    return Parent() != nullptr;
}

void TFileListBox::ReadFileNames()
{
    files::setCurrentFolder(m_state->directory);
    const FileMask mask(m_state->mask);
    detail::ListingCursor cursor;
    std::vector<std::string> names;
    files::FolderSearch search;
    files::SearchRec rec;
    // Hidden, system, volume and folder entries stay out of the search.
    for (int result = search.findFirst(files::joinName(m_state->directory, "*.*"),
                                       files::ReadOnly | files::Archive, rec);
         result == files::NoError; result = search.findNext(rec)) {
        if (mask.matches(rec.name)) {
            names.push_back(std::move(rec.name));
            cursor.Placed(int(names.size()));
        }
    }
    search.close();
    sortFileNames(names);
    m_state->items->Replace(std::move(names));
}

const TStrings& TFileListBox::Items() const
{
    return *m_state->items;
}

int TFileListBox::ItemIndex() const
{
    return m_state->view->currentIndex().row();
}

void TFileListBox::SetItemIndex(int index)
{
    if (index < 0 || index >= m_state->items->Count()) {
        m_state->view->setCurrentIndex(QModelIndex());
        m_state->view->clearSelection();
        return;
    }
    m_state->view->setCurrentIndex(m_state->model->index(index));
}

int TFileListBox::ItemHeight() const
{
    return m_state->itemHeight;
}

void TFileListBox::SetItemHeight(int height)
{
    if (height <= 0 || height == m_state->itemHeight)
        return;
    m_state->itemHeight = height;
    m_state->delegate->SetRowHeight(height);
    m_state->view->reset();
    SetBounds(Left(), Top(), Width(), m_state->requestedHeight);
}

bool TFileListBox::IntegralHeight() const
{
    return m_state->integralHeight;
}

void TFileListBox::SetIntegralHeight(bool integral)
{
    if (integral == m_state->integralHeight)
        return;
    m_state->integralHeight = integral;
    SetBounds(Left(), Top(), Width(), m_state->requestedHeight);
}

void TFileListBox::SetParent(TWinControl* parent)
{
    const bool hadWindow = WindowExists();
    TWinControl::SetParent(parent);
    if (!hadWindow && WindowExists())
        ReadFileNames();
}

void TFileListBox::SetBounds(int left, int top, int width, int height)
{
    // A move keeps the height asked for last, not the height it was cut to.
    if (height != Height() || m_state->requestedHeight == 0)
        m_state->requestedHeight = height;
    else
        height = m_state->requestedHeight;
    if (m_state->integralHeight) {
        const int frame = 2 * m_state->view->frameWidth();
        const int rows = std::max(1, (height - frame) / m_state->itemHeight);
        height = rows * m_state->itemHeight + frame;
    }
    TWinControl::SetBounds(left, top, width, height);
}

bool TFileListBox::SetProperty(const std::string& name, const Value& value)
{
    if (name == "Mask") {
        SetMask(value.AsString());
        return true;
    }
    if (name == "ItemHeight") {
        SetItemHeight(value.AsInt());
        return true;
    }
    if (name == "IntegralHeight") {
        SetIntegralHeight(value.AsBool());
        return true;
    }
    return TWinControl::SetProperty(name, value);
}

std::string TFileListBox::ClassName() const
{
    return "TFileListBox";
}

void TFileListBox::ColorChanged()
{
    TWinControl::ColorChanged();
    detail::ShowBackground(m_state->view, Color());
}

} // namespace ui
