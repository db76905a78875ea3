// Symbolic links: one that stays on the drives is what it leads to; one that
// leads off them, or nowhere, is no file or folder of the machine; a new file
// put in place of a link replaces the link, never what it leads to.

#include "files/FileSystem.h"
#include "platform/files/TempDrives.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace files;
using files::test::makeHostFolder;
using files::test::readHostFile;
using files::test::TempDrives;
using files::test::writeHostFile;

using files::test::foundNames;

namespace {

class Links : public ::testing::Test
{
protected:
    Links()
    {
        // Beside the drives' roots, on none of them.
        makeHostFolder(outside("dir"));
        writeHostFile(outside("secret.txt"), "secret");
        writeHostFile(outside("dir/inner.txt"), "inner");

        makeHostFolder(c("DATA"));
        makeHostFolder(c("OTHER"));
        writeHostFile(c("OTHER/real.txt"), "real");
        writeHostFile(machine.root('D') + "/on-d.txt", "on d");

        link(outside("secret.txt"), "DATA/out.txt");
        link("../../outside/secret.txt", "DATA/climb.txt");
        link("../DATA/../../outside/secret.txt", "DATA/detour.txt");
        link("out.txt", "DATA/chain.txt"); // a link to a stray link
        link(outside("dir"), "DATA/outdir");
        link("nowhere", "DATA/dangling.txt");
        link("loop.txt", "DATA/loop.txt");
        link("../OTHER/real.txt", "DATA/in.txt");
        link(machine.root('D') + "/on-d.txt", "DATA/ond.txt");
        link("../OTHER", "DATA/indir");
    }

