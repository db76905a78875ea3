// Folder search: the attribute filter, wildcards, errors, what an entry holds.

#include "files/FileSystem.h"
#include "platform/files/TempDrives.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace files;
using files::test::makeHostFolder;
using files::test::TempDrives;
using files::test::writeHostFile;

using files::test::foundNames;

namespace {

bool setDosAttributes(const std::string& host, const char* value)
{
    return setxattr(host.c_str(), "user.DOSATTRIB", value, strlen(value), 0) == 0;
}

} // namespace

TEST(Search, LeavesOutEntriesWithAnAttributeTheSetLacks)
{
    TempDrives machine;
    std::string dir = machine.root('C') + "/Data";
    makeHostFolder(dir);
    writeHostFile(dir + "/plain.txt", "p");
    writeHostFile(dir + "/ro.txt", "r");
    ASSERT_EQ(chmod((dir + "/ro.txt").c_str(), 0444), 0);
    writeHostFile(dir + "/.hidden", "h");
    writeHostFile(dir + "/dosHidden.txt", "h");
    writeHostFile(dir + "/system.sys", "s");
    writeHostFile(dir + "/archive.txt", "a");
    makeHostFolder(dir + "/Folder");
    if (!setDosAttributes(dir + "/dosHidden.txt", "0x2") || !setDosAttributes(dir + "/system.sys", "0x4") ||
        !setDosAttributes(dir + "/archive.txt", "0x20"))
        GTEST_SKIP() << "no extended attributes here";

    struct Case
    {
        int attrs;
        const char* names;
    };
    const Case cases[] = {
        {0, "archive.txt plain.txt ro.txt"},
        {ReadOnly | Archive, "archive.txt plain.txt ro.txt"},
        {Hidden, ".hidden archive.txt dosHidden.txt plain.txt ro.txt"},
        {SysFile, "archive.txt plain.txt ro.txt system.sys"},
        {Directory, "archive.txt Folder plain.txt ro.txt"},
        {47, ".hidden archive.txt dosHidden.txt plain.txt ro.txt system.sys"},
        {AnyFile, ".hidden archive.txt dosHidden.txt Folder plain.txt ro.txt system.sys"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(foundNames("C:\\Data\\*.*", c.attrs), c.names) << "attrs " << c.attrs;

    struct Attr
    {
        const char* name;
        int attr;
    };
    const Attr attrs[] = {
        {"plain.txt", 0},        {"ro.txt", ReadOnly},     {".hidden", Hidden},   {"dosHidden.txt", Hidden},
        {"system.sys", SysFile}, {"archive.txt", Archive}, {"Folder", Directory},
    };
    for (const Attr& a : attrs) {
        FolderSearch search;
        SearchRec rec;
        ASSERT_EQ(search.findFirst(std::string("C:\\Data\\") + a.name, AnyFile, rec), 0) << a.name;
        EXPECT_EQ(rec.attr, a.attr) << a.name;
    }
}

TEST(Search, StoredAttributesOnlyInTheirTextForm)
{
    TempDrives machine;
    std::string dir = machine.root('C');
    writeHostFile(dir + "/samba.txt", "");
    writeHostFile(dir + "/binary.txt", "");
    writeHostFile(dir + "/junk.txt", "");
    // Samba's record begins with the text and a zero byte; other forms count as none.
    const char samba[] = "0x22\0\x03\x00\x03\x00\x00\x00";
    if (setxattr((dir + "/samba.txt").c_str(), "user.DOSATTRIB", samba, sizeof samba - 1, 0) != 0)
        GTEST_SKIP() << "no extended attributes here";
    const char binary[] = "\0\x04\x00\x04\x00\x00\x00\x02\x00\x00\x00";
    ASSERT_EQ(setxattr((dir + "/binary.txt").c_str(), "user.DOSATTRIB", binary, sizeof binary - 1, 0), 0);
    ASSERT_TRUE(setDosAttributes(dir + "/junk.txt", "0x2z"));

    EXPECT_EQ(foundNames("C:\\*.txt", 0), "binary.txt junk.txt");
    EXPECT_EQ(foundNames("C:\\*.txt", Hidden), "binary.txt junk.txt samba.txt");
}

TEST(Search, WindowsWildcards)
{
    struct Case
    {
        const char* name;
        const char* mask;
        bool matches;
    };
    const Case cases[] = {
        {"README", "*.*", true},
        {"a.txt", "*.*", true},
        {".profile", "*.*", true},
        {"a.txt", "*.TXT", true},
        {"A.TXT", "*.txt", true},
        {"a.txt.bak", "*.txt", false},
        {"archive.tar.gz", "*.gz", true},
        {"ab.db", "?b.db", true},
        {"b.db", "?b.db", false},
        {"資料.db", "??.DB", true},
        {"資料.db", "?.DB", false},
        {"README", "READ?E.*", true},
        {"README", "READ*", true},
        {"abdc", "a*c", true},
        {"abdcx", "a*c", false},
        {"x", "*", true},
        {"ab", "a?", true},
        {"a", "a?", false},
        {"data", "DATA.*", true},
        {"data.db", "data", false},
        {"a.b.c", "*.b.*", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(matchesMask(c.name, c.mask), c.matches) << c.name << " " << c.mask;
}

TEST(Search, PatternsOverAFolder)
{
    TempDrives machine;
    std::string dir = machine.root('C') + "/Data";
    makeHostFolder(dir);
    for (const char* name : {"README", "a.txt", "b.TXT", "c.db", "ab.txt"})
        writeHostFile(dir + "/" + name, name);
    setCurrentFolder("C:\\Data");

    struct Case
    {
        const char* pattern;
        const char* names;
    };
    const Case cases[] = {
        {"C:\\Data\\*.*", "a.txt ab.txt b.TXT c.db README"},
        {"c:\\data\\*.txt", "a.txt ab.txt b.TXT"},
        {"C:\\Data\\?.txt", "a.txt b.TXT"},
        {"*.db", "c.db"},
        {"C:*.DB", "c.db"},
        {"\\Data\\readme", "README"},
        {"C:\\Data\\*.exe", "error 2"},
        {"C:\\Data\\none.txt", "error 2"},
        {"C:\\None\\*.*", "error 3"},
        {"C:\\None\\a.txt", "error 3"},
        {"C:\\Data\\", "error 2"},
        {"C:\\Data\\a|b", "error 123"},
        {"Q:\\*.*", "error 15"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(foundNames(c.pattern, 0), c.names) << c.pattern;
}

TEST(Search, ARootIsSearchedAndDotEntriesNeverCome)
{
    TempDrives machine;
    writeHostFile(machine.root('D') + "/x.db", "");
    makeHostFolder(machine.root('D') + "/Sub");
    EXPECT_EQ(foundNames("D:\\*.*", AnyFile), "Sub x.db");
    EXPECT_EQ(foundNames("D:\\Sub\\*.*", AnyFile), "error 2");
}

TEST(Search, AFirstStepThatFindsNothingClosesTheSearch)
{
    TempDrives machine;
    FolderSearch search;
    SearchRec rec;
    EXPECT_EQ(search.findFirst("C:\\*.*", AnyFile, rec), FileNotFound);
    EXPECT_EQ(search.findNext(rec), NoMoreFiles);
    search.close();
    search.close();
}

TEST(Search, HostNamesWindowsCannotHoldAreNotListed)
{
    TempDrives machine;
    // Joined to a folder, "..\x" would name a file elsewhere.
    for (const char* name : {"..\\x.db", "what?.db", "con.db", "a:b.db", "good.db"})
        writeHostFile(machine.root('C') + "/" + name, "");
    ASSERT_EQ(mkfifo((machine.root('C') + "/pipe.db").c_str(), 0644), 0);
    ASSERT_EQ(symlink("nowhere", (machine.root('C') + "/dangling.db").c_str()), 0);
    EXPECT_EQ(foundNames("C:\\*.*", AnyFile), "good.db");
}

TEST(Search, AnEntryGivesItsSizeAndTime)
{
    TempDrives machine;
    std::string host = machine.root('C') + "/big.dat";
    int fd = ::open(host.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, std::int64_t(5) << 30), 0);
    ::close(fd);

    FolderSearch search;
    SearchRec rec;
    ASSERT_EQ(search.findFirst("C:\\BIG.DAT", 0, rec), 0);
    EXPECT_EQ(rec.name, "big.dat");
    EXPECT_EQ(rec.size, std::int64_t(5) << 30);
    LocalTime time;
    ASSERT_TRUE(fileTime("C:\\big.dat", time));
    EXPECT_EQ(rec.time.year, time.year);
    EXPECT_EQ(rec.time.second, time.second);
    EXPECT_EQ(rec.time.nanosecond, time.nanosecond);
}
