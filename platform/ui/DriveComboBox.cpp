#include "ui/DriveComboBox.h"

#include "files/FileSystem.h"
#include "ui/DirectoryListBox.h"
#include "ui/Layout.h"
#include "ui/ViewsPrivate.h"

#include <QComboBox>

namespace ui {

using detail::UpperDrive;

namespace {

char InCase(char letter, TTextCase textCase)
{
    letter = UpperDrive(letter);
    return textCase == tcLowerCase && letter >= 'A' && letter <= 'Z' ? char(letter - 'A' + 'a') : letter;
}

} // namespace

struct TDriveComboBox::State
{
    QComboBox* box = nullptr;
    QStringListModel* model = nullptr;
    std::unique_ptr<detail::ViewItems> items;
    std::string letters; // the machine's drives, upper case
    char drive = 0;      // upper case
    TTextCase textCase = tcLowerCase;
    detail::Binding<TDirectoryListBox> dirList;

    void ShowEntries()
    {
        std::vector<std::string> lines;
        for (char letter : letters)
            lines.push_back(std::string{InCase(letter, textCase), ':'});
        items->Replace(std::move(lines));
        Select();
    }
    void Select()
    {
        box->setCurrentIndex(int(letters.find(drive))); // -1 for a drive the machine lacks
    }
};

TDriveComboBox::TDriveComboBox(TComponent* owner)
    : TWinControl(owner, new QComboBox), m_state(std::make_unique<State>())
{
    m_state->box = static_cast<QComboBox*>(Widget());
    m_state->box->setEditable(false);
    m_state->model = new QStringListModel(m_state->box);
    m_state->box->setModel(m_state->model);
    m_state->items = std::make_unique<detail::ViewItems>(m_state->model);
    for (char letter : files::drives()) {
        if (letter >= 'A' && letter <= 'Z')
            m_state->letters += letter;
    }
    const std::string current = files::currentFolder();
    m_state->drive = current.empty() ? 0 : UpperDrive(current[0]);
    m_state->ShowEntries();
}

TDriveComboBox::~TDriveComboBox()
{
    if (TDirectoryListBox* list = m_state->dirList.get(); list != nullptr && list->DriveCombo() == this)
        list->SetDriveCombo(nullptr);
}

char TDriveComboBox::Drive() const
{
    return InCase(m_state->drive, m_state->textCase);
}

void TDriveComboBox::SetDrive(char drive)
{
    const char letter = UpperDrive(drive);
    if (letter == m_state->drive)
        return;
    const char former = m_state->drive;
    m_state->drive = letter;
    m_state->Select();
    if (TDirectoryListBox* list = m_state->dirList.get()) {
        try {
            list->DriveChanged(letter);
        } catch (...) {
            m_state->drive = former;
            m_state->Select();
            throw;
        }
    }
}

void TDriveComboBox::ShowDrive(char drive)
{
    m_state->drive = UpperDrive(drive);
    m_state->Select();
}

TDirectoryListBox* TDriveComboBox::DirList() const
{
    return m_state->dirList.get();
}

void TDriveComboBox::SetDirList(TDirectoryListBox* dirList)
{
    TDirectoryListBox* former = m_state->dirList.get();
    if (former == dirList)
        return;
    if (former != nullptr && former->DriveCombo() == this)
        former->SetDriveCombo(nullptr);
    m_state->dirList.set(dirList);
    if (dirList != nullptr)
        dirList->SetDriveCombo(this);
}

TTextCase TDriveComboBox::TextCase() const
{
    return m_state->textCase;
}

void TDriveComboBox::SetTextCase(TTextCase textCase)
{
    if (textCase == m_state->textCase)
        return;
    m_state->textCase = textCase;
    m_state->ShowEntries();
}

const TStrings& TDriveComboBox::Items() const
{
    return *m_state->items;
}

int TDriveComboBox::ItemIndex() const
{
    return m_state->box->currentIndex();
}

bool TDriveComboBox::SetProperty(const std::string& name, const Value& value)
{
    if (name == "DirList") {
        auto* list = dynamic_cast<TDirectoryListBox*>(value.AsComponent());
        if (list == nullptr && value.AsComponent() != nullptr)
            return false;
        SetDirList(list);
        return true;
    }
    if (name == "TextCase") {
        const int textCase = value.AsInt();
        if (textCase != tcLowerCase && textCase != tcUpperCase)
            return false;
        SetTextCase(TTextCase(textCase));
        return true;
    }
    return TWinControl::SetProperty(name, value);
}

std::string TDriveComboBox::ClassName() const
{
    return "TDriveComboBox";
}

void TDriveComboBox::ColorChanged()
{
    TWinControl::ColorChanged();
    detail::ShowBackground(m_state->box, Color());
}

} // namespace ui
