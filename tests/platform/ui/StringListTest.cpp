#include "ui/StringList.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Sorted(const std::vector<std::string>& added)
{
    ui::TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(ui::dupIgnore);
    for (const std::string& s : added)
        list.Add(s);
    return list.ToVector();
}

TEST(StringListTest, SortedIgnoringCaseKeepsTheFirstSpelling)
{
    EXPECT_EQ(Sorted({"db", "DB", "Db"}), (std::vector<std::string>{"db"}));
    EXPECT_EQ(Sorted({"txt", "DB", "exe"}), (std::vector<std::string>{"DB", "exe", "txt"}));
    EXPECT_EQ(Sorted({"TXT", "txt", "db", "PX"}), (std::vector<std::string>{"db", "PX", "TXT"}));
}

TEST(StringListTest, AddingAnExistingEntryGivesItsPosition)
{
    ui::TStringList list;
    list.SetSorted(true);
    EXPECT_EQ(list.Add("txt"), 0);
    EXPECT_EQ(list.Add("db"), 0);
    EXPECT_EQ(list.Add("exe"), 1);
    EXPECT_EQ(list.Add("TXT"), 2);
    EXPECT_EQ(list.Add("EXE"), 1);
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringListTest, DuplicatesCanBeRefused)
{
    ui::TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(ui::dupError);
    list.Add("a");
    EXPECT_THROW(list.Add("A"), std::runtime_error);
}

} // namespace
