// Drives from DOSDEVICES, the start folder, and the current-folder rules.

#include "files/FileSystem.h"
#include "platform/files/OtherProcess.h"
#include "platform/files/TempDrives.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace files;
using files::test::makeHostFolder;
using files::test::TempDrives;
using files::test::writeHostFile;

namespace {

std::string windowsFrom(const std::string& host)
{
    char* real = realpath(host.c_str(), nullptr);
    std::string path = real;
    std::free(real);
    std::string windows = "C:";
    for (char c : path)
        windows += c == '/' ? '\\' : c;
    return windows;
}

} // namespace

TEST(Drives, ComeFromTheLetterEntriesOfDosdevices)
{
    TempDrives machine("CD", "E");
    // A folder itself may be the entry; entries that are not a letter and a colon are no drives.
    makeHostFolder(machine.dosdevices() + "/F:");
    makeHostFolder(machine.dosdevices() + "/c::");
    makeHostFolder(machine.dosdevices() + "/gg");
    mount(machine.dosdevices(), machine.root('C'));

    EXPECT_EQ(drives(), "CDEF");
    EXPECT_TRUE(driveExists('d'));
    EXPECT_TRUE(driveReady('F'));
    EXPECT_TRUE(driveExists('E'));
    EXPECT_FALSE(driveReady('E'));
    EXPECT_FALSE(driveExists('G'));
    EXPECT_FALSE(driveReady('G'));
}

TEST(Drives, WithoutDosdevicesTheHostRootIsDriveC)
{
    TempDrives machine;
    mount("", machine.root('D'));
    EXPECT_EQ(drives(), "C");
    EXPECT_EQ(currentFolder(), windowsFrom(machine.root('D')));
}

TEST(Drives, StartFolderLiesOnTheDeepestRootThatHoldsIt)
{
    TempDrives machine("C");
    makeHostFolder(machine.root('C') + "/Nested/Work");
    ASSERT_EQ(symlink((machine.root('C') + "/Nested").c_str(), (machine.dosdevices() + "/d:").c_str()), 0);
    mount(machine.dosdevices(), machine.root('C') + "/Nested/Work");

    EXPECT_EQ(currentFolder(), "D:\\Work");
    EXPECT_EQ(currentFolderOf('D'), "D:\\Work");
    EXPECT_EQ(currentFolderOf('C'), "C:\\");
}

TEST(Drives, AWorkingFolderOnNoDriveIsAStartupError)
{
    TempDrives machine;
    try {
        mount(machine.dosdevices(), machine.base());
        FAIL() << "mounted";
    } catch (const StartupError& error) {
        EXPECT_NE(std::string(error.what()).find("lies on none of the drives"), std::string::npos);
    }
    EXPECT_THROW(mount(machine.base() + "/none", machine.root('C')), StartupError);
}

TEST(Drives, MountFromEnvironmentReadsDosdevicesAndTheWorkingFolder)
{
    TempDrives machine;
    makeHostFolder(machine.root('D') + "/Suite");
    int result = files::test::runUnprivileged([&] {
        setenv("DOSDEVICES", machine.dosdevices().c_str(), 1);
        if (chdir((machine.root('D') + "/Suite").c_str()) != 0)
            return 1;
        mountFromEnvironment();
        return drives() == "CD" && currentFolder() == "D:\\Suite" ? 0 : 2;
    });
    EXPECT_EQ(result, 0);
}

TEST(Drives, MountResetsAllCurrentFolders)
{
    TempDrives machine;
    makeHostFolder(machine.root('C') + "/A");
    makeHostFolder(machine.root('D') + "/B");
    setCurrentFolder("C:\\A");
    setCurrentFolder("D:\\B");
    machine.mountAt("C:\\");
    EXPECT_EQ(currentFolder(), "C:\\");
    EXPECT_EQ(currentFolderOf('C'), "C:\\");
    EXPECT_EQ(currentFolderOf('D'), "D:\\");
}

