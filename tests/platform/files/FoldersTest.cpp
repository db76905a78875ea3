// Existence tests, folder creation (one level and with parents), removal.

#include "files/FileSystem.h"
#include "platform/files/TempDrives.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace files;
using files::test::makeHostFolder;
using files::test::TempDrives;
using files::test::writeHostFile;

namespace {

class Folders : public ::testing::Test
{
protected:
    Folders() : machine("CD", "E")
    {
        makeHostFolder(machine.root('C') + "/Tarn/Full");
        writeHostFile(machine.root('C') + "/Tarn/Full/inst.DB", "x");
        makeHostFolder(machine.root('C') + "/Tarn/Empty");
    }

    bool hostFolder(const std::string& relative) const
    {
        struct stat st;
        return stat((machine.root('C') + relative).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    TempDrives machine;
};

} // namespace

TEST_F(Folders, ExistenceOfFilesAndFolders)
{
    setCurrentFolder("C:\\TARN");
    struct Case
    {
        const char* path;
        bool file;
        bool folder;
    };
    const Case cases[] = {
        {"C:\\Tarn\\Full\\inst.DB", true, false},
        {"c:\\tarn\\full\\INST.db", true, false},
        {"Full\\Inst.Db", true, false},
        {"C:\\Tarn\\Full", false, true},
        {"C:\\", false, true},
        {"C:", false, true},
        {"D:\\", false, true},
        {"C:\\Tarn\\Full\\inst.DB\\", false, false},
        {"C:\\Tarn\\none", false, false},
        {"E:\\", false, false},
        {"Q:\\", false, false},
        {"", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(fileExists(c.path), c.file);
        EXPECT_EQ(directoryExists(c.path), c.folder);
    }
}

TEST_F(Folders, CreateOneLevel)
{
    struct Case
    {
        const char* path;
        bool made;
        int error;
    };
    const Case cases[] = {
        {"C:\\Tarn\\New", true, 0},
        {"C:\\TARN\\NEW", false, AlreadyExists},
        {"C:\\Tarn\\Full\\INST.DB", false, AlreadyExists},
        {"C:\\Tarn\\Missing\\New", false, PathNotFound},
        {"C:\\Tarn\\Full\\inst.DB\\New", false, PathNotFound},
        {"C:\\Tarn\\a*b", false, InvalidName},
        {"C:\\", false, AccessDenied},
        {"E:\\New", false, NotReady},
        {"Q:\\New", false, InvalidDrive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(createDir(c.path), c.made);
        if (!c.made) {
            EXPECT_EQ(lastError(), c.error);
        }
    }
    EXPECT_TRUE(hostFolder("/Tarn/New"));
}

TEST_F(Folders, ForceDirectoriesMakesEveryMissingParent)
{
    setCurrentFolder("C:\\Tarn");
    EXPECT_TRUE(forceDirectories("C:\\Tarn\\A\\B\\C"));
    EXPECT_TRUE(hostFolder("/Tarn/A/B/C"));
    EXPECT_TRUE(forceDirectories("c:\\tarn\\a\\b"));
    EXPECT_TRUE(forceDirectories("Rel\\Sub\\"));
    EXPECT_TRUE(hostFolder("/Tarn/Rel/Sub"));
    EXPECT_TRUE(forceDirectories("D:\\BAK\\2026"));
    EXPECT_TRUE(directoryExists("D:\\BAK\\2026"));

    EXPECT_FALSE(forceDirectories("C:\\Tarn\\Full\\inst.DB\\X"));
    EXPECT_FALSE(forceDirectories("C:\\Tarn\\Full\\inst.DB"));
    EXPECT_FALSE(forceDirectories("E:\\BAK"));
    EXPECT_FALSE(forceDirectories("Q:\\BAK"));
    EXPECT_FALSE(forceDirectories("C:\\Tarn\\a?\\b"));
}

TEST_F(Folders, ForceDirectoriesOfNothingRaisesUnableToCreateDirectory)
{
    try {
        forceDirectories("");
        FAIL() << "no error";
    } catch (const CreateDirError& error) {
        EXPECT_STREQ(error.what(), "Unable to create directory");
    }
}

TEST_F(Folders, RemoveOnlyAnEmptyFolder)
{
    struct Case
    {
        const char* path;
        bool removed;
        int error;
    };
    const Case cases[] = {
        {"C:\\TARN\\EMPTY", true, 0},
        {"C:\\Tarn\\Empty", false, FileNotFound},
        {"C:\\Tarn\\Full", false, DirNotEmpty},
        {"C:\\Tarn\\Full\\inst.DB", false, DirectoryInvalid},
        {"C:\\Tarn\\None\\X", false, PathNotFound},
        {"C:\\", false, AccessDenied},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(removeDir(c.path), c.removed);
        if (!c.removed) {
            EXPECT_EQ(lastError(), c.error);
        }
    }
    EXPECT_FALSE(hostFolder("/Tarn/Empty"));
    EXPECT_TRUE(hostFolder("/Tarn/Full"));
}

TEST_F(Folders, DeleteAFileButNotAReadOnlyOne)
{
    writeHostFile(machine.root('C') + "/Tarn/Full/locked.db", "x");
    ASSERT_EQ(chmod((machine.root('C') + "/Tarn/Full/locked.db").c_str(), 0444), 0);

    EXPECT_FALSE(deleteFile("C:\\Tarn\\Full\\LOCKED.DB"));
    EXPECT_EQ(lastError(), AccessDenied);
    EXPECT_FALSE(deleteFile("C:\\Tarn\\Full"));
    EXPECT_EQ(lastError(), AccessDenied);
    EXPECT_FALSE(deleteFile("C:\\Tarn\\Full\\none.db"));
    EXPECT_EQ(lastError(), FileNotFound);
    EXPECT_TRUE(deleteFile("C:\\Tarn\\Full\\INST.DB"));
    EXPECT_FALSE(fileExists("C:\\Tarn\\Full\\inst.DB"));
    EXPECT_TRUE(fileExists("C:\\Tarn\\Full\\locked.db"));
}