    std::string outside(const std::string& relative) const
    {
        return machine.base() + "/outside/" + relative;
    }
    std::string c(const std::string& relative) const
    {
        return machine.root('C') + "/" + relative;
    }
    void link(const std::string& to, const std::string& at) const
    {
        ASSERT_EQ(symlink(to.c_str(), c(at).c_str()), 0) << at;
    }
    bool isLink(const std::string& relative) const
    {
        struct stat st;
        return lstat(c(relative).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
    }

    void expectOutsideUntouched() const
    {
        EXPECT_EQ(readHostFile(outside("secret.txt")), "secret");
        EXPECT_EQ(readHostFile(outside("dir/inner.txt")), "inner");
        EXPECT_EQ(foundNames("C:\\DATA\\indir\\*.*"), "real.txt");
        struct stat st;
        EXPECT_NE(::stat(outside("dir/new").c_str(), &st), 0);
        EXPECT_NE(::stat(outside("dir/new.txt").c_str(), &st), 0);
    }

    TempDrives machine{"CD"};
};

} // namespace

TEST_F(Links, OnlyLinksThatStayOnTheDrivesAreFilesAndFolders)
{
    EXPECT_EQ(foundNames("C:\\DATA\\*.*"), "in.txt indir ond.txt");
    const struct
    {
        const char* name;
        const char* content; // nullptr: no file
        bool folder;
    } cases[] = {
        {"out.txt", nullptr, false},   {"climb.txt", nullptr, false}, {"detour.txt", nullptr, false},
        {"chain.txt", nullptr, false}, {"outdir", nullptr, false},    {"dangling.txt", nullptr, false},
        {"loop.txt", nullptr, false},  {"in.txt", "real", false},     {"ond.txt", "on d", false},
        {"indir", nullptr, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = std::string("C:\\DATA\\") + c.name;
        EXPECT_EQ(fileExists(path), c.content != nullptr);
        EXPECT_EQ(directoryExists(path), c.folder);
        EXPECT_EQ(foundNames(path), c.content != nullptr || c.folder ? c.name : "error 2");
        LocalTime time;
        EXPECT_EQ(fileTime(path, time), c.content != nullptr || c.folder);

        Handle file = fileOps().openRead(path);
        EXPECT_EQ(file != InvalidHandle, c.content != nullptr);
        if (file != InvalidHandle) {
            char buffer[16] = {};
            EXPECT_EQ(fileOps().read(file, buffer, sizeof buffer), long(std::string(c.content).size()));
            EXPECT_EQ(std::string(buffer), c.content);
            fileOps().close(file);
        }
    }
}

TEST_F(Links, AFolderOffTheDrivesIsNeitherEnteredNorListed)
{
    EXPECT_EQ(foundNames("C:\\DATA\\outdir\\*.*"), "error 3");
    EXPECT_EQ(foundNames("C:\\DATA\\outdir\\inner.txt"), "error 3");
    EXPECT_FALSE(fileExists("C:\\DATA\\outdir\\inner.txt"));
    EXPECT_EQ(fileOps().openRead("C:\\DATA\\outdir\\inner.txt"), InvalidHandle);
    EXPECT_THROW(setCurrentFolder("C:\\DATA\\outdir"), InOutError);
    EXPECT_EQ(currentFolder(), "C:\\");
    // Neither made in it nor through it.
    EXPECT_FALSE(createDir("C:\\DATA\\outdir\\new"));
    EXPECT_FALSE(forceDirectories("C:\\DATA\\outdir\\new\\deeper"));
    EXPECT_EQ(fileOps().createReplacement("C:\\DATA\\outdir\\new.txt", ""), InvalidHandle);
    EXPECT_EQ(fileOps().create("C:\\DATA\\outdir\\new.txt"), InvalidHandle);
    EXPECT_FALSE(writeFileAtomically("C:\\DATA\\outdir\\new.txt", "x"));
    EXPECT_FALSE(removeDir("C:\\DATA\\outdir"));

    // One that stays on the drive is entered as the folder it leads to.
    setCurrentFolder("C:\\DATA\\indir");
    EXPECT_EQ(currentFolder(), "C:\\DATA\\indir");
    EXPECT_EQ(foundNames("*.*"), "real.txt");
    expectOutsideUntouched();
}

TEST_F(Links, NothingIsWrittenThroughALink)
{
    // A new file takes the link's own place, beside it.
    for (const char* name : {"out.txt", "climb.txt", "dangling.txt", "in.txt"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string("C:\\DATA\\") + name;
        Handle file = fileOps().createReplacement(path, "");
        ASSERT_NE(file, InvalidHandle);
        ASSERT_TRUE(fileOps().write(file, "copy", 4));
        ASSERT_TRUE(fileOps().commitReplacement(file));
        EXPECT_FALSE(isLink(std::string("DATA/") + name));
        EXPECT_EQ(readHostFile(c(std::string("DATA/") + name)), "copy");
    }
    // So does a whole file written at once over a link that stays on the drive.
    ASSERT_TRUE(writeFileAtomically("C:\\DATA\\ond.txt", "table"));
    EXPECT_FALSE(isLink("DATA/ond.txt"));
    EXPECT_EQ(readHostFile(c("DATA/ond.txt")), "table");
    EXPECT_EQ(readHostFile(machine.root('D') + "/on-d.txt"), "on d");
    EXPECT_EQ(readHostFile(c("OTHER/real.txt")), "real");

    // A link off the drives is not created over; a whole file written at
    // once takes its place like a replacement.
    EXPECT_EQ(fileOps().create("C:\\DATA\\detour.txt"), InvalidHandle);
    EXPECT_EQ(lastError(), AccessDenied);
    EXPECT_FALSE(createDir("C:\\DATA\\loop.txt"));
    ASSERT_TRUE(writeFileAtomically("C:\\DATA\\loop.txt", "x"));
    EXPECT_FALSE(isLink("DATA/loop.txt"));
    // Deleting it takes the link away, not what it leads to.
    EXPECT_TRUE(deleteFile("C:\\DATA\\detour.txt"));
    EXPECT_FALSE(isLink("DATA/detour.txt"));
    expectOutsideUntouched();
}

TEST_F(Links, DriveLinksKeepWorking)
{
    // A drive whose entry leads to its root through a further link, and one
    // whose root lies inside another drive.
    makeHostFolder(machine.base() + "/drive_e");
    writeHostFile(machine.base() + "/drive_e/e.txt", "e");
    ASSERT_EQ(symlink((machine.base() + "/drive_e").c_str(), (machine.base() + "/to_e").c_str()), 0);
    ASSERT_EQ(symlink((machine.base() + "/to_e").c_str(), (machine.dosdevices() + "/e:").c_str()), 0);
    ASSERT_EQ(symlink(c("OTHER").c_str(), (machine.dosdevices() + "/f:").c_str()), 0);
    machine.mountAt("C:\\");
    EXPECT_EQ(drives(), "CDEF");
    EXPECT_EQ(foundNames("E:\\*.*"), "e.txt");
    EXPECT_EQ(foundNames("F:\\*.*"), "real.txt");
    EXPECT_TRUE(fileExists("F:\\real.txt"));

    // A link on C that leads onto E counts as the file on E.
    link(machine.base() + "/to_e/e.txt", "DATA/to-e.txt");
    EXPECT_TRUE(fileExists("C:\\DATA\\to-e.txt"));
    EXPECT_EQ(foundNames("C:\\DATA\\to-e.txt"), "to-e.txt");
}
