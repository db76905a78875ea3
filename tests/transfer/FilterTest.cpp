// The extension boxes of the source folder, the file mask they build and the
// file counts.

#include "Window.h"
#include "files/FileSystem.h"
#include "ui/CheckBox.h"
#include "ui/DirectoryListBox.h"
#include "ui/FileListBox.h"
#include "ui/Label.h"
#include "ui/Screen.h"
#include "ui/ScrollBox.h"

#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>

using namespace transfertest;

namespace {

class Filter : public ::testing::Test
{
protected:
    // The window, refreshed onto C:\SRC as activation leaves it.
    Window& showSource()
    {
        Window& w = fixture.emplace().make(TransferDirection::Backup);
        SourceFolder = "C:\\SRC";
        TargetFolder = "D:\\DST";
        w.RefreshPaths();
        return w;
    }

    ui::TCheckBox& box(Window& w, const std::string& caption)
    {
        for (int i = 0; i < w.IncludeExtBox->ControlCount(); ++i)
            if (w.IncludeExtBox->Controls(i)->Caption() == caption)
                return dynamic_cast<ui::TCheckBox&>(*w.IncludeExtBox->Controls(i));
        throw std::logic_error("no box " + caption);
    }

    Drives drives{"CD"};
    // Made by the test, so that a test may instead make one per case.
    std::optional<WindowFixture> fixture;
};

} // namespace

TEST_F(Filter, OneBoxPerExtensionOfTheSourceFolder)
{
    const struct
    {
        std::vector<const char*> names;
        std::vector<std::string> boxes;
    } cases[] = {
        {{"a.TXT", "b.txt"}, {"TXT"}},
        {{"report.html"}, {"html"}},
        {{"data.backup"}, {"back"}},
        {{"archive.tar.gz"}, {"gz"}},
        {{".profile"}, {"prof"}},
        {{"README"}, {}},
        {{"b.txt", "inst.DB", "X.PX"}, {"DB", "PX", "txt"}},
        {{"帳冊.資料庫"}, {"資料"}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        Drives local{"CD"};
        local.folder("C:\\SRC");
        local.folder("D:\\DST");
        std::string trace;
        for (const char* name : c.names) {
            local.file(std::string("C:\\SRC\\") + name);
            trace += std::string(name) + " ";
        }
        SCOPED_TRACE(trace);
        WindowFixture each;
        Window& w = each.make(TransferDirection::Restore);
        SourceFolder = "C:\\SRC";
        TargetFolder = "D:\\DST";
        w.RefreshPaths();
        EXPECT_EQ(extensionBoxes(w), c.boxes);
    }
}

TEST_F(Filter, FoldersGiveNoBoxHiddenAndSystemFilesDo)
{
    drives.folder("C:\\SRC\\SUB.DIR");
    drives.file("C:\\SRC\\shown.dat");
    drives.file("C:\\SRC\\secret.hid");
    drives.hide("C:\\SRC\\secret.hid");
    drives.file("C:\\SRC\\boot.sys");
    drives.makeSystem("C:\\SRC\\boot.sys");
    Window& w = showSource();
    EXPECT_EQ(extensionBoxes(w), (std::vector<std::string>{"dat", "hid", "sys"}));
    // The file list shows neither the hidden nor the system file.
    EXPECT_EQ(itemsOf(w.SourceFiles->Items()), std::vector<std::string>{"shown.dat"});
    EXPECT_EQ(w.FIleCount->Caption(), "選擇檔案數 :  1");
}

TEST_F(Filter, BoxesStandInListOrderAllChecked)
{
    for (const char* name : {"z.txt", "y.db", "x.PX"})
        drives.file(std::string("C:\\SRC\\") + name);
    Window& w = showSource();
    ASSERT_EQ(extensionBoxes(w), (std::vector<std::string>{"db", "PX", "txt"}));
    for (int i = 0; i < 3; ++i) {
        auto* b = dynamic_cast<ui::TCheckBox*>(w.IncludeExtBox->Controls(i));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->Owner(), w.IncludeExtBox);
        EXPECT_EQ(b->Parent(), w.IncludeExtBox);
        EXPECT_EQ(b->Left(), 4);
        EXPECT_EQ(b->Top(), 4 + 17 * i);
        EXPECT_EQ(b->Width(), 50);
        EXPECT_EQ(b->Height(), 17);
        EXPECT_TRUE(b->Checked());
        EXPECT_EQ(b->Font().Name, "Times New Roman");
        EXPECT_EQ(b->Font().Size(), 8);
    }
    // A second rebuild replaces the boxes rather than adding to them.
    drives.file("C:\\SRC\\w.ini");
    w.RefreshPaths();
    EXPECT_EQ(extensionBoxes(w), (std::vector<std::string>{"db", "ini", "PX", "txt"}));
}

