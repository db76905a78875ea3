// The drive selector, folder list, file list and path label on real
// temporary drives: what each does when the program moves it, and where
// each move leaves the process's current folder.

#include "UiTestSupport.h"
#include "files/FileSystem.h"
#include "platform/files/TempDrives.h"
#include "ui/DirectoryListBox.h"
#include "ui/DriveComboBox.h"
#include "ui/FileListBox.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Screen.h"
#include "ui/ViewsPrivate.h"

#include <QFontMetrics>
#include <QLocale>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/xattr.h>
#include <unistd.h>

using files::test::makeHostFolder;
using files::test::TempDrives;
using files::test::writeHostFile;

namespace {

using Lines = std::vector<std::string>;

bool setDosAttributes(const std::string& host, const char* value)
{
    return setxattr(host.c_str(), "user.DOSATTRIB", value, strlen(value), 0) == 0;
}

// The error a move raised: 0 for none, else the input/output error's code,
// whose text must be the run-time library's.
template <class Move> int errorOf(Move move)
{
    try {
        move();
    } catch (const files::InOutError& error) {
        EXPECT_EQ(error.what(), files::inOutErrorText(error.code()));
        return error.code();
    }
    return 0;
}

// Drives C, D and E, and F whose medium is missing. C:\TARN\DATA holds
// files and subfolders of every kind; D:\BAK is drive D's current folder.
class Views : public ::testing::Test
{
protected:
    Views() : machine("CDE", "F")
    {
        makeHostFolder(machine.host("C:\\TARN\\DATA"));
        for (const char* name :
             {"a.TXT", "B.txt", "c.db", "D.DB", "readme", "中文.txt", ".profile", "sys.txt", "hidden.txt"})
            writeHostFile(machine.host("C:\\TARN\\DATA") + "/" + name, "x");
        for (const char* name : {"Sub", "alpha", "Beta", "中文", ".git", "System", "folder.txt"})
            makeHostFolder(machine.host("C:\\TARN\\DATA") + "/" + name);
        attributesWork = setDosAttributes(machine.host("C:\\TARN\\DATA") + "/sys.txt", "0x4") &&
                         setDosAttributes(machine.host("C:\\TARN\\DATA") + "/hidden.txt", "0x2") &&
                         setDosAttributes(machine.host("C:\\TARN\\DATA") + "/System", "0x14");
        makeHostFolder(machine.host("D:\\BAK\\Old"));
        writeHostFile(machine.host("D:\\BAK\\param.db"), "x");
        files::setCurrentFolder("D:\\BAK");
        files::setCurrentFolder("C:\\");

        form = new ui::TForm(nullptr);
        label = new ui::TLabel(form);
        label->SetParent(form);
        label->SetAutoSize(false);
        label->SetBounds(8, 44, 205, 16);
        label->SetFont(ui::TFont{"Times New Roman", 13, 0, ui::clWindowText});
        drive = new ui::TDriveComboBox(form);
        drive->SetParent(form);
        drive->SetTextCase(ui::tcUpperCase);
        dirList = new ui::TDirectoryListBox(form);
        dirList->SetParent(form);
        fileList = new ui::TFileListBox(form);
        fileList->SetParent(form);
        drive->SetDirList(dirList);
        dirList->SetFileList(fileList);
        dirList->SetDirLabel(label);
        dirList->OnChange = [this](ui::TObject*) { ++changes; };
    }
    ~Views() override
    {
        form->Free();
    }

    // The list at start, the process's current folder at E:\, no change seen.
    void startAt(const std::string& folder)
    {
        dirList->SetDirectory(folder);
        files::setCurrentFolder("E:\\");
        changes = 0;
    }

    Lines dataFiles() const
    {
        if (attributesWork)
            return {"a.TXT", "B.txt", "c.db", "D.DB", "readme", "中文.txt"};
        return {"a.TXT", "B.txt", "c.db", "D.DB", "hidden.txt", "readme", "sys.txt", "中文.txt"};
    }

    TempDrives machine;
    bool attributesWork = false;
    ui::TForm* form = nullptr;
    ui::TLabel* label = nullptr;
    ui::TDriveComboBox* drive = nullptr;
    ui::TDirectoryListBox* dirList = nullptr;
    ui::TFileListBox* fileList = nullptr;
    int changes = 0;
};

} // namespace

TEST_F(Views, StartInTheCurrentFolderAndTheLabelShowsItOnceBound)
{
    EXPECT_EQ(drive->Drive(), 'C');
    EXPECT_EQ(dirList->Directory(), "C:\\");
    EXPECT_EQ(fileList->Directory(), "C:\\");
    EXPECT_EQ(label->Caption(), "C:\\");
    EXPECT_EQ(fileList->Mask(), "*.*");
    EXPECT_EQ(drive->Items().ToVector(), (Lines{"C:", "D:", "E:", "F:"}));
    EXPECT_EQ(drive->ItemIndex(), 0);
    drive->SetTextCase(ui::tcLowerCase);
    EXPECT_EQ(drive->Items().ToVector(), (Lines{"c:", "d:", "e:", "f:"}));
    EXPECT_EQ(drive->Drive(), 'c');
}

