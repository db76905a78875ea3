// The order of names in the views and the shortening of a path to a width.

#include "UiTestSupport.h"
#include "ui/FileNameOrder.h"
#include "ui/PathLabel.h"

#include <QLocale>
#include <gtest/gtest.h>

using ui::minimizePath;
using ui::sortFileNames;

namespace {

int characters(const std::string& text)
{
    return int(text.size());
}

} // namespace

TEST(MinimizePath, GivesWayFolderByFolderThenTheDriveThenAllButTheName)
{
    const std::string path = "C:\\AAAA\\BBBB\\CCCC\\NAME"; // 22 characters
    struct Case
    {
        int width;
        std::string shown;
    };
    const Case cases[] = {
        {22, path},
        {21, "C:\\...\\BBBB\\CCCC\\NAME"},
        {20, "C:\\...\\CCCC\\NAME"},
        {16, "C:\\...\\CCCC\\NAME"},
        {15, "C:\\...\\NAME"},
        {11, "C:\\...\\NAME"},
        {10, "...\\NAME"},
        {8, "...\\NAME"},
        {7, "NAME"},
        {0, "NAME"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(minimizePath(path, c.width, characters), c.shown) << "width " << c.width;
}

TEST(MinimizePath, RootsAndNamesDirectlyUnderTheRoot)
{
    EXPECT_EQ(minimizePath("C:\\", 0, characters), "C:\\");
    EXPECT_EQ(minimizePath("C:\\LONGNAME", 9, characters), "LONGNAME");
    EXPECT_EQ(minimizePath("C:\\LONGNAME", 11, characters), "C:\\LONGNAME");
    // Multi-byte names count as the width function measures them.
    EXPECT_EQ(minimizePath("C:\\資料\\備份\\檔案", 12, characters), "...\\檔案");
}

TEST(SortFileNames, IgnoresLetterCaseInTheCLocale)
{
    DefaultLocale locale(QLocale::c());
    std::vector<std::string> names{"b.txt", "Zeta.txt", "A.txt", "alpha.txt", "中文.txt", "一.txt", "C.txt"};
    sortFileNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"A.txt", "alpha.txt", "b.txt", "C.txt", "Zeta.txt", "一.txt",
                                               "中文.txt"}));
}

TEST(SortFileNames, FollowsTheUserLocalesCollation)
{
    // Traditional Chinese sorts Han characters by stroke count: 一 (1), 十 (2), 大 (3), 中 (4).
    DefaultLocale locale(QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan));
    std::vector<std::string> names{"中.db", "b.db", "大.db", "A.db", "十.db", "一.db", "a.db"};
    sortFileNames(names);
    const std::vector<std::string> han{names.begin(), names.begin() + 4};
    EXPECT_EQ(han, (std::vector<std::string>{"一.db", "十.db", "大.db", "中.db"}));
    const std::vector<std::string> latin{names.begin() + 4, names.end()};
    // Names equal but for case keep one fixed order.
    EXPECT_EQ(latin, (std::vector<std::string>{"A.db", "a.db", "b.db"}));
}

TEST(FileMask, PartsSeparatedBySemicolonsAndEmptyPartsMatchNothing)
{
    EXPECT_TRUE(ui::FileMask("*.*").matches("README"));
    EXPECT_TRUE(ui::FileMask("*.db;*.TXT").matches("notes.txt"));
    EXPECT_TRUE(ui::FileMask("*.DB;").matches("param.db"));
    EXPECT_FALSE(ui::FileMask("*.DB;").matches("notes.txt"));
    EXPECT_FALSE(ui::FileMask("").matches("param.db"));
    EXPECT_FALSE(ui::FileMask(";;").matches("param.db"));
}
