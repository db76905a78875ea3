// Windows paths and names over the host: expansion, letter case, valid
// names, joining, code page 950.

#include "files/FileSystem.h"
#include "platform/files/OtherProcess.h"
#include "platform/files/TempDrives.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace files;
using files::test::makeHostFolder;
using files::test::readHostFile;
using files::test::TempDrives;
using files::test::writeHostFile;

TEST(Paths, ExpandAgainstTheDrivesCurrentFolders)
{
    TempDrives machine("CD", "E");
    makeHostFolder(machine.root('C') + "/Tarn/Data");
    makeHostFolder(machine.root('D') + "/BAK");
    setCurrentFolder("D:\\BAK");
    setCurrentFolder("C:\\TARN");

    struct Case
    {
        const char* path;
        const char* expanded;
    };
    const Case cases[] = {
        {"data", "C:\\Tarn\\Data"},
        {"new\\Sub", "C:\\Tarn\\new\\Sub"},
        {".\\DATA\\..\\data\\", "C:\\Tarn\\Data"},
        {"\\", "C:\\"},
        {"C:\\tarn\\..\\..\\..", "C:\\"},
        {"D:", "D:\\BAK"},
        {"d:..\\..\\x", "D:\\x"},
        {"D:/bak//x/", "D:\\BAK\\x"},
        {"q:\\a\\b", "Q:\\a\\b"},
        {"E:\\x", "E:\\x"},
        {"C:\\a|b", ""},
        {"\\\\server\\share", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(expandPath(c.path), c.expanded);
    }
}

TEST(Paths, HostPathResolvesEachComponentIgnoringCase)
{
    TempDrives machine("CD", "E");
    makeHostFolder(machine.root('C') + "/Tarn/Data");
    writeHostFile(machine.root('C') + "/Tarn/Data/Report.TXT", "r");

    // Host paths go through the drive's entry, so they follow it wherever it points.
    std::string c = machine.dosdevices() + "/c:";
    EXPECT_EQ(hostPath("c:\\TARN\\data\\report.txt"), c + "/Tarn/Data/Report.TXT");
    EXPECT_TRUE(fileExists("C:\\TARN\\DATA\\REPORT.TXT"));
    // Missing components keep the spelling given.
    EXPECT_EQ(hostPath("C:\\tarn\\New\\x.db"), c + "/Tarn/New/x.db");
    EXPECT_EQ(hostPath("Q:\\x"), "");
    EXPECT_EQ(lastError(), InvalidDrive);
    EXPECT_EQ(hostPath("E:\\x"), "");
    EXPECT_EQ(lastError(), NotReady);
}

TEST(Paths, OfSeveralSpellingsTheExactOneElseTheFirstInByteOrder)
{
    TempDrives machine;
    writeHostFile(machine.root('C') + "/ab.txt", "lower");
    writeHostFile(machine.root('C') + "/Ab.txt", "mixed");
    writeHostFile(machine.root('C') + "/AB.TXT", "upper");

    std::string c = machine.dosdevices() + "/c:";
    EXPECT_EQ(hostPath("C:\\ab.txt"), c + "/ab.txt");
    EXPECT_EQ(hostPath("C:\\Ab.txt"), c + "/Ab.txt");
    EXPECT_EQ(hostPath("C:\\aB.tXt"), c + "/AB.TXT");
}

TEST(Paths, NewEntriesTakeTheSpellingGiven)
{
    TempDrives machine;
    ASSERT_TRUE(createDir("C:\\NewDir"));
    Handle file = fileOps().create("C:\\newdir\\MiXed.Txt");
    ASSERT_NE(file, InvalidHandle);
    ASSERT_TRUE(fileOps().write(file, "one", 3));
    fileOps().close(file);
    // A second spelling names the same file.
    file = fileOps().create("C:\\NEWDIR\\mixed.txt");
    ASSERT_NE(file, InvalidHandle);
    ASSERT_TRUE(fileOps().write(file, "two", 3));
    fileOps().close(file);

    EXPECT_EQ(readHostFile(machine.root('C') + "/NewDir/MiXed.Txt"), "two");
    FolderSearch search;
    SearchRec rec;
    ASSERT_EQ(search.findFirst("C:\\NewDir\\*.*", AnyFile, rec), 0);
    EXPECT_EQ(rec.name, "MiXed.Txt");
    EXPECT_EQ(search.findNext(rec), NoMoreFiles);
}

TEST(Paths, AnExactNameIsFoundWithoutReadingItsFolder)
{
    TempDrives machine;
    // Others may pass through the folder but not read it: only a lookup by
    // the exact name can find its file.
    makeHostFolder(machine.root('C') + "/Sealed");
    writeHostFile(machine.root('C') + "/Sealed/Name.txt", "x");
    ASSERT_EQ(chmod((machine.root('C') + "/Sealed").c_str(), 0111), 0);
    int result = files::test::runUnprivileged([] {
        if (!fileExists("C:\\Sealed\\Name.txt"))
            return 1;
        if (fileExists("C:\\Sealed\\NAME.TXT"))
            return geteuid() == 0 ? 3 : 2;
        return 0;
    });
    if (result == 3)
        GTEST_SKIP() << "no unprivileged user";
    EXPECT_EQ(result, 0);
}

TEST(Paths, NamesOthersChangeAreSeenAtOnceThoughFoldersAreReadOnlyOnce)
{
    TempDrives machine;
    const std::string dir = machine.root('C') + "/Data";
    makeHostFolder(dir);
    // Each step right after the one before, well inside one tick of the
    // file system's clock.
    for (int round = 0; round < 20; ++round) {
        EXPECT_FALSE(fileExists("C:\\Data\\MIXED.TXT"));
        writeHostFile(dir + "/Mixed.Txt", "x");
        EXPECT_EQ(expandPath("C:\\Data\\MIXED.TXT"), "C:\\Data\\Mixed.Txt");
        ASSERT_EQ(rename((dir + "/Mixed.Txt").c_str(), (dir + "/other.txt").c_str()), 0);
        EXPECT_FALSE(fileExists("C:\\Data\\MIXED.TXT"));
        EXPECT_TRUE(fileExists("C:\\Data\\OTHER.TXT"));
        ASSERT_EQ(unlink((dir + "/other.txt").c_str()), 0);
        EXPECT_FALSE(fileExists("C:\\Data\\OTHER.TXT"));
    }
}

TEST(Names, WindowsRulesForValidNames)
{
    struct Case
    {
        const char* name;
        bool valid;
    };
    const Case cases[] = {
        {"REPORT.TXT", true}, {"資料.db", true}, {"a b", true},       {".profile", true}, {"CONSOLE", true},
        {"COM10", true},      {"LPT0", true},    {"", false},         {".", false},       {"..", false},
        {"a<b", false},       {"a>b", false},    {"a:b", false},      {"a\"b", false},    {"a/b", false},
        {"a\\b", false},      {"a|b", false},    {"a?b", false},      {"a*b", false},     {"a\tb", false},
        {"a\x1f", false},     {"CON", false},    {"con.txt", false},  {"Prn", false},     {"AUX.DB", false},
        {"nul", false},       {"COM1", false},   {"com9.log", false}, {"LPT1", false},    {"lpt9", false},
        {"CON .txt", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(validName(c.name), c.valid) << c.name;
}

TEST(Names, InvalidNamesAreRefusedWhereLinuxWouldTakeThem)
{
    TempDrives machine;
    for (const char* path : {"C:\\a?b", "C:\\CON", "C:\\x:y", "C:\\aux.txt"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(createDir(path));
        EXPECT_EQ(lastError(), InvalidName);
        EXPECT_EQ(fileOps().create(path), InvalidHandle);
        EXPECT_EQ(lastError(), InvalidName);
    }
}

TEST(Names, JoinAndUpperCase)
{
    EXPECT_EQ(joinName("C:\\", "A.TXT"), "C:\\A.TXT");
    EXPECT_EQ(joinName("C:\\TARN", "A.TXT"), "C:\\TARN\\A.TXT");
    EXPECT_EQ(joinName("", "A.TXT"), "\\A.TXT");
    EXPECT_EQ(upperAscii("Pdoxusrs.net"), "PDOXUSRS.NET");
    EXPECT_EQ(upperAscii("資料.db äé"), "資料.DB äé");
}

TEST(CodePage950, ConvertsBothWaysAndCountsBytes)
{
    EXPECT_EQ(toCp950("資訊"), "\xB8\xEA\xB0\x54");
    EXPECT_EQ(fromCp950("\xB8\xEA\xB0\x54"), "資訊");
    EXPECT_EQ(fromCp950(toCp950("拷貝 : A.DB")), "拷貝 : A.DB");
    EXPECT_EQ(cp950Length("資訊"), 4u);
    EXPECT_EQ(cp950Length("拷貝 : "), 7u);
    EXPECT_EQ(cp950Length(""), 0u);
}

TEST(CodePage950, WhatTheOtherSideCannotHoldBecomesAQuestionMark)
{
    EXPECT_EQ(toCp950("a😀b"), "a?b");
    EXPECT_EQ(toCp950("a\xFF"
                      "b"),
              "a?b");
    EXPECT_EQ(cp950Length("😀"), 1u);
    EXPECT_EQ(fromCp950("a\xB8"), "a?");
    EXPECT_EQ(fromCp950("\xFF"
                        "b"),
              "?b");
}