TEST(CurrentFolder, OnePerDriveAndOneForTheProcess)
{
    TempDrives machine;
    makeHostFolder(machine.root('C') + "/TARN/DATA");
    makeHostFolder(machine.root('D') + "/BAK/2026");

    struct Step
    {
        const char* set;
        const char* process;
        const char* onC;
        const char* onD;
    };
    const Step steps[] = {
        {"C:\\TARN", "C:\\TARN", "C:\\TARN", "D:\\"},
        {"DATA", "C:\\TARN\\DATA", "C:\\TARN\\DATA", "D:\\"},
        {"D:\\BAK", "D:\\BAK", "C:\\TARN\\DATA", "D:\\BAK"},
        {"C:", "C:\\TARN\\DATA", "C:\\TARN\\DATA", "D:\\BAK"},
        {"D:2026", "D:\\BAK\\2026", "C:\\TARN\\DATA", "D:\\BAK\\2026"},
        {"\\", "D:\\", "C:\\TARN\\DATA", "D:\\"},
        {"C:..", "C:\\TARN", "C:\\TARN", "D:\\"},
        {"..\\..\\..\\..", "C:\\", "C:\\", "D:\\"},
        {"c:\\tarn\\data\\", "C:\\TARN\\DATA", "C:\\TARN\\DATA", "D:\\"},
        {"d:/bak/./2026", "D:\\BAK\\2026", "C:\\TARN\\DATA", "D:\\BAK\\2026"},
        {"C:\\TARN\\..\\..\\TARN", "C:\\TARN", "C:\\TARN", "D:\\BAK\\2026"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.set);
        setCurrentFolder(step.set);
        EXPECT_EQ(currentFolder(), step.process);
        EXPECT_EQ(currentFolderOf('C'), step.onC);
        EXPECT_EQ(currentFolderOf('d'), step.onD);
    }
}

TEST(CurrentFolder, NeverMovesTheHostWorkingFolder)
{
    TempDrives machine;
    makeHostFolder(machine.root('D') + "/X");
    char before[4096];
    ASSERT_NE(getcwd(before, sizeof before), nullptr);
    setCurrentFolder("D:\\X");
    char after[4096];
    ASSERT_NE(getcwd(after, sizeof after), nullptr);
    EXPECT_STREQ(before, after);
}

TEST(CurrentFolder, AFolderThatCannotBeEnteredRaisesTheInOutError)
{
    TempDrives machine("CD", "E");
    makeHostFolder(machine.root('C') + "/TARN");
    writeHostFile(machine.root('C') + "/TARN/file.txt", "x");
    setCurrentFolder("C:\\TARN");

    struct Case
    {
        const char* path;
        int code;
        const char* text;
    };
    const Case cases[] = {
        {"C:\\NONE", 2, "File not found"},
        {"C:\\NONE\\SUB", 3, "Invalid filename"},
        {"C:\\TARN\\file.txt\\SUB", 3, "Invalid filename"},
        {"C:\\TARN\\file.txt", 267, "I/O error 267"},
        {"C:\\TA*RN", 123, "I/O error 123"},
        {"C:\\TARN\\CON", 123, "I/O error 123"},
        {"Q:\\", 15, "I/O error 15"},
        {"E:\\", 21, "I/O error 21"},
        {"E:", 21, "I/O error 21"},
        {"\\\\server\\share", 53, "I/O error 53"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        try {
            setCurrentFolder(c.path);
            ADD_FAILURE() << "entered";
        } catch (const InOutError& error) {
            EXPECT_EQ(error.code(), c.code);
            EXPECT_STREQ(error.what(), c.text);
        }
        EXPECT_EQ(currentFolder(), "C:\\TARN");
    }
}

TEST(CurrentFolder, AFolderClosedToTheUserIsAccessDenied)
{
    TempDrives machine;
    makeHostFolder(machine.root('C') + "/LOCKED");
    ASSERT_EQ(chmod((machine.root('C') + "/LOCKED").c_str(), 0), 0);
    int result = files::test::runUnprivileged([] {
        try {
            setCurrentFolder("C:\\LOCKED");
        } catch (const InOutError& error) {
            return error.code() == 5 && std::string(error.what()) == "File access denied" ? 0 : 1;
        }
        return geteuid() == 0 ? 3 : 2;
    });
    if (result == 3)
        GTEST_SKIP() << "no unprivileged user";
    EXPECT_EQ(result, 0);
}

TEST(CurrentFolder, ErrorTextsOfTheRunTimeLibrary)
{
    EXPECT_EQ(inOutErrorText(2), "File not found");
    EXPECT_EQ(inOutErrorText(3), "Invalid filename");
    EXPECT_EQ(inOutErrorText(4), "Too many open files");
    EXPECT_EQ(inOutErrorText(5), "File access denied");
    EXPECT_EQ(inOutErrorText(32), "I/O error 32");
    EXPECT_EQ(inOutErrorText(112), "I/O error 112");
}
