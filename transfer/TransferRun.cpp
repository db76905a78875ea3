// The transfer run: the copy button's click. It copies every file that the
// source file list shows, first in the top folder and then in each registered
// subfolder, and afterwards resets the window.

#include "database/Database.h"
#include "files/FileSystem.h"
#include "transfer/CopyFile.h"
#include "transfer/FolderText.h"
#include "ui/Application.h"
#include "ui/BitBtn.h"
#include "ui/Button.h"
#include "ui/Dialogs.h"
#include "ui/DirectoryListBox.h"
#include "ui/DriveComboBox.h"
#include "ui/FileListBox.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"
#include "ui/RadioGroup.h"
#include "ui/Screen.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::size_t BlockSize = 32768;
constexpr std::size_t MaxRegisteredSubfolders = 100;

constexpr const char* InfoCaption = "資訊";
constexpr const char* ConfirmCaption = "確定時請按「是」按鈕!";
constexpr const char* SecondConfirmCaption = "再次確認時請按「是」按鈕!";
constexpr const char* ReadErrorText = "讀取檔案錯誤! \r\n";
constexpr const char* CreateErrorText = "無法建立檔案! ";
constexpr const char* WriteErrorText = "寫入檔案錯誤! \r\n";

// The database engine's lock and network-control files, and where the
// direction says so the program's own file, are never copied.
bool NeverCopied(const std::string& name, bool skipOwnFile)
{
    const std::string upper = files::upperAscii(name);
    if (upper == "PARADOX.LCK" || upper == "PDOXUSRS.LCK" || upper == "PDOXUSRS.NET")
        return true;
    return skipOwnFile && upper == files::upperAscii(ProgramFileName);
}

int AskAbortRetryIgnore(const std::string& text)
{
    return ui::MessageDlg(text, ui::mtError, ui::mbAbortRetryIgnore);
}

// What the steps of one run share.
struct RunContext
{
    const DirectionProfile& profile;
    ui::TRadioGroup& overwriteOption; // 0: overwrite without asking, 1: ask first
    std::unique_ptr<char[]> buffer;   // the one copy buffer, held for the run
    files::ReplacementBatch copies;   // written whole, not yet in place
};

enum class FileOutcome
{
    NextFile,
    EndPass,
};

// The open source and the new copy of one file. On every way out the source
// is closed and a copy not put in place is thrown away, so that the file the
// copy was meant to replace stays as it was.
struct OpenFiles
{
    files::Handle source = files::InvalidHandle;
    files::Handle copy = files::InvalidHandle;

    OpenFiles() = default;
    OpenFiles(const OpenFiles&) = delete;
    OpenFiles& operator=(const OpenFiles&) = delete;
    ~OpenFiles()
    {
        if (copy != files::InvalidHandle)
            files::fileOps().discardReplacement(copy);
        if (source != files::InvalidHandle)
            files::fileOps().close(source);
    }
};

// Copies the blocks; true when every block was read and written.
bool CopyBlocks(RunContext& run, const OpenFiles& file, const std::string& name)
{
    char* buffer = run.buffer.get();
    files::FileOps& ops = files::fileOps();
    bool whole = true;
    for (;;) {
        ui::Application->ProcessPaintMessages();
        long got = 0;
        for (;;) {
            got = ops.read(file.source, buffer, BlockSize);
            if (got >= 0)
                break;
            // Ignore and Abort alike end this file.
            if (AskAbortRetryIgnore(ReadErrorText + name) != ui::mrRetry)
                return false;
        }
        if (got > 0) {
            for (;;) {
                if (ops.write(file.copy, buffer, static_cast<std::size_t>(got)))
                    break;
                const int answer = AskAbortRetryIgnore(WriteErrorText + name);
                if (answer == ui::mrRetry)
                    continue;
                if (answer == ui::mrAbort)
                    return false;
                // Ignore: the rest is still copied, but a copy with a hole
                // never takes the old file's place.
                whole = false;
                break;
            }
        }
        if (static_cast<std::size_t>(got) < BlockSize)
            return whole;
    }
}

// Puts the waiting copies in place. The old file stays where a copy could
// not be put in its place; say so rather than let the run look complete.
void CommitCopies(RunContext& run)
{
    for (const std::string& name : run.copies.commit())
        ui::MessageDlg(WriteErrorText + name, ui::mtError, ui::mbOK);
}

FileOutcome CopyOneFile(RunContext& run, const std::string& sourceFolder, const std::string& targetFolder,
                        const std::string& name)
{
    files::FileOps& ops = files::fileOps();
    const std::string sourcePath = files::joinName(sourceFolder, name);
    const std::string targetPath = files::joinName(targetFolder, name);

    files::LocalTime sourceTime;
    const bool timed = files::fileTime(sourcePath, sourceTime);

    OpenFiles file;
    for (;;) {
        file.source = ops.openRead(sourcePath);
        if (file.source != files::InvalidHandle)
            break;
        const int answer = AskAbortRetryIgnore(ReadErrorText + name);
        if (answer == ui::mrRetry)
            continue;
        // Closed from its title bar, the prompt counts as Ignore.
        return answer == ui::mrAbort ? FileOutcome::EndPass : FileOutcome::NextFile;
    }

    if (run.overwriteOption.ItemIndex() == 1 && files::fileExists(targetPath)) {
        const int answer = ui::MessageDlg("檔案 " + name + " 已存在! \r\n是否覆蓋 ?", ui::mtConfirmation,
                                          ui::mbYes | ui::mbNo | ui::mbAll);
        if (answer == ui::mrNo)
            return FileOutcome::NextFile;
        if (answer == ui::mrAll)
            run.overwriteOption.SetItemIndex(0);
    }

    // The copy is written beside the target and put in its place only once
    // it is whole.
    for (;;) {
        file.copy = ops.createReplacement(targetPath, sourcePath);
        if (file.copy != files::InvalidHandle)
            break;
        const int answer = AskAbortRetryIgnore(CreateErrorText + name);
        if (answer == ui::mrRetry)
            continue;
        return answer == ui::mrAbort ? FileOutcome::EndPass : FileOutcome::NextFile;
    }

    if (!CopyBlocks(run, file, name))
        return FileOutcome::NextFile;

    if (timed)
        files::setFileTime(file.copy, sourceTime);
    const files::Handle copy = file.copy;
    file.copy = files::InvalidHandle;
    if (run.copies.add(copy, name))
        CommitCopies(run);
    return FileOutcome::NextFile;
}

