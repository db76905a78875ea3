// The extension filter and the file counts: one check box per extension
// found in the source folder, the source list's mask made from them, and the
// number and total size of the files the list shows.

#include "files/FileSystem.h"
#include "transfer/CopyFile.h"
#include "transfer/Extensions.h"
#include "ui/CheckBox.h"
#include "ui/DirectoryListBox.h"
#include "ui/FileListBox.h"
#include "ui/Label.h"
#include "ui/Screen.h"
#include "ui/ScrollBox.h"
#include "ui/StringList.h"

#include <cstdint>

void TCopyFiles::RebuildExtensions()
{
    // The scroll box is shown again and the counts renewed however the scan ends.
    try {
        ScanExtensions();
    } catch (...) {
        IncludeExtBox->Show();
        UpdateMask();
        throw;
    }
    IncludeExtBox->Show();
    UpdateMask();
}

void TCopyFiles::ScanExtensions()
{
    IncludeExtBox->Hide();
    while (IncludeExtBox->ControlCount() > 0) {
        ui::TControl* box = IncludeExtBox->Controls(0);
        box->SetParent(nullptr);
        box->Free();
    }
    ExtList->Clear();

    const std::string pattern = files::joinName(SourceDirectory->Directory(), "*.*");
    constexpr int EveryFile = files::ReadOnly | files::Hidden | files::SysFile | files::Archive;
    files::FolderSearch search;
    files::SearchRec entry;
    if (search.findFirst(pattern, EveryFile, entry) == 0) {
        do {
            const std::string extension = transfer::extensionBoxText(entry.name);
            if (!extension.empty())
                ExtList->Add(extension);
        } while (search.findNext(entry) == 0);
        search.close();
    }

    ui::TCheckBox* last = nullptr;
    for (int i = 0; i < ExtList->Count(); ++i) {
        auto* box = new ui::TCheckBox(IncludeExtBox);
        box->SetParent(IncludeExtBox);
        box->SetWidth(50);
        box->SetHeight(17);
        box->SetTop(4 + i * box->Height());
        box->SetLeft(4);
        box->SetCaption(ExtList->Get(i));
        box->SetChecked(true);
        ui::TFont font = box->Font();
        font.Name = "Times New Roman";
        font.SetSize(8);
        box->SetFont(font);
        box->OnClick = [this](ui::TObject* sender) { ExtClick(sender); };
        last = box;
    }
    if (last != nullptr)
        IncludeExtBox->ScrollInView(last);
}

void TCopyFiles::UpdateMask()
{
    ui::Screen->SetCursor(ui::crHourGlass);

    std::string mask;
    for (int i = 0; i < IncludeExtBox->ControlCount(); ++i) {
        auto* box = dynamic_cast<ui::TCheckBox*>(IncludeExtBox->Controls(i));
        if (box != nullptr && box->Checked())
            mask += "*." + box->Caption() + ";";
    }
    SourceFiles->SetMask(mask);
    if (CheckBox1->Checked())
        SourceFiles->SetMask("*.*");

    const ui::TStrings& items = SourceFiles->Items();
    FIleCount->SetCaption(transfer::fileCountCaption(items.Count()));

    // Sizes are summed in 64 bits: totals of 2 GiB and more, and files of
    // 4 GiB and more, show their real size.
    std::int64_t total = 0;
    for (int i = 0; i < items.Count(); ++i) {
        files::FolderSearch search;
        files::SearchRec entry;
        if (search.findFirst(items.Get(i), files::AnyFile, entry) == 0) {
            total += entry.size;
            search.close();
        }
    }
    FilesLength->SetCaption(transfer::filesLengthCaption(total));

    ui::Screen->SetCursor(ui::crDefault);
}

void TCopyFiles::ExtClick(ui::TObject*)
{
    CheckBox1->SetChecked(false);
    UpdateMask();
}

void TCopyFiles::CheckBox1Click(ui::TObject*)
{
    UpdateMask();
}