TEST_F(Filter, SizeInWholeKilobytes)
{
    constexpr std::uintmax_t GiB = std::uintmax_t(1) << 30;
    const struct
    {
        std::vector<std::uintmax_t> sizes;
        const char* caption;
    } cases[] = {
        {{}, "總檔案大小 :  0 KB"},
        {{1023}, "總檔案大小 :  0 KB"},
        {{1000, 23}, "總檔案大小 :  0 KB"},
        {{1024}, "總檔案大小 :  1 KB"},
        {{1024, 1023}, "總檔案大小 :  1 KB"},
        {{2048}, "總檔案大小 :  2 KB"},
        // Totals of 2 GiB and more, past any 32-bit sum.
        {{GiB, GiB}, "總檔案大小 :  2097152 KB"},
        {{3 * GiB, 2 * GiB + 1024}, "總檔案大小 :  5242881 KB"},
    };
    for (const auto& c : cases) {
        Drives local{"CD"};
        local.folder("C:\\SRC");
        for (std::size_t i = 0; i < c.sizes.size(); ++i)
            local.fileOfSize("C:\\SRC\\f" + std::to_string(i) + ".bin", c.sizes[i]);
        WindowFixture each;
        Window& w = each.make(TransferDirection::Backup);
        SourceFolder = "C:\\SRC";
        TargetFolder = "C:\\SRC";
        w.RefreshPaths();
        EXPECT_EQ(w.FilesLength->Caption(), c.caption);
        EXPECT_EQ(w.FIleCount->Caption(), "選擇檔案數 :  " + std::to_string(c.sizes.size()));
    }
}

TEST_F(Filter, TheShippedLayoutAlwaysLeavesTheMaskAtAllFiles)
{
    drives.file("C:\\SRC\\a.db");
    drives.file("C:\\SRC\\b.txt");
    Window& w = showSource();
    EXPECT_EQ(w.SourceFiles->Mask(), "*.*");
    w.UpdateMask();
    EXPECT_EQ(w.SourceFiles->Mask(), "*.*");
    EXPECT_EQ(itemsOf(w.SourceFiles->Items()), (std::vector<std::string>{"a.db", "b.txt"}));
}

TEST_F(Filter, MaskBuiltFromTheCheckedBoxesOnceTheBoxesTakeInput)
{
    drives.file("C:\\SRC\\a.DB");
    drives.file("C:\\SRC\\b.db");
    drives.fileOfSize("C:\\SRC\\c.TXT", 2048);
    Window& w = showSource();
    w.IncludeExtBox->SetEnabled(true);
    w.CheckBox1->SetEnabled(true);

    w.CheckBox1->SetChecked(false); // runs CheckBox1Click
    EXPECT_EQ(w.SourceFiles->Mask(), "*.DB;*.TXT;");
    box(w, "TXT").SetChecked(false); // runs ExtClick
    EXPECT_EQ(w.SourceFiles->Mask(), "*.DB;");
    EXPECT_EQ(itemsOf(w.SourceFiles->Items()), (std::vector<std::string>{"a.DB", "b.db"}));
    EXPECT_EQ(w.FIleCount->Caption(), "選擇檔案數 :  2");
    EXPECT_EQ(w.FilesLength->Caption(), "總檔案大小 :  0 KB");

    box(w, "DB").SetChecked(false);
    EXPECT_EQ(w.SourceFiles->Mask(), "");
    EXPECT_TRUE(w.SourceFiles->Items().Count() == 0);
    EXPECT_EQ(w.FIleCount->Caption(), "選擇檔案數 :  0");

    // A click on a box while all files are chosen clears the all-files box.
    w.CheckBox1->SetChecked(true);
    EXPECT_EQ(w.SourceFiles->Mask(), "*.*");
    box(w, "TXT").SetChecked(true); // as a click does
    EXPECT_TRUE(box(w, "TXT").Checked());
    EXPECT_FALSE(w.CheckBox1->Checked());
    EXPECT_EQ(w.SourceFiles->Mask(), "*.TXT;");
    EXPECT_EQ(itemsOf(w.SourceFiles->Items()), std::vector<std::string>{"c.TXT"});
    EXPECT_EQ(w.FilesLength->Caption(), "總檔案大小 :  2 KB");
}

TEST_F(Filter, CountsSetTheDefaultCursorWhenTheyComplete)
{
    drives.file("C:\\SRC\\a.db");
    Window& w = showSource();
    ui::Screen->SetCursor(ui::crHourGlass);
    w.UpdateMask();
    EXPECT_EQ(ui::Screen->Cursor(), ui::crDefault);
}

TEST_F(Filter, FailedCountsKeepTheHourglassAndTheLabels)
{
    drives.file("C:\\SRC\\a.db");
    Window& w = showSource();
    const std::string count = w.FIleCount->Caption();
    drives.eject('C');
    // The list reads its folder again, which can no longer be entered.
    EXPECT_THROW(w.UpdateMask(), files::InOutError);
    EXPECT_EQ(ui::Screen->Cursor(), ui::crHourGlass);
    EXPECT_EQ(w.FIleCount->Caption(), count);
    ui::Screen->SetCursor(ui::crDefault);
}