// Copies what the source file list shows into the folder the target list shows.
void CopyFolder(RunContext& run, TCopyFiles& window)
{
    const std::string sourceFolder = window.SourceDirectory->Directory();
    const std::string targetFolder = window.DestinationDirectory->Directory();
    const std::vector<std::string> names = window.SourceFiles->Items().ToVector();
    const std::int64_t count = static_cast<std::int64_t>(names.size());
    for (std::int64_t i = 0; i < count; ++i) {
        const std::string& name = names[static_cast<std::size_t>(i)];
        if (NeverCopied(name, run.profile.skipsOwnFile))
            continue;
        // Skipped files count too: the bar shows the share of the list before this file.
        window.ProgressBar->SetPosition(static_cast<int>(i * 100 / count));
        window.CopyingFileLabel->SetCaption("拷貝 : " + name);
        window.CopyingFileLabel->Repaint();
        if (CopyOneFile(run, sourceFolder, targetFolder, name) == FileOutcome::EndPass)
            break;
    }
    CommitCopies(run);
}

std::vector<std::string> ReadRegisteredSubfolders(database::TTable& table)
{
    std::vector<std::string> names;
    database::OpenTable open(table);
    while (!table.Eof() && names.size() < MaxRegisteredSubfolders) {
        names.push_back(table.FieldByName("PathName").AsString());
        table.Next();
    }
    return names;
}

// Runs one step of the run's end; the first failure is kept for afterwards
// so that the window is still reset and the exit button enabled.
void EndStep(std::exception_ptr& failure, const std::function<void()>& step)
{
    try {
        step();
    } catch (...) {
        if (!failure)
            failure = std::current_exception();
    }
}

} // namespace

void TCopyFiles::CopyFilesClick(ui::TObject*)
{
    const DirectionProfile& profile = Profile();

    if (ui::MessageBox(profile.confirmation, ConfirmCaption, ui::MB_YESNO) != ui::IDYES)
        return;
    if (profile.secondConfirmation != nullptr &&
        ui::MessageBox(profile.secondConfirmation, SecondConfirmCaption, ui::MB_YESNO) != ui::IDYES)
        return;

    // An exact comparison, letter case included.
    if (SourceDrive->Drive() == DestinationDrive->Drive() &&
        SourceDirectory->Directory() == DestinationDirectory->Directory()) {
        ui::MessageBox(profile.sameFolder, InfoCaption, ui::MB_OK);
        return;
    }

    CopyFiles->SetEnabled(false);
    ButtonMkDir->SetEnabled(false);
    DeleteDir->SetEnabled(false);
    ButtonExit->SetEnabled(false);

    RunContext run{profile, *WriteOpt, nullptr, files::ReplacementBatch()};
    std::exception_ptr failure;
    try {
        const std::vector<std::string> subfolders = ReadRegisteredSubfolders(*TblPath);
        run.buffer = std::make_unique<char[]>(BlockSize);

        // The top folder, then every registered subfolder that exists under the source.
        for (std::size_t pass = 0; pass <= subfolders.size(); ++pass) {
            if (pass == 0) {
                RunSourceFolder = SourceDirectory->Directory();
                RunTargetFolder = DestinationDirectory->Directory();
            }
            SourceDirectory->SetDirectory(RunSourceFolder);
            DestinationDirectory->SetDirectory(RunTargetFolder);
            if (pass > 0) {
                const std::string& name = subfolders[pass - 1];
                const std::string sourceSubfolder = files::joinName(SourceDirectory->Directory(), name);
                const std::string targetSubfolder = files::joinName(DestinationDirectory->Directory(), name);
                // A name that would lead out of the top folders is passed
                // over like one whose folder is missing.
                if (!transfer::usableSubfolderName(name) || !files::directoryExists(sourceSubfolder))
                    continue;
                // A failure shows when the list cannot enter the folder.
                if (!files::directoryExists(targetSubfolder))
                    files::forceDirectories(targetSubfolder);
                SourceDirectory->SetDirectory(sourceSubfolder);
                DestinationDirectory->SetDirectory(targetSubfolder);
            }
            ui::Screen->SetCursor(ui::crHourGlass);
            CopyFolder(run, *this);
        }
    } catch (...) {
        failure = std::current_exception();
    }

    // Whatever the run wrote is on disk before the end is shown.
    EndStep(failure, [&run] { CommitCopies(run); });
    ProgressBar->SetPosition(0);
    CopyingFileLabel->SetCaption("");
    EndStep(failure, [this] { DestinationFiles->Update(); });
    run.buffer.reset();
    ui::Screen->SetCursor(ui::crDefault);
    SourceState = 2;
    TargetState = 2;
    EndStep(failure, [this] { RefreshPaths(); });
    EndStep(failure, [this] { UpdateMask(); });
    ButtonExit->SetEnabled(true);
    ui::MessageBox(profile.completion, InfoCaption, ui::MB_OK);

    if (failure)
        std::rethrow_exception(failure);
}
