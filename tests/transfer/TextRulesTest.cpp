// The small text rules of the transfer window: drive letters, extension box
// texts, the count captions and the settings file's database folder.

#include "Drives.h"
#include "files/FileSystem.h"
#include "transfer/Extensions.h"
#include "transfer/FolderText.h"
#include "transfer/SettingsFile.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace transfer;

TEST(DriveLetter, TakesTheFirstLetterOrD)
{
    const struct
    {
        const char* path;
        char drive;
    } cases[] = {
        {"C:", 'C'},   {"C:\\TARN", 'C'}, {"e:\\data", 'E'},
        {"z", 'Z'},    {"", 'D'},         {"\\\\server\\share", 'D'},
        {"1:\\", 'D'}, {"_x", 'D'},       {"中文\\資料", 'D'},
        {"a", 'A'},    {" C:\\", 'D'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(driveLetterOf(c.path), c.drive) << '"' << c.path << '"';
}

TEST(FirstCp950Bytes, CutsByCodePageBytesKeepingWholeCharacters)
{
    EXPECT_EQ(firstCp950Bytes("C:\\TARN\\DATA", 3), "C:\\");
    EXPECT_EQ(firstCp950Bytes("C:", 3), "C:");
    EXPECT_EQ(firstCp950Bytes("", 3), "");
    EXPECT_EQ(firstCp950Bytes("中文資料", 4), "中文"); // two bytes each in code page 950
    EXPECT_EQ(firstCp950Bytes("A中文", 4), "A中");     // the second one would not fit whole
}

TEST(UsableSubfolderName, OnlyNamesOfFoldersBelowTheTopFolder)
{
    const struct
    {
        const char* name;
        bool usable;
    } cases[] = {
        {"ACCOUNT", true},
        {"a\\b", true},
        {"a/b", true},
        {" blank ", true},
        {"...", true},
        {"帳冊\\資料", true},
        {"a..b", true},
        {"", false},
        {".", false},
        {"..", false},
        {"..\\ESCAPE", false},
        {"../ESCAPE", false},
        {"a\\..\\b", false},
        {"a\\.", false},
        {"\\ROOTED", false},
        {"/ROOTED", false},
        {"a\\", false},
        {"a\\\\b", false},
        {"C:\\ELSEWHERE", false},
        {"C:a", false},
        {"a:b", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(usableSubfolderName(c.name), c.usable) << '"' << c.name << '"';
}

TEST(ExtensionBoxText, TakesTheLastExtensionCutToFourBytes)
{
    const struct
    {
        const char* name;
        const char* text;
    } cases[] = {
        {"a.TXT", "TXT"},         {"b.txt", "txt"},        {"report.html", "html"}, {"data.backup", "back"},
        {"archive.tar.gz", "gz"}, {".profile", "prof"},    {"README", ""},          {"name.", ""},
        {"inst.DB", "DB"},        {"帳冊.資料庫", "資料"}, {"x.a資料", "a資"},      {"x.ab資料", "ab資"},
        {"x.abc資", "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(extensionBoxText(c.name), c.text) << c.name;
}

TEST(CountCaptions, KeepTheirBlanksAndRoundSizesDown)
{
    EXPECT_EQ(fileCountCaption(0), "選擇檔案數 :  0");
    EXPECT_EQ(fileCountCaption(12), "選擇檔案數 :  12");
    EXPECT_EQ(filesLengthCaption(0), "總檔案大小 :  0 KB");
    EXPECT_EQ(filesLengthCaption(1023), "總檔案大小 :  0 KB");
    EXPECT_EQ(filesLengthCaption(1024), "總檔案大小 :  1 KB");
    EXPECT_EQ(filesLengthCaption(2047), "總檔案大小 :  1 KB");
    EXPECT_EQ(filesLengthCaption(5LL << 30), "總檔案大小 :  5242880 KB");
    EXPECT_EQ(freeSpaceCaption(-1), "剩餘容量: 0 KB");
    EXPECT_EQ(freeSpaceCaption(1048575), "剩餘容量: 1023 KB");
}

TEST(SettingsFile, SecondLineFromItsSixthByte)
{
    const std::string long2 = "PATH=" + std::string(300, 'x');
    const struct
    {
        std::string bytes;
        std::string folder;
    } cases[] = {
        {"[TARN]\r\nPATH=C:\\TARN\\DB\r\nmore\r\n", "C:\\TARN\\DB"},
        {"[TARN]\rPATH=C:\\TARN\\DB\r", "C:\\TARN\\DB"}, // CR alone ends a line
        {"[TARN]\r\nPATH=C:\\DB", "C:\\DB"},             // end of file ends line 2
        {"[TARN]\r\nPATH= C:\\DB \r\n", " C:\\DB "},     // taken as written
        {"[TARN]\r\n", ""},                              // one line
        {"[TARN]", ""},                                  // no line end at all
        {"[TARN]\r\nPATH=\r\n", ""},                     // fewer than 6 bytes
        {"[TARN]\r\nPATHX\r\n", ""},
        {"[TARN]\nPATH=C:\\DB\n", ""},               // LF-only: all one line
        {"[TARN]\r\nPATH=C:\\A\nB\r\n", "C:\\A\nB"}, // a lone LF stays in the line
        {"[TARN]\r\n\nPATH=C:\\DB\r\n", "=C:\\DB"},  // only one LF belongs to the line end
        {"[TARN]\r\nPATH=C:\\DB\x1A"
         "after\r\n",
         "C:\\DB"}, // Ctrl-Z ends the text
        {"[TARN]\x1A\r\nPATH=C:\\DB\r\n", ""},
        {"[TARN]\r\n" + long2 + "\r\n", std::string(200, 'x')},
        {"\r\n"
         "PATH=C:\\\xA4\xA4\xA4\xE5\r\n",
         "C:\\\xA4\xA4\xA4\xE5"}, // code page 950 bytes as they are
    };
    for (const auto& c : cases)
        EXPECT_EQ(databaseFolderInSettings(c.bytes), c.folder) << c.bytes;
}

TEST(SettingsFile, ReadsTheFileAndConvertsTheFolder)
{
    transfertest::Drives drives("C");
    drives.file("C:\\TARN\\Tarn.ini", "[TARN]\r\nPATH=C:\\\xA4\xA4\xA4\xE5\\DB\r\n");
    EXPECT_EQ(readDatabaseFolder("C:\\TARN\\Tarn.ini"), "C:\\中文\\DB");

    // Bytes 6 to 205 counted in the file's own bytes: 100 two-byte characters fit.
    std::string line2 = "PATH=";
    for (int i = 0; i < 150; ++i)
        line2 += "\xA4\xA4";
    drives.file("C:\\TARN\\Tarn.ini", "x\r\n" + line2 + "\r\n");
    std::string expected;
    for (int i = 0; i < 100; ++i)
        expected += "中";
    EXPECT_EQ(readDatabaseFolder("C:\\TARN\\Tarn.ini"), expected);
}

TEST(SettingsFile, UnreadableFileRaisesTheInputOutputError)
{
    transfertest::Drives drives("C");
    EXPECT_THROW(readDatabaseFolder("C:\\TARN\\Tarn.ini"), files::InOutError);
    drives.folder("C:\\TARN\\Tarn.ini");
    EXPECT_THROW(readDatabaseFolder("C:\\TARN\\Tarn.ini"), files::InOutError);
}
