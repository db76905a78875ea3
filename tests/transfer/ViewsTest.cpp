// The source and target views: RefreshPaths in both directions, after an
// activation (state 0) and after a run (state 2), and where it leaves the
// current folder.

#include "Window.h"
#include "files/FileSystem.h"
#include "ui/DirectoryListBox.h"
#include "ui/DriveComboBox.h"
#include "ui/FileListBox.h"
#include "ui/Label.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace transfertest;

namespace {

bool lists(const ui::TStrings& items, const std::string& line)
{
    const auto all = items.ToVector();
    return std::find(all.begin(), all.end(), line) != all.end();
}

class Views : public ::testing::TestWithParam<TransferDirection>
{
protected:
    Views()
    {
        drives.file("C:\\SRC\\a.db");
        drives.file("C:\\SRC\\b.txt");
        drives.file("C:\\c.px");
        drives.file("D:\\DST\\old.db");
        drives.file("D:\\root.txt");
    }

    Window& make()
    {
        return fixture.make(GetParam());
    }

    Drives drives{"CD"};
    WindowFixture fixture;
};

} // namespace

TEST_P(Views, ShowsBothFoldersAndEndsInTheTarget)
{
    Window& w = make();
    SourceFolder = "C:\\SRC";
    TargetFolder = "D:\\DST";
    w.RefreshPaths();
    EXPECT_EQ(w.SourceDrive->Drive(), 'C');
    EXPECT_EQ(w.DestinationDrive->Drive(), 'D');
    EXPECT_EQ(w.SourceDirectory->Directory(), "C:\\SRC");
    EXPECT_EQ(w.DestinationDirectory->Directory(), "D:\\DST");
    EXPECT_EQ(w.SourcePath->Caption(), "C:\\SRC");
    EXPECT_EQ(w.DestinationPath->Caption(), "D:\\DST");
    EXPECT_EQ(itemsOf(w.SourceFiles->Items()), (std::vector<std::string>{"a.db", "b.txt"}));
    EXPECT_EQ(itemsOf(w.DestinationFiles->Items()), std::vector<std::string>{"old.db"});
    EXPECT_EQ(extensionBoxes(w), (std::vector<std::string>{"db", "txt"}));
    EXPECT_EQ(files::currentFolder(), "D:\\DST");
    EXPECT_EQ(SourceFolder, "C:\\SRC");
    EXPECT_EQ(TargetFolder, "D:\\DST");
}

TEST_P(Views, MissingFoldersFallBackToTheirDriveRootsWhileStateIsZero)
{
    Window& w = make();
    SourceFolder = "c:\\NOPE\\DEEP";
    TargetFolder = "D:\\GONE";
    w.RefreshPaths();
    EXPECT_EQ(SourceFolder, "c:\\");
    EXPECT_EQ(TargetFolder, "D:\\");
    EXPECT_EQ(w.SourceDirectory->Directory(), "C:\\");
    EXPECT_EQ(w.SourcePath->Caption(), "c:\\");
    EXPECT_EQ(w.DestinationPath->Caption(), "D:\\");
    EXPECT_EQ(itemsOf(w.SourceFiles->Items()), std::vector<std::string>{"c.px"});
    EXPECT_EQ(extensionBoxes(w), std::vector<std::string>{"px"});
    EXPECT_EQ(itemsOf(w.DestinationFiles->Items()), std::vector<std::string>{"root.txt"});
}

TEST_P(Views, AFileOfTheFoldersNameCountsAsMissing)
{
    drives.file("C:\\AFILE");
    Window& w = make();
    SourceFolder = "C:\\AFILE";
    TargetFolder = "D:\\DST";
    w.RefreshPaths();
    EXPECT_EQ(SourceFolder, "C:\\");
}

TEST_P(Views, AfterARunTheTargetReturnsToTheRunsFolderWithoutFallBack)
{
    drives.folder("D:\\DST\\SUB");
    Window& w = make();
    SourceFolder = "C:\\SRC";
    TargetFolder = "D:\\ELSEWHERE";
    RunTargetFolder = "D:\\DST\\SUB";
    SourceState = TargetState = 2;
    w.RefreshPaths();
    EXPECT_EQ(TargetFolder, "D:\\DST\\SUB");
    EXPECT_EQ(w.DestinationDirectory->Directory(), "D:\\DST\\SUB");
    EXPECT_EQ(w.DestinationPath->Caption(), "D:\\DST\\SUB");
}

