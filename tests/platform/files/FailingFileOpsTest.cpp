// The fault wrapper that later tests of the transfer run drive their prompts with.

#include "platform/files/FailingFileOps.h"

#include "files/FileSystem.h"
#include "platform/files/TempDrives.h"

#include <gtest/gtest.h>

using namespace files;
using files::test::FailingFileOps;
using files::test::makeHostFolder;
using files::test::readHostFile;
using files::test::TempDrives;
using files::test::writeHostFile;

namespace {

class Faults : public ::testing::Test
{
protected:
    Faults()
    {
        makeHostFolder(machine.root('C') + "/Data");
        writeHostFile(machine.root('C') + "/Data/a.db", std::string(40000, 'a'));
        writeHostFile(machine.root('C') + "/Data/b.db", "b");
    }

    TempDrives machine;
};

} // namespace

TEST_F(Faults, InstallsItselfForItsLifetime)
{
    FileOps* real = &fileOps();
    {
        FailingFileOps faults;
        EXPECT_EQ(&fileOps(), &faults);
    }
    EXPECT_EQ(&fileOps(), real);
}

TEST_F(Faults, AnOpenFailsByNameUntilItsTimesAreUsedUp)
{
    FailingFileOps faults;
    faults.failOpen("A.DB", 2);
    EXPECT_EQ(fileOps().openRead("C:\\Data\\a.db"), InvalidHandle);
    EXPECT_EQ(lastError(), AccessDenied);
    EXPECT_EQ(fileOps().open("c:\\data\\A.db", Access::Read, Share::DenyNone), InvalidHandle);
    Handle other = fileOps().openRead("C:\\Data\\b.db");
    EXPECT_NE(other, InvalidHandle);
    fileOps().close(other);
    Handle file = fileOps().openRead("C:\\Data\\a.db");
    EXPECT_NE(file, InvalidHandle);
    fileOps().close(file);
    EXPECT_EQ(faults.calls(FailingFileOps::Step::Open, "a.db"), 3);
}

TEST_F(Faults, ACreateFailsWithTheCodeGiven)
{
    FailingFileOps faults;
    faults.failCreate("b.db", FailingFileOps::Always, SharingViolation);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fileOps().create("C:\\Data\\B.DB"), InvalidHandle);
        EXPECT_EQ(lastError(), SharingViolation);
        EXPECT_EQ(fileOps().createReplacement("C:\\Data\\b.db", ""), InvalidHandle);
    }
    EXPECT_EQ(readHostFile(machine.root('C') + "/Data/b.db"), "b");
}

TEST_F(Faults, AReadFailsAtItsBlockAndARetryReadsThatBlockAgain)
{
    FailingFileOps faults;
    faults.failRead("a.db", 1, 1);
    Handle file = fileOps().openRead("C:\\Data\\a.db");
    ASSERT_NE(file, InvalidHandle);
    std::vector<char> buffer(32768);
    EXPECT_EQ(fileOps().read(file, buffer.data(), buffer.size()), 32768);
    EXPECT_EQ(fileOps().read(file, buffer.data(), buffer.size()), -1);
    EXPECT_EQ(lastError(), ReadFault);
    EXPECT_EQ(fileOps().read(file, buffer.data(), buffer.size()), 40000 - 32768);
    EXPECT_EQ(fileOps().read(file, buffer.data(), buffer.size()), 0);
    fileOps().close(file);
    EXPECT_EQ(faults.calls(FailingFileOps::Step::Read, "a.db"), 4);
}

TEST_F(Faults, AWriteFailsAtItsBlock)
{
    FailingFileOps faults;
    faults.failWrite("copy.db", 1);
    Handle file = fileOps().create("C:\\Data\\copy.db");
    ASSERT_NE(file, InvalidHandle);
    EXPECT_TRUE(fileOps().write(file, "one", 3));
    EXPECT_FALSE(fileOps().write(file, "two", 3));
    EXPECT_EQ(lastError(), DiskFull);
    EXPECT_FALSE(fileOps().write(file, "two", 3));
    fileOps().close(file);
    EXPECT_EQ(readHostFile(machine.root('C') + "/Data/copy.db"), "one");
}

TEST_F(Faults, AFailedCommitLeavesTheTargetAsItWas)
{
    FailingFileOps faults;
    faults.failCommit("b.db", 1);
    Handle file = fileOps().createReplacement("C:\\Data\\b.db", "");
    ASSERT_NE(file, InvalidHandle);
    ASSERT_TRUE(fileOps().write(file, "new", 3));
    EXPECT_FALSE(fileOps().commitReplacement(file));
    EXPECT_EQ(lastError(), DiskFull);
    EXPECT_EQ(readHostFile(machine.root('C') + "/Data/b.db"), "b");

    file = fileOps().createReplacement("C:\\Data\\b.db", "");
    ASSERT_TRUE(fileOps().write(file, "new", 3));
    EXPECT_TRUE(fileOps().commitReplacement(file));
    EXPECT_EQ(readHostFile(machine.root('C') + "/Data/b.db"), "new");

    FolderSearch search;
    SearchRec rec;
    ASSERT_EQ(search.findFirst("C:\\Data\\*.*", AnyFile, rec), 0);
    EXPECT_EQ(rec.name, "a.db");
    ASSERT_EQ(search.findNext(rec), 0);
    EXPECT_EQ(rec.name, "b.db");
    EXPECT_EQ(search.findNext(rec), NoMoreFiles);
}