TEST_F(Views, FolderListLinesAreTheLevelsThenTheSortedSubfolders)
{
    if (!attributesWork)
        GTEST_SKIP() << "no extended attributes here";
    dirList->SetDirectory("C:\\TARN\\DATA");
    EXPECT_EQ(dirList->Items().ToVector(),
              (Lines{"C:\\", "TARN", "DATA", "alpha", "Beta", "folder.txt", "Sub", "中文"}));
    EXPECT_EQ(dirList->ItemIndex(), 2);
    EXPECT_EQ(fileList->Items().ToVector(), dataFiles());
    EXPECT_EQ(fileList->ItemIndex(), -1);

    dirList->SetDirectory("C:\\");
    EXPECT_EQ(dirList->Items().ToVector(), (Lines{"C:\\", "TARN"}));
    EXPECT_EQ(dirList->ItemIndex(), 0);
}

TEST_F(Views, FolderListGivenAFolder)
{
    struct Case
    {
        const char* what;
        std::string given;
        int error;             // 0, or the input/output error raised
        std::string directory; // the list's folder afterwards
        std::string current;   // the process's current folder afterwards
        char drive;            // the drive selector's drive afterwards
    };
    const std::string start = "C:\\TARN\\DATA";
    const Case cases[] = {
        {"same folder, other case", "c:\\tarn\\data", 0, start, "E:\\", 'C'},
        {"empty text", "", 0, start, "E:\\", 'C'},
        {"other drive", "D:\\BAK", 0, "D:\\BAK", "D:\\BAK", 'D'},
        {"other folder", "C:\\TARN", 0, "C:\\TARN", "C:\\TARN", 'C'},
        {"spelt otherwise on disk", "c:\\TARN\\data\\sub", 0, "C:\\TARN\\DATA\\Sub", "C:\\TARN\\DATA\\Sub",
         'C'},
        {"drive root", "C:\\", 0, "C:\\", "C:\\", 'C'},
        {"missing folder", "C:\\TARN\\NOPE", files::FileNotFound, start, "E:\\", 'C'},
        {"missing folder on another drive", "D:\\NOPE", files::FileNotFound, start, "E:\\", 'C'},
        {"a file", "C:\\TARN\\DATA\\c.db", files::DirectoryInvalid, start, "E:\\", 'C'},
        {"drive not ready", "F:\\DATA", files::NotReady, start, "E:\\", 'C'},
        {"no such drive", "Q:\\", files::InvalidDrive, start, "E:\\", 'C'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startAt(start);
        const Lines lines = dirList->Items().ToVector();
        // A file that comes later shows only when the file list reads again.
        writeHostFile(machine.host(start + "\\late.txt"), "x");

        EXPECT_EQ(errorOf([&] { dirList->SetDirectory(c.given); }), c.error);
        EXPECT_EQ(dirList->Directory(), c.directory);
        EXPECT_EQ(files::currentFolder(), c.current);
        EXPECT_EQ(drive->Drive(), c.drive);
        EXPECT_EQ(fileList->Directory(), c.directory);
        const bool moved = c.current != "E:\\";
        EXPECT_EQ(changes, moved ? 1 : 0);
        if (!moved) {
            EXPECT_EQ(dirList->Items().ToVector(), lines);
            EXPECT_EQ(fileList->Items().IndexOf("late.txt"), -1);
        }
        EXPECT_EQ(label->Caption(), moved ? c.directory : start);
        std::remove((machine.host(start) + "/late.txt").c_str());
    }
}

TEST_F(Views, DriveSelectorGivenADrive)
{
    struct Case
    {
        const char* what;
        char given;
        int error;
        std::string directory;
        std::string current;
        char drive;
    };
    const std::string start = "C:\\TARN\\DATA";
    const Case cases[] = {
        {"the drive shown", 'C', 0, start, "E:\\", 'C'},
        {"the drive shown, lower case", 'c', 0, start, "E:\\", 'C'},
        {"another drive: its current folder", 'D', 0, "D:\\BAK", "D:\\BAK", 'D'},
        {"another drive, lower case", 'd', 0, "D:\\BAK", "D:\\BAK", 'D'},
        {"drive not ready", 'F', files::NotReady, start, "E:\\", 'C'},
        {"no such drive", 'Q', files::InvalidDrive, start, "E:\\", 'C'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startAt(start);
        EXPECT_EQ(errorOf([&] { drive->SetDrive(c.given); }), c.error);
        EXPECT_EQ(dirList->Directory(), c.directory);
        EXPECT_EQ(fileList->Directory(), c.directory);
        EXPECT_EQ(files::currentFolder(), c.current);
        EXPECT_EQ(drive->Drive(), c.drive);
        EXPECT_EQ(changes, c.current != "E:\\" ? 1 : 0);
    }
}

TEST_F(Views, FolderOnAnotherDriveMovesTheSelectorWithoutASecondRebuild)
{
    startAt("C:\\TARN");
    // D's own current folder is D:\BAK; the list goes where it was told.
    dirList->SetDirectory("D:\\BAK\\Old");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(drive->Drive(), 'D');
    EXPECT_EQ(dirList->Directory(), "D:\\BAK\\Old");
    EXPECT_EQ(files::currentFolderOf('C'), "C:\\TARN");
    // Back on C, the drive's own current folder is the one the list left.
    drive->SetDrive('C');
    EXPECT_EQ(dirList->Directory(), "C:\\TARN");
    EXPECT_EQ(files::currentFolder(), "C:\\TARN");
}

TEST_F(Views, FileListMasks)
{
    if (!attributesWork)
        GTEST_SKIP() << "no extended attributes here";
    dirList->SetDirectory("C:\\TARN\\DATA");
    struct Case
    {
        std::string mask;
        Lines items;
    };
    const Case cases[] = {
        {"*.txt", {"a.TXT", "B.txt", "中文.txt"}},
        {"*.DB;", {"c.db", "D.DB"}},
        {"*.db;*.TXT", {"a.TXT", "B.txt", "c.db", "D.DB", "中文.txt"}},
        {"*.txt;*.*", dataFiles()},
        {"read*", {"readme"}},
        {"", {}},
        {";", {}},
        {"*.*", dataFiles()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("mask " + c.mask);
        fileList->SetMask(c.mask);
        EXPECT_EQ(fileList->Mask(), c.mask);
        EXPECT_EQ(fileList->Items().ToVector(), c.items);
    }
}

TEST_F(Views, FileListReadsAgainOnlyForAnotherMaskAndThenInItsFolder)
{
    dirList->SetDirectory("C:\\TARN\\DATA");
    fileList->SetMask("*.txt");
    writeHostFile(machine.host("C:\\TARN\\DATA") + "/late.txt", "x");
    files::setCurrentFolder("E:\\");

    fileList->SetMask("*.txt");
    EXPECT_EQ(fileList->Items().IndexOf("late.txt"), -1);
    EXPECT_EQ(files::currentFolder(), "E:\\");

    // The mask is compared with its letter case.
    fileList->SetMask("*.TXT");
    EXPECT_NE(fileList->Items().IndexOf("late.txt"), -1);
    EXPECT_EQ(files::currentFolder(), "C:\\TARN\\DATA");

    // The file list alone, given its folder in another case, does nothing.
    files::setCurrentFolder("E:\\");
    fileList->SetDirectory("c:\\tarn\\data");
    EXPECT_EQ(files::currentFolder(), "E:\\");

    writeHostFile(machine.host("C:\\TARN\\DATA") + "/later.txt", "x");
    fileList->Update();
    EXPECT_NE(fileList->Items().IndexOf("later.txt"), -1);
    EXPECT_EQ(files::currentFolder(), "C:\\TARN\\DATA");
}

TEST_F(Views, FileListReadsNothingBeforeItsWindowExists)
{
    auto* orphan = new ui::TFileListBox(form);
    orphan->SetDirectory("C:\\TARN\\DATA");
    orphan->SetMask("*.db");
    EXPECT_EQ(orphan->Items().Count(), 0);
    orphan->Update();
    EXPECT_EQ(orphan->Items().Count(), 0);
    files::setCurrentFolder("E:\\");
    orphan->SetParent(form);
    EXPECT_EQ(orphan->Items().ToVector(), (Lines{"c.db", "D.DB"}));
    EXPECT_EQ(files::currentFolder(), "C:\\TARN\\DATA");
}

TEST_F(Views, FileListThatCannotEnterItsFolderKeepsItsNames)
{
    dirList->SetDirectory("C:\\TARN\\DATA\\Sub");
    writeHostFile(machine.host("C:\\TARN\\DATA\\Sub") + "/kept.txt", "x");
    fileList->Update();
    std::remove((machine.host("C:\\TARN\\DATA\\Sub") + "/kept.txt").c_str());
    ASSERT_EQ(rmdir(machine.host("C:\\TARN\\DATA\\Sub").c_str()), 0);
    EXPECT_EQ(errorOf([&] { fileList->Update(); }), files::FileNotFound);
    EXPECT_EQ(fileList->Items().ToVector(), (Lines{"kept.txt"}));
}

TEST_F(Views, NamesSortAsTheUserLocaleSortsThemIgnoringCase)
{
    DefaultLocale locale(QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan));
    makeHostFolder(machine.host("C:\\SORT"));
    for (const char* name : {"中.db", "b.db", "大.db", "A.db", "十.db", "一.db", "c.DB"})
        writeHostFile(machine.host("C:\\SORT") + "/" + name, "x");
    for (const char* name : {"中", "b", "大", "A", "十", "一", "C"})
        makeHostFolder(machine.host("C:\\SORT") + "/" + name);
    dirList->SetDirectory("C:\\SORT");
    // Traditional Chinese collation: by stroke count, before the Latin letters.
    EXPECT_EQ(fileList->Items().ToVector(),
              (Lines{"一.db", "十.db", "大.db", "中.db", "A.db", "b.db", "c.DB"}));
    EXPECT_EQ(dirList->Items().ToVector(), (Lines{"C:\\", "SORT", "一", "十", "大", "中", "A", "b", "C"}));
}

TEST_F(Views, PathLabelShortensTheFolderToItsWidthInItsFont)
{
    makeHostFolder(machine.host("C:\\ARCHIVE\\BRANCH\\CLOSING\\NAME"));
    const std::string path = "C:\\ARCHIVE\\BRANCH\\CLOSING\\NAME";
    const QFontMetrics metrics(label->Widget()->font());
    const auto width = [&](const std::string& text) {
        return metrics.horizontalAdvance(QString::fromStdString(text));
    };
    const std::string steps[] = {
        path,  "C:\\...\\BRANCH\\CLOSING\\NAME", "C:\\...\\CLOSING\\NAME", "C:\\...\\NAME", "...\\NAME",
        "NAME"};
    for (std::size_t i = 1; i < std::size(steps); ++i)
        ASSERT_LT(width(steps[i]), width(steps[i - 1]));
    for (const std::string& step : steps) {
        SCOPED_TRACE(step);
        label->SetWidth(width(step));
        dirList->SetDirectory("C:\\");
        dirList->SetDirectory(path);
        EXPECT_EQ(label->Caption(), step);
    }
    // A caption the program sets stays until the list enters a folder again.
    label->SetWidth(205);
    label->SetCaption("set by the program");
    dirList->SetDirectory(path);
    EXPECT_EQ(label->Caption(), "set by the program");
    dirList->SetDirectory("C:\\ARCHIVE");
    EXPECT_EQ(label->Caption(), "C:\\ARCHIVE");
}

TEST_F(Views, FileListHeightIsCutToWholeItems)
{
    fileList->SetItemHeight(15);
    fileList->SetIntegralHeight(true);
    fileList->SetBounds(6, 154, 209, 154);
    // Ten items of 15 pixels inside a frame of 2 pixels a side.
    EXPECT_EQ(fileList->Height(), 154);
    fileList->SetHeight(160);
    EXPECT_EQ(fileList->Height(), 154);
    fileList->SetItemHeight(16);
    EXPECT_EQ(fileList->Height(), 148);
    fileList->SetIntegralHeight(false);
    EXPECT_EQ(fileList->Height(), 160);
}

TEST(ListingCursor, HourglassFromTheHundredAndFirstNameThenTheCursorBefore)
{
    ASSERT_NE(ui::Screen, nullptr);
    for (ui::TCursor before : {ui::crDefault, ui::crHourGlass}) {
        ui::Screen->SetCursor(before);
        {
            ui::detail::ListingCursor cursor;
            for (int position = 1; position <= 100; ++position)
                cursor.Placed(position);
            EXPECT_EQ(ui::Screen->Cursor(), before);
            cursor.Placed(101);
            EXPECT_EQ(ui::Screen->Cursor(), ui::crHourGlass);
            cursor.Placed(102);
        }
        EXPECT_EQ(ui::Screen->Cursor(), before);
    }
    ui::Screen->SetCursor(ui::crDefault);
}

TEST_F(Views, ALongListingRestoresTheCursorItFound)
{
    makeHostFolder(machine.host("C:\\MANY"));
    for (int i = 0; i < 150; ++i)
        writeHostFile(machine.host("C:\\MANY") + "/f" + std::to_string(i) + ".db", "");
    ui::Screen->SetCursor(ui::crHourGlass);
    dirList->SetDirectory("C:\\MANY");
    EXPECT_EQ(fileList->Items().Count(), 150);
    EXPECT_EQ(ui::Screen->Cursor(), ui::crHourGlass);
    ui::Screen->SetCursor(ui::crDefault);
    fileList->Update();
    EXPECT_EQ(ui::Screen->Cursor(), ui::crDefault);
}