TEST_P(Views, AfterARunAMissingSourceRaisesTheInputOutputError)
{
    Window& w = make();
    SourceFolder = "C:\\SRC";
    TargetFolder = "D:\\DST";
    w.RefreshPaths();
    const std::string pathBefore = w.DestinationPath->Caption();
    SourceFolder = "C:\\SRC\\MISSING";
    RunTargetFolder = "D:\\DST";
    SourceState = TargetState = 2;
    EXPECT_THROW(w.RefreshPaths(), files::InOutError);
    EXPECT_EQ(SourceFolder, "C:\\SRC\\MISSING");
    EXPECT_EQ(w.SourceDirectory->Directory(), "C:\\");
    EXPECT_EQ(w.DestinationPath->Caption(), pathBefore);
}

TEST_P(Views, ADriveThatIsNotReadyRaisesAtTheDriveStep)
{
    drives.folder("C:\\SRC");
    Window& w = make();
    SourceFolder = "C:\\SRC";
    TargetFolder = "D:\\DST";
    drives.eject('D');
    EXPECT_THROW(w.RefreshPaths(), files::InOutError);
    EXPECT_EQ(w.DestinationDrive->Drive(), 'C');
}

TEST_P(Views, RefreshAfterANewTargetSubfolder)
{
    Window& w = make();
    SourceFolder = "C:\\SRC";
    TargetFolder = "D:\\DST";
    w.RefreshPaths();
    drives.folder("D:\\DST\\NEWSUB");
    drives.file("D:\\DST\\new.txt");
    w.RefreshPaths();
    if (GetParam() == TransferDirection::Restore) {
        // The drive-root step makes the target list move and re-read.
        EXPECT_TRUE(lists(w.DestinationDirectory->Items(), "NEWSUB"));
        EXPECT_EQ(itemsOf(w.DestinationFiles->Items()), (std::vector<std::string>{"new.txt", "old.db"}));
        EXPECT_EQ(files::currentFolder(), "D:\\DST");
    } else {
        // Given the folder it shows, the target list changes nothing at all.
        EXPECT_FALSE(lists(w.DestinationDirectory->Items(), "NEWSUB"));
        EXPECT_EQ(itemsOf(w.DestinationFiles->Items()), std::vector<std::string>{"old.db"});
        EXPECT_EQ(files::currentFolder(), "C:\\SRC");
    }
}

TEST_P(Views, DriveRootsAsFolders)
{
    Window& w = make();
    SourceFolder = "C:\\";
    TargetFolder = "D:\\";
    w.RefreshPaths();
    EXPECT_EQ(w.SourceDirectory->Directory(), "C:\\");
    EXPECT_EQ(w.DestinationDirectory->Directory(), "D:\\");
    EXPECT_EQ(itemsOf(w.DestinationFiles->Items()), std::vector<std::string>{"root.txt"});
    EXPECT_EQ(extensionBoxes(w), std::vector<std::string>{"px"});
    // The drive step already took the target list to the root of D, so the
    // folder step moves nothing and the source root, re-read by the mask,
    // stays current.
    EXPECT_EQ(files::currentFolder(), "C:\\");
    w.RefreshPaths();
    EXPECT_EQ(files::currentFolder(), "C:\\");
}

TEST_P(Views, ATargetRootAlreadyShownLeavesTheSourceCurrent)
{
    Window& w = make();
    SourceFolder = "C:\\SRC";
    TargetFolder = "D:\\DST";
    w.RefreshPaths();
    ASSERT_EQ(files::currentFolder(), "D:\\DST");
    TargetFolder = "D:\\";
    w.RefreshPaths();
    // The target list leaves D:\DST for the root in either direction.
    EXPECT_EQ(files::currentFolder(), "D:\\");
    w.RefreshPaths();
    EXPECT_EQ(files::currentFolder(), "C:\\SRC");
}

INSTANTIATE_TEST_SUITE_P(BothDirections, Views,
                         ::testing::Values(TransferDirection::Restore, TransferDirection::Backup),
                         transfertest::DirectionName);

TEST(DriveLetterOfTheWindow, GivesTheDriveOfAFolderText)
{
    Drives drives;
    WindowFixture fixture;
    Window& w = fixture.make(TransferDirection::Restore);
    const struct
    {
        const char* path;
        char drive;
    } cases[] = {{"C:", 'C'}, {"e:\\x", 'E'}, {"", 'D'}, {"\\\\srv\\x", 'D'}, {"9", 'D'}, {"é", 'D'}};
    for (const auto& c : cases)
        EXPECT_EQ(w.DriveLetter(c.path), c.drive) << c.path;
}
