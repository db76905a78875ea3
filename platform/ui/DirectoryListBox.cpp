#include "ui/DirectoryListBox.h"

#include "files/FileSystem.h"
#include "ui/DriveComboBox.h"
#include "ui/FileListBox.h"
#include "ui/FileNameOrder.h"
#include "ui/Label.h"
#include "ui/Layout.h"
#include "ui/PathLabel.h"
#include "ui/ViewsPrivate.h"

#include <QFontMetrics>

namespace ui {

struct TDirectoryListBox::State
{
    QListView* view = nullptr;
    QStringListModel* model = nullptr;
    detail::RowDelegate* delegate = nullptr;
    std::unique_ptr<detail::ViewItems> items;
    std::string directory;
    int ownLine = -1;
    int itemHeight = 16;
    detail::Binding<TFileListBox> fileList;
    detail::Binding<TLabel> dirLabel;
    detail::Binding<TDriveComboBox> driveCombo;
};

TDirectoryListBox::TDirectoryListBox(TComponent* owner)
    : TWinControl(owner, detail::NewListView()), m_state(std::make_unique<State>())
{
    m_state->view = static_cast<QListView*>(Widget());
    m_state->model = detail::ModelOf(m_state->view);
    m_state->delegate = detail::DelegateOf(m_state->view);
    m_state->delegate->SetRowHeight(m_state->itemHeight);
    m_state->items = std::make_unique<detail::ViewItems>(m_state->model);
    m_state->directory = files::currentFolder();
    ReadLines();
}

TDirectoryListBox::~TDirectoryListBox()
{
    if (TDriveComboBox* combo = m_state->driveCombo.get(); combo != nullptr && combo->DirList() == this)
        combo->SetDirList(nullptr);
}

std::string TDirectoryListBox::Directory() const
{
    return m_state->directory;
}

char TDirectoryListBox::Drive() const
{
    return detail::DriveOf(m_state->directory);
}

void TDirectoryListBox::SetDirectory(const std::string& directory)
{
    if (directory.empty() || detail::SameFileName(directory, m_state->directory))
        return;
    char drive = detail::DriveOf(directory);
    if (drive == 0)
        drive = detail::DriveOf(files::currentFolder());
    TDriveComboBox* combo = m_state->driveCombo.get();
    const char formerDrive = combo != nullptr ? combo->Drive() : 0;
    const bool movesCombo = combo != nullptr && drive != 0 && drive != Drive();
    if (movesCombo)
        combo->ShowDrive(drive);
    try {
        files::setCurrentFolder(directory);
    } catch (...) {
        if (movesCombo)
            combo->ShowDrive(formerDrive);
        throw;
    }
    Enter(files::currentFolder());
}

void TDirectoryListBox::DriveChanged(char drive)
{
    if (detail::UpperDrive(drive) == Drive())
        return;
    const std::string folder = files::currentFolderOf(drive);
    files::setCurrentFolder(folder.empty() ? std::string{drive, ':'} : folder);
    Enter(files::currentFolder());
}

// The folder is current already.
void TDirectoryListBox::Enter(const std::string& directory)
{
    m_state->directory = directory;
    ReadLines();
    if (TFileListBox* fileList = m_state->fileList.get())
        fileList->SetDirectory(directory);
    ShowInLabel();
    if (OnChange)
        OnChange(this);
}

void TDirectoryListBox::ReadLines()
{
    const std::string& directory = m_state->directory;
    std::vector<std::string> lines;
    std::vector<int> indents;
    // The levels: the root as "C:\", then one line per folder.
    std::size_t start = std::min<std::size_t>(3, directory.size());
    lines.push_back(directory.substr(0, start));
    while (start < directory.size()) {
        std::size_t end = directory.find('\\', start);
        if (end == std::string::npos)
            end = directory.size();
        if (end > start)
            lines.push_back(directory.substr(start, end - start));
        start = end + 1;
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        indents.push_back(int(i));
    indents.push_back(int(lines.size()));
    m_state->ownLine = int(lines.size()) - 1;

    std::vector<std::string> subfolders;
    files::FolderSearch search;
    files::SearchRec rec;
    for (int result = search.findFirst(files::joinName(directory, "*.*"), files::Directory, rec);
         result == files::NoError; result = search.findNext(rec)) {
        if ((rec.attr & files::Directory) != 0 && rec.name != "." && rec.name != "..")
            subfolders.push_back(rec.name);
    }
    search.close();
    sortFileNames(subfolders);
    lines.insert(lines.end(), std::make_move_iterator(subfolders.begin()),
                 std::make_move_iterator(subfolders.end()));

    m_state->delegate->SetIndents(std::move(indents));
    m_state->items->Replace(std::move(lines));
    const QModelIndex own = m_state->model->index(m_state->ownLine);
    m_state->view->setCurrentIndex(own);
    m_state->view->scrollTo(own);
}

void TDirectoryListBox::ShowInLabel()
{
    TLabel* label = m_state->dirLabel.get();
    if (label == nullptr)
        return;
    const QFontMetrics metrics(label->Widget()->font());
    label->SetCaption(
        minimizePath(m_state->directory, label->Widget()->width(), [&](const std::string& text) {
            return metrics.horizontalAdvance(QString::fromStdString(text));
        }));
}

TFileListBox* TDirectoryListBox::FileList() const
{
    return m_state->fileList.get();
}

void TDirectoryListBox::SetFileList(TFileListBox* fileList)
{
    m_state->fileList.set(fileList);
    if (fileList != nullptr)
        fileList->SetDirectory(m_state->directory);
}

TLabel* TDirectoryListBox::DirLabel() const
{
    return m_state->dirLabel.get();
}

void TDirectoryListBox::SetDirLabel(TLabel* label)
{
    m_state->dirLabel.set(label);
    ShowInLabel();
}

TDriveComboBox* TDirectoryListBox::DriveCombo() const
{
    return m_state->driveCombo.get();
}

void TDirectoryListBox::SetDriveCombo(TDriveComboBox* combo)
{
    m_state->driveCombo.set(combo);
}

const TStrings& TDirectoryListBox::Items() const
{
    return *m_state->items;
}

int TDirectoryListBox::ItemIndex() const
{
    return m_state->view->currentIndex().row();
}

int TDirectoryListBox::ItemHeight() const
{
    return m_state->itemHeight;
}

void TDirectoryListBox::SetItemHeight(int height)
{
    if (height <= 0)
        return;
    m_state->itemHeight = height;
    m_state->delegate->SetRowHeight(height);
    m_state->view->reset();
    m_state->view->setCurrentIndex(m_state->model->index(m_state->ownLine));
}

bool TDirectoryListBox::SetProperty(const std::string& name, const Value& value)
{
    if (name == "FileList" || name == "DirLabel") {
        TComponent* component = value.AsComponent();
        if (name == "FileList") {
            auto* fileList = dynamic_cast<TFileListBox*>(component);
            if (fileList == nullptr && component != nullptr)
                return false;
            SetFileList(fileList);
        } else {
            auto* label = dynamic_cast<TLabel*>(component);
            if (label == nullptr && component != nullptr)
                return false;
            SetDirLabel(label);
        }
        return true;
    }
    if (name == "ItemHeight") {
        SetItemHeight(value.AsInt());
        return true;
    }
    return TWinControl::SetProperty(name, value);
}

bool TDirectoryListBox::SetEvent(const std::string& name, TNotifyEvent handler)
{
    if (name == "OnChange") {
        OnChange = std::move(handler);
        return true;
    }
    return TWinControl::SetEvent(name, std::move(handler));
}

std::string TDirectoryListBox::ClassName() const
{
    return "TDirectoryListBox";
}

void TDirectoryListBox::ColorChanged()
{
    TWinControl::ColorChanged();
    detail::ShowBackground(m_state->view, Color());
}

} // namespace ui
